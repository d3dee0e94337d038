#!/usr/bin/env bash
# Makes one scan sound with sox: 16-bit mono WAV, well under 400 ms, quiet enough for a classroom.
# A success is bright and short, a problem low and rough, so the ear tells them apart unseen.
# Usage: make-scan-sound.sh recorded|excellent|already-handed-in|refused|no-homework <file.wav>
set -euo pipefail
sound=$1 out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# No dither: the same script makes the same bytes on every build.
format=(-D -r 44100 -c 1 -b 16)

# note <file> <seconds> <wave> <hertz>: one note with soft edges. Half-sine fades meet silence
# without a kink: a quarter-sine fade ends at its steepest, which on a square wave is a click.
note() { sox "${format[@]}" -n "$1" synth "$2" "$3" "$4" fade h 0.005 "$2" 0.03; }
pause() { sox "${format[@]}" -n "$1" trim 0 "$2"; }

case $sound in
  recorded) # one clear high beep
    note a.wav 0.12 sine 1047
    parts=(a.wav) ;;
  excellent) # a rising two-note chime
    note a.wav 0.10 sine 1047
    note b.wav 0.18 sine 1568
    parts=(a.wav b.wav) ;;
  already-handed-in) # two soft blips: seen that one
    note a.wav 0.07 triangle 784
    pause gap.wav 0.05
    parts=(a.wav gap.wav a.wav) ;;
  refused) # a low double buzz
    note a.wav 0.11 square 196
    pause gap.wav 0.05
    parts=(a.wav gap.wav a.wav) ;;
  no-homework) # a slow falling pair, lower than any success
    note a.wav 0.12 square 330
    note b.wav 0.20 square 247
    parts=(a.wav b.wav) ;;
  *) echo "unknown sound: $sound" >&2; exit 1 ;;
esac
cd - >/dev/null
mkdir -p "$(dirname "$out")"
# The whole sound, whatever its last part, starts and ends in a few milliseconds of fade.
sox -D "${parts[@]/#/$work/}" "$out" fade h 0.002 -0 0.005 gain -n -6
