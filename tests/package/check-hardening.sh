#!/usr/bin/env bash
# The packaged binaries are built and stripped as Debian builds its own: position independent,
# stack protector, read-only relocations bound at start-up, and no compiler notes left in them.
set -euo pipefail
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
binaries=("$work/usr/lib/homework-tracker/homework-tracker" "$work/usr/lib/homework-tracker/homework-office.so")
status=0
# Fortification is judged by the names of the libc functions called, and a program whose every copy
# has a length the compiler cannot know shows none; control-flow protection is not among
# Debian 12's flags for amd64.
hardening-check --nofortify --nocfprotection "${binaries[@]}" || status=1
for binary in "${binaries[@]}"; do
  if readelf -S -W "$binary" | grep -qw '\.comment'; then
    echo "FAIL: ${binary#"$work"} keeps its .comment section"
    status=1
  fi
done
exit $status
