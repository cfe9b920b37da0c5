#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: native unit
# tests, the tests of the native Linux library and the Wine tests of the real
# TARVEL.dll, under a virtual display; then the two sanitizer trees: each fuzz
# target for a short fixed time (libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer) and the thread stress test under
# ThreadSanitizer; then writes the Linux package from a release build.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
wineserver -w || true
cd "$root"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset native -j2 "$@" || status=1

for tree in fuzz tsan; do
    cmake --preset "$tree" >/dev/null
    cmake --build --preset "$tree"
    ctest --preset "$tree" -j2 || status=1
done

"$root/scripts/package-linux.sh" || status=1
exit "$status"
