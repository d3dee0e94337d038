#!/usr/bin/env bash
# Installs, with apt, whatever the build, the program and the tests need and the machine lacks.
set -euo pipefail

packages=(
  cmake g++ pkg-config ninja-build
  qt6-base-dev libgl-dev qt6-translations-l10n
  qt6-multimedia-dev sox pulseaudio
  qt6-charts-dev libqt6opengl6-dev
  libsqlcipher-dev sqlcipher
  libreoffice-dev libreoffice-calc libreoffice-writer
  cups printer-driver-cups-pdf poppler-utils
  fonts-noto-cjk
  xvfb xauth imagemagick
  dpkg-dev file lintian desktop-file-utils appstream librsvg2-bin devscripts
  libzint-dev zbar-tools libqpdf-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
