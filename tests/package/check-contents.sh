#!/usr/bin/env bash
# The package holds every file of the installed layout, nothing else among the prepared files,
# and declares the relations the program needs: LibreOffice recommended, never required.
set -euo pipefail
deb=$1 version=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

listing=$(dpkg-deb -c "$deb" | awk '{ sub(/^\./, "", $6); print ($7 == "->") ? $6 " -> " $8 : $6 }')
has() { grep -qxF -- "$1" <<<"$listing" || fail "missing: $1"; }

prepared=/usr/share/homework-tracker/program
prepared_files=(
  "$prepared/班级姓名.xls"
  "$prepared/班级姓名2.xls"
  "$prepared/校迅通导出文件/全部完成学生名单.xls"
  "$prepared/校迅通导出文件/未完成作业学生名单.xls"
  "$prepared/校迅通导出文件/当天/当天全部完成学生名单.xls"
  "$prepared/校迅通导出文件/当天/当天未完成作业学生名单.xls"
  "$prepared/文本模板/未完成作业汇总(不超30次)导出模板.doc"
  "$prepared/文本模板/未完成作业汇总(超过30次)导出模板.doc"
)
has "/usr/bin/homework-tracker -> ../lib/homework-tracker/homework-tracker"
has /usr/lib/homework-tracker/homework-tracker
has /usr/lib/homework-tracker/homework-office.so
for sound in recorded excellent already-handed-in refused no-homework; do
  has "/usr/lib/homework-tracker/sounds/$sound.wav"
done
for file in "${prepared_files[@]}"; do has "$file"; done
has "$prepared/文本生成/未完作业汇总/"
for file in /usr/share/applications/homework-tracker.desktop \
            /usr/share/icons/hicolor/scalable/apps/homework-tracker.svg \
            /usr/share/icons/hicolor/256x256/apps/homework-tracker.png \
            /usr/share/metainfo/io.github.homework_tracker.HomeworkTracker.metainfo.xml \
            /usr/share/doc/homework-tracker/copyright \
            /usr/share/doc/homework-tracker/changelog.gz \
            /usr/share/man/man1/homework-tracker.1.gz; do
  has "$file"
done
extra=$(grep "^$prepared/.*[^/]$" <<<"$listing" | grep -vxF -f <(printf '%s\n' "${prepared_files[@]}") || true)
[ -z "$extra" ] || fail "not a prepared file: $extra"

png=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/icons/hicolor/256x256/apps/homework-tracker.png | file -)
grep -q "PNG image data, 256 x 256" <<<"$png" || fail "icon is not a 256 px PNG: $png"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version), not $version"
depends=$(field Depends) recommends=$(field Recommends)
for package in fonts-noto-cjk qt6-translations-l10n libqt6widgets6 libsqlcipher0; do
  grep -qw -- "$package" <<<"$depends" || fail "Depends lacks $package: $depends"
done
grep -q libreoffice <<<"$depends" && fail "Depends names LibreOffice: $depends"
grep -q uno <<<"$depends" && fail "Depends names the office module's UNO libraries: $depends"
for package in libreoffice-calc libreoffice-writer; do
  grep -qw -- "$package" <<<"$recommends" || fail "Recommends lacks $package: $recommends"
done
exit $((failures > 0))
