#!/usr/bin/env bash
# Draws the plug-in's two pictures again: builds tools/draw-pictures natively
# in its own build directory and writes resources/background.bmp and
# resources/handle.bmp, and both at each larger scale (background-200.bmp,
# ...). With --png also writes PNG copies, plain and scaled up four times,
# into build/pictures/ for looking at.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

png=0
for arg in "$@"; do
    case "$arg" in
        --png) png=1 ;;
        *) echo "usage: scripts/make-pictures.sh [--png]" >&2; exit 2 ;;
    esac
done

build="build/draw-pictures"
cmake -S tools/draw-pictures -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null
"$build/draw-pictures" resources

if [ "$png" -eq 1 ]; then
    mkdir -p build/pictures
    for name in background handle \
        background-125 handle-125 background-150 handle-150 background-175 handle-175 \
        background-200 handle-200 background-250 handle-250 background-300 handle-300; do
        convert "resources/$name.bmp" "build/pictures/$name.png"
        convert "resources/$name.bmp" -filter point -resize 400% "build/pictures/$name-4x.png"
    done
    echo "wrote PNG copies into build/pictures/"
fi
