#!/usr/bin/env bash
# The main job: sets up the machine, builds everything, and renders the
# built-in test signal first through the native Linux library
# (libtarvel-vst.so, loaded in process, no Wine) into
# out/tarvel-linux-vst.wav, through the LV2 bundle (loaded through lilv as
# an LV2 host loads it) into out/tarvel-default-lv2.wav and through
# Tarvel.clap (as a CLAP host loads it) into out/tarvel-default-clap.wav,
# then through the real
# TARVEL.dll running under Wine, as a host drives it: the 32-bit library where
# this machine runs 32-bit programs, else the 64-bit one. Writes
# out/tarvel-default.wav, prints a summary of each and checks that the four
# files are identical; then opens the plug-in's editor in a host window and
# writes a screenshot of it to out/tarvel-editor.png.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

mkdir -p "$root/out"
render="$root/build/native/tools/tarvel-render/tarvel-render"

# The native library first, as a Linux host loads it.
linux_output="$root/out/tarvel-linux-vst.wav"
"$render" --plugin "$root/build/native/src/libtarvel-vst.so" "$linux_output"
echo

if reason=$("$root/scripts/can-run-32bit"); then
    width=32
    echo "Using the 32-bit library, build/win32/src/TARVEL.dll."
else
    width=64
    echo "Using the 64-bit library, build/win64/src/TARVEL.dll: this machine cannot run 32-bit programs ($reason)."
fi
tree="$root/build/win$width"
source "$root/scripts/wine-env.sh" "$width"
output="$root/out/tarvel-default.wav"
# Wine gets a virtual display, like every Wine run of this project, with no
# wineserver left over from a run without one; and Wine is let finish before
# the display goes away.
# (tarvel-render picks the plug-in server and the Wine loader of the
# library's width itself.)
"$TARVEL_WINESERVER" -w || true
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '"$@"; status=$?; "$TARVEL_WINESERVER" -w; exit $status' -- \
    "$render" --dll "$tree/src/TARVEL.dll" "$output"

# The same signal through the LV2 bundle, loaded in process through lilv as
# an LV2 host loads it.
lv2_output="$root/out/tarvel-default-lv2.wav"
"$render" --plugin "$root/build/native/lv2/tarvel.lv2" "$lv2_output"

# And through the CLAP plug-in, loaded in process as a CLAP host loads it.
clap_output="$root/out/tarvel-default-clap.wav"
"$render" --plugin "$root/build/native/clap/Tarvel.clap" "$clap_output"

# The editor as a host shows it, with the same (default) parameter values.
# Paths for Wine are written by hand: winepath would start Wine without the
# virtual display.
screenshot="$root/out/tarvel-editor.png"
windows_path() { local path="Z:$1"; printf '%s' "${path//\//\\}"; }
"$TARVEL_WINESERVER" -w || true
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '"$@"; status=$?; "$TARVEL_WINESERVER" -w; exit $status' -- \
    "$TARVEL_WINE" "$tree/tests/support/editor-host/editor-host.exe" screenshot \
    "$(windows_path "$tree/src/TARVEL.dll")" "$(windows_path "$screenshot")"
echo
if cmp -s "$linux_output" "$output" && cmp -s "$lv2_output" "$output" &&
    cmp -s "$clap_output" "$output"; then
    echo "The native library, the LV2 bundle, Tarvel.clap and TARVEL.dll wrote identical files."
else
    echo "The native library, the LV2 bundle, Tarvel.clap and TARVEL.dll wrote different files." >&2
    exit 1
fi
echo "Output: $linux_output (native library)"
echo "        $lv2_output (LV2 bundle)"
echo "        $clap_output (CLAP plug-in)"
echo "        $output (TARVEL.dll under Wine)"
echo "Editor: $screenshot"

# Real sound: a spoken sentence and a plucked string, made from Debian's own
# programs, run through the plug-in linked into tarvel-render; each input is
# kept beside its result for listening, with a plot of both and of the cycles
# the effect recorded and replayed.
"$root/scripts/make-material.sh" "$root/out"
echo
for name in speech pluck; do
    "$root/build/native/tools/tarvel-render/tarvel-render" "$root/out/$name.wav" \
        "$root/out/$name-tarvel.wav" --plot "$root/out/$name-tarvel.png"
done
echo
for name in speech pluck; do
    echo "Real sound ($name): $root/out/$name.wav -> $root/out/$name-tarvel.wav"
    if [ -f "$root/out/$name-tarvel.png" ]; then
        echo "  plot: $root/out/$name-tarvel.png"
    fi
done
