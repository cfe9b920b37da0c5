#!/usr/bin/env bash
# Builds the benchmarks and counts, under callgrind, the instructions per
# frame of every case at the given block sizes (default 512): a measure that
# does not depend on the machine's load. Writes build/bench/instructions.md
# and prints it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset bench >/dev/null
cmake --build --preset bench
python3 bench/instructions.py build/bench/bench/tarvel_instructions "$@" |
    tee "$root/build/bench/instructions.md"
