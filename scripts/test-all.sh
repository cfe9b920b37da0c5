#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: native unit
# tests and the Wine tests of the real TARVEL.dll, under a virtual display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
wineserver -w || true
cd "$root"
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset native -j2 "$@"
