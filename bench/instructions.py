#!/usr/bin/env python3
"""Counts with callgrind the instructions each benchmark case executes per
frame (only inside measuredBlocks, so setting up is not counted) and prints
them as a Markdown table with the ratio to the gain baseline. Instruction
counts do not depend on the machine's load; they are a stable complement to
the timings, not a replacement (they ignore memory stalls and
mispredictions).

Usage: instructions.py <tarvel_instructions program> [frames ...]"""
import re
import subprocess
import sys

SIGNALS = ["silence", "sine100", "noise", "longPositive", "denormal"]
MIDI = ["none", "16perBlock", "249queued"]


def per_frame(program, operation, signal, midi, frames):
    run = subprocess.run(
        ["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
         "--toggle-collect=*measuredBlocks*", program, operation, signal, midi, str(frames)],
        capture_output=True, text=True, check=True)
    collected = re.search(r"Collected : (\d+)", run.stderr)
    return int(collected.group(1)) / int(run.stdout.strip())


def main(program, sizes):
    print("Instructions per frame (callgrind), in brackets the ratio to the gain baseline.")
    for frames in sizes:
        print(f"\n### {frames} frames\n")
        print("| signal | copy | gain | MIDI | processReplacing | process |")
        print("|---|---|---|---|---|---|")
        for signal in SIGNALS:
            copy = per_frame(program, "copy", signal, "none", frames)
            gain = per_frame(program, "gain", signal, "none", frames)
            for midi in MIDI:
                cells = []
                for operation in ("processReplacing", "process"):
                    count = per_frame(program, operation, signal, midi, frames)
                    cells.append(f"{count:.2f} ({count / gain:.2f}×)")
                first = midi == "none"
                print("| " + " | ".join([
                    signal if first else "", f"{copy:.2f}" if first else "",
                    f"{gain:.2f}" if first else "", midi] + cells) + " |")
        sys.stdout.flush()


if __name__ == "__main__":
    main(sys.argv[1], [int(size) for size in sys.argv[2:]] or [512])
