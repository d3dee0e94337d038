#!/usr/bin/env bash
# Builds the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer in a folder of its
# own and runs it, office tests included; any memory fault or undefined behaviour fails the run.
# The package tests are left out: they check the packaging of a release build, not the code.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-sanitize
[ -f "$build/build.ninja" ] ||
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHOMEWORK_SANITIZE=ON
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
# Leaks of the toolkit's and the fonts' caches at exit are not faults of ours.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j2 --timeout 1800 -LE package
