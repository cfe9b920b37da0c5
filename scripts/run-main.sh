#!/usr/bin/env bash
# The main job: sets up the machine, builds everything, and renders the
# built-in test signal through the real TARVEL.dll running under Wine, as a
# host drives it. Writes out/tarvel-default.wav and prints a summary; then
# renders it through the LV2 bundle into out/tarvel-default-lv2.wav; then
# opens the plug-in's editor in a host window and writes a screenshot of it
# to out/tarvel-editor.png.
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

# The same signal through the LV2 bundle, loaded in process through lilv as
# an LV2 host loads it.
lv2_output="$root/out/tarvel-default-lv2.wav"
"$root/build/native/tools/tarvel-render/tarvel-render" \
    --plugin "$root/build/native/lv2/tarvel.lv2" "$lv2_output"

# The editor as a host shows it, with the same (default) parameter values.
# Paths for Wine are written by hand: winepath would start Wine without the
# virtual display.
screenshot="$root/out/tarvel-editor.png"
windows_path() { local path="Z:$1"; printf '%s' "${path//\//\\}"; }
wineserver -w || true
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '"$@"; status=$?; wineserver -w; exit $status' -- \
    wine "$root/build/win32/tools/editor-host/editor-host.exe" screenshot \
    "$(windows_path "$root/build/win32/src/TARVEL.dll")" "$(windows_path "$screenshot")"
echo
echo "Output: $output"
echo "LV2:    $lv2_output"
echo "Editor: $screenshot"
