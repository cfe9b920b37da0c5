#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: native unit
# tests, the tests of the native Linux library and the Wine tests of both
# real TARVEL.dll libraries, under a virtual display; then the two sanitizer
# trees: each fuzz target for a short fixed time (libFuzzer with
# AddressSanitizer and UndefinedBehaviorSanitizer) and the thread stress tests
# under ThreadSanitizer, the editor on the headless backend and in an X11
# window; last the benchmarks, each case briefly, so that a case whose own
# check of its work fails, fails the run. The native tests include writing
# the Linux package from a release build and checking the library in it.
# Where this machine cannot execute 32-bit programs, the tests of the 32-bit
# library are reported as skipped.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
# Whether 32-bit programs run here is decided once, by starting one; every
# test of the 32-bit library reads the answer.
if reason=$("$root/scripts/can-run-32bit"); then
    export TARVEL_RUN_32BIT=yes
else
    export TARVEL_RUN_32BIT="$reason"
fi
for width in 64 32; do
    (source "$root/scripts/wine-env.sh" "$width" && "$TARVEL_WINESERVER" -w) 2>/dev/null || true
done
cd "$root"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset native -j2 "$@" || status=1

for tree in fuzz tsan bench; do
    cmake --preset "$tree" >/dev/null
    cmake --build --preset "$tree"
    # The thread stress opens the editor in a real X11 window too.
    xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset "$tree" -j2 || status=1
done
if [ "$TARVEL_RUN_32BIT" != yes ]; then
    echo "The 32-bit library's Wine tests were skipped: this machine cannot run 32-bit programs ($TARVEL_RUN_32BIT)."
fi
exit "$status"
