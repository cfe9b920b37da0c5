#!/usr/bin/env bash
# Draws the README's pictures again into docs/: a few cycles of a plucked
# string through Tarvel (cycles.png) and a whole sentence of speech
# (speech.png), both from scripts/make-material.sh and tarvel-render --plot;
# the open editor (editor.png, drawn on the headless backend, which the Wine
# tests check against the real window, and editor-200.png at a scale of 2);
# and the control gallery
# (gallery.png). Builds what it needs in the native tree.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset native >/dev/null
cmake --build --preset native --target tarvel-render render-editor control-gallery >/dev/null

material=build/material
scripts/make-material.sh "$material"
render=build/native/tools/tarvel-render/tarvel-render
rm -f "$material/cycles.png" "$material/speech.png"
"$render" -q "$material/pluck.wav" "$material/pluck-tarvel.wav" \
    --plot "$material/cycles.png" --plot-range 0.3:0.33
"$render" -q "$material/speech.wav" "$material/speech-tarvel.wav" --plot "$material/speech.png"
# A plot skipped for want of matplotlib leaves the committed pictures alone.
for name in cycles speech; do
    if [ ! -f "$material/$name.png" ]; then
        echo "make-readme-pictures: no $name.png was drawn (see above)" >&2
        exit 1
    fi
    cp "$material/$name.png" "docs/$name.png"
done
# The editor as the plug-in opens, with both parameters at their default 1.0.
build/native/tests/support/render-editor/render-editor docs/editor.png 1 1 >/dev/null
# The same at 200 %, as on a display of twice the usual dots per inch.
build/native/tests/support/render-editor/render-editor --scale 2 docs/editor-200.png 1 1 >/dev/null
build/native/tools/control-gallery/control-gallery docs/gallery.png >/dev/null
echo "wrote docs/cycles.png, docs/speech.png, docs/editor.png, docs/editor-200.png, docs/gallery.png"
