#!/usr/bin/env bash
# Installs what is missing, builds the program in Release and writes its Debian package into build/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
build=build/release
# Only what the package holds is built here; cpack itself builds nothing.
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j2 --target package_contents
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$PWD/build"
