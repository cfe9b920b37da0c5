#!/usr/bin/env bash
# Builds the benchmarks (release, no sanitizers) and runs them all: each one
# repeated (TARVEL_BENCH_REPETITIONS, default 5, each at least
# TARVEL_BENCH_MIN_TIME seconds, default 0.2), the repetitions of all of them
# interleaved at random so that a busy moment on the machine does not fall on
# one benchmark alone, and each reported by its median.
# Writes build/bench/results.json and build/bench/results.md, a table of
# nanoseconds per frame and ratios to the gain baseline, and prints the table.
# Extra arguments go to the benchmark program, e.g. --benchmark_filter=/512$
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset bench >/dev/null
cmake --build --preset bench
results="$root/build/bench/results.json"
build/bench/bench/tarvel_bench \
    --benchmark_repetitions="${TARVEL_BENCH_REPETITIONS:-5}" \
    --benchmark_min_time="${TARVEL_BENCH_MIN_TIME:-0.2}" \
    --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$results" --benchmark_out_format=json "$@"
python3 bench/report.py "$results" >"$root/build/bench/results.md"
cat "$root/build/bench/results.md"
