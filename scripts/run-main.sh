#!/usr/bin/env bash
# The main job: sets up the machine, builds everything, and renders the
# built-in test signal through the real TARVEL.dll running under Wine, as a
# host drives it. Writes out/tarvel-default.wav and prints a summary.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

source "$root/scripts/wine-env.sh"
mkdir -p "$root/out"
output="$root/out/tarvel-default.wav"
# Wine gets a virtual display, like every Wine run of this project, with no
# wineserver left over from a run without one; and Wine is let finish before
# the display goes away.
wineserver -w || true
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '"$@"; status=$?; wineserver -w; exit $status' -- \
    "$root/build/native/tools/tarvel-render/tarvel-render" \
    --dll "$root/build/win32/src/TARVEL.dll" \
    --server "$root/build/win32/tools/plugin-server/plugin-server.exe" \
    "$output"
echo
echo "Output: $output"
