#!/usr/bin/env bash
# Writes the Linux package with the project's packaging command into a
# scratch folder, checks what it holds, and puts the unpacked release library
# through what the native tree's copy passes: its exports and needs, renders
# byte-identical to the plug-in linked into tarvel-render, and load and
# unload cycles under the sanitizer build's leak checker (which sees the
# library's allocations too); and the packaged LV2 bundle, listed by lv2ls
# and rendering the same samples.
#   check_linux_tarball.sh NATIVE_TREE SCRATCH
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
native_tree="$1" scratch="$2"
rm -rf "$scratch" && mkdir -p "$scratch/unpacked"
DIST_DIR="$scratch" "$root/scripts/package.sh" linux
archive=$(ls "$scratch"/Tarvel-*-linux-x86_64.tar.gz)
tar -xzf "$archive" -C "$scratch/unpacked"
folder=$(ls -d "$scratch"/unpacked/Tarvel-*-linux-x86_64)
for entry in vst/libtarvel-vst.so README.txt lv2/tarvel.lv2/manifest.ttl lv2/tarvel.lv2/tarvel.so \
    lv2/tarvel.lv2/tarvel_ui.so; do
    [ -s "$folder/$entry" ] || { echo "the package lacks $entry"; exit 1; }
done
# Beside the library and the README only the LV2 bundle's folder.
extra=$(cd "$folder" && find . -type f ! -path ./vst/libtarvel-vst.so ! -path ./README.txt \
    ! -path './lv2/tarvel.lv2/*')
[ -z "$extra" ] || { echo "the package holds more than it should: $extra"; exit 1; }
library="$folder/vst/libtarvel-vst.so"
cmake -D NM=nm -D READELF=readelf -D LIBRARY="$library" -D EDITOR=X11 \
    -P "$root/tests/native_vst/check_library_symbols.cmake"
for signal in default noise slow; do
    cmake -D RENDER="$native_tree/tools/tarvel-render/tarvel-render" "-DPLUGIN_ARGS=--plugin;$library" \
        -D WORK_DIR="$scratch/renders" -D NAME="$signal" \
        "-DARGS=--signal $signal --random-blocks 7 --cc1 1000:30" \
        -P "$root/tests/render_comparison/compare_render.cmake" >/dev/null
done
"$native_tree/tests/native_vst/library_stress" cycles 200 "$library"
# The release library is a guest: no test bookkeeping, nothing run at the
# host's exit, and a host closing it from a global's destructor at exit
# (editor never opened, opened and closed, still open) exits cleanly under
# valgrind. The host is built here without sanitizers, as real hosts are.
cmake -D NM=nm -D LIBRARY="$library" -P "$root/tests/native_vst/check_guest_symbols.cmake"
cmake -D NM=nm -D LIBRARY="$folder/lv2/tarvel.lv2/tarvel_ui.so" \
    -P "$root/tests/native_vst/check_guest_symbols.cmake"
c++ -std=c++17 -O1 -I"$root/src" "$root/tests/native_vst/exit_close_host.cpp" \
    -o "$scratch/exit_close_host" -lX11 -ldl
modes=never
[ -n "${DISPLAY:-}" ] && modes="never opened open"
for mode in $modes; do
    valgrind -q --error-exitcode=9 "$scratch/exit_close_host" "$mode" "$library" ||
        { echo "closing the plug-in at exit ($mode) under valgrind failed"; exit 1; }
done
# The bundle's panel shows hosts its descriptor alone.
cmake -D LIBRARY="$folder/lv2/tarvel.lv2/tarvel_ui.so" -D ENTRY=lv2ui_descriptor \
    "-D FORBIDDEN=gtk|gdk|glib|qt|Qt" -P "$root/tests/lv2/binary_exports.cmake"
# The bundle as an LV2 host finds it, rendering what the linked-in plug-in
# renders.
LV2_PATH="$folder/lv2" lv2ls | grep -q 'https://ostrand.example/plugins/tarvel' ||
    { echo "lv2ls does not find the packaged bundle"; exit 1; }
"$native_tree/tools/tarvel-render/tarvel-render" -q --signal noise "$scratch/lv2-linked.wav"
"$native_tree/tools/tarvel-render/tarvel-render" -q --signal noise \
    --plugin "$folder/lv2/tarvel.lv2" "$scratch/lv2-packaged.wav"
cmp "$scratch/lv2-linked.wav" "$scratch/lv2-packaged.wav" ||
    { echo "the packaged bundle renders other samples"; exit 1; }
echo "package checked: $(basename "$archive")"
