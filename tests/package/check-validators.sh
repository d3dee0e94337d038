#!/usr/bin/env bash
# The Debian tools' own verdicts: lintian on the package, the desktop entry and AppStream
# validators on the files it installs. Any error fails; warnings are printed.
set -euo pipefail
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
status=0
LC_ALL=C.UTF-8 lintian --fail-on error --display-info "$deb" || status=1
desktop-file-validate "$work/usr/share/applications/homework-tracker.desktop" || status=1
appstreamcli validate --no-net "$work"/usr/share/metainfo/*.metainfo.xml || status=1
exit $status
