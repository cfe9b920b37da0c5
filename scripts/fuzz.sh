#!/usr/bin/env bash
# Runs each fuzz target for a fixed time (default 300 s) from the corpus kept
# in tests/fuzz/corpus/<target>/, then merges what it found back into that
# corpus, minimised: only inputs that add coverage are kept (-merge=1).
# Findings (crashes, broken checks, leaks, timeouts) land in build/fuzz/findings/
# and make the script fail.
#
# Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
seconds="${1:-300}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

bin_dir=build/fuzz/tests/fuzz
work_dir=build/fuzz/fuzz-work
findings=build/fuzz/findings
mkdir -p "$findings"
status=0
for target in dispatcher audio_midi editor lv2_run; do
    fuzzer="$bin_dir/${target}_fuzz"
    corpus="tests/fuzz/corpus/$target"
    found="$work_dir/$target-found"
    merged="$work_dir/$target-merged"
    log="$work_dir/$target.log"
    rm -rf "$found" "$merged"
    mkdir -p "$corpus" "$found" "$merged"

    echo "fuzz: $target for $seconds s"
    if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        "$found" "$corpus" >"$log" 2>&1; then
        echo "fuzz: $target: FINDING (see $log and $findings/)"
        tail -n 40 "$log"
        status=1
        continue
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")

    "$fuzzer" -merge=1 "$merged" "$corpus" "$found" >"$log.merge" 2>&1
    find "$corpus" -type f -delete
    cp "$merged"/. "$corpus"/ -r
    files=$(find "$corpus" -type f | wc -l)
    bytes=$(find "$corpus" -type f -printf '%s\n' | awk '{s += $1} END {print s + 0}')
    echo "fuzz: $target: $executions executions ($rate/s), no finding;" \
        "corpus $files inputs, $bytes bytes"
done
exit "$status"
