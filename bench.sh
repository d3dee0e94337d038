#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints its ratio as its last line.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
build=build
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
targets=$(sed -n 's/^add_executable(\(bench_[a-z_]*\).*/\1/p' bench/CMakeLists.txt)
cmake --build "$build" -j2 --target $targets
# Start-up is measured on a real display; without one, on Xvfb.
display=()
[ -n "${DISPLAY:-}" ] || display=(xvfb-run -a -s "-screen 0 1400x900x24")
# A scan is measured with its sound played: without an audio server, a private one plays into a
# null sink.
if ! pactl info >/dev/null 2>&1; then
  export XDG_RUNTIME_DIR=$(mktemp -d)
  pulseaudio -n --load=module-null-sink --load=module-native-protocol-unix --exit-idle-time=-1 \
    --daemonize=no 2>/dev/null &
  audio=$!
  trap 'kill $audio; rm -rf "$XDG_RUNTIME_DIR"' EXIT
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
fi
for target in $targets; do
  echo "== $target"
  "${display[@]}" "$build/bench/$target" 2>/dev/null
done
