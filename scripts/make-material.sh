#!/usr/bin/env bash
# Makes two short pieces of real sound to run through Tarvel, from Debian's
# own programs, the same bits on every run: speech from espeak-ng and a
# plucked string playing C, E and G from sox.
#
# Usage: scripts/make-material.sh DIR   (writes DIR/speech.wav, DIR/pluck.wav)
set -euo pipefail
dir="${1:?usage: scripts/make-material.sh DIR}"
mkdir -p "$dir"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

espeak-ng -v en -s 140 -w "$dir/speech.wav" \
    "Tarvel records one cycle of the sound, then plays it back once."

# sox -R: the pluck's noise burst repeats from run to run.
notes=()
for note in C3 E3 G3; do
    sox -R -n -r 44100 -c 1 -b 16 "$work/$note.wav" synth 1 pluck "$note" fade 0 1 0.6 gain -4
    notes+=("$work/$note.wav")
done
sox -R "${notes[@]}" "$dir/pluck.wav"
