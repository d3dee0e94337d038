#!/usr/bin/env bash
# The Debian tools' own verdicts: lintian on the package, the desktop entry and AppStream
# validators on the files it installs. Lintian must have nothing to say, informational tags
# included, that no override explains. The menu entry shows the Chinese name in every locale,
# under one main category, so the menu lists the program once.
set -euo pipefail
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
status=0
fail() { echo "FAIL: $*"; status=1; }
LC_ALL=C.UTF-8 lintian --fail-on error,warning,info --display-info "$deb" || status=1
entry=$work/usr/share/applications/homework-tracker.desktop
desktop-file-validate "$entry" || status=1
appstreamcli validate --no-net "$work"/usr/share/metainfo/*.metainfo.xml || status=1

key() { sed -n "s/^$1=//p" "$entry"; }
[ "$(key Name)" = 作业完成情况条形码查找系统 ] || fail "Name is not the program's Chinese name: $(key Name)"
[ -n "$(key GenericName)" ] || fail "no GenericName"
# English only under [en]; any other translation of the name would hide the Chinese one.
translated=$(grep -E '^(Name|GenericName|Comment)\[' "$entry" | grep -v '^[A-Za-z]*\[en\]=' || true)
[ -z "$translated" ] || fail "translated in other locales: $translated"
main_categories=(AudioVideo Audio Video Development Education Game Graphics Network Office Science Settings System Utility)
main=$(key Categories | tr ';' '\n' | grep -xF -f <(printf '%s\n' "${main_categories[@]}") || true)
[ "$main" = Education ] || fail "main categories are not Education alone: $(echo $main)"
exit $status
