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
    print("Instructions per frame (callgrind), in brackets the ratio to the gain baseline "
          "and, for process, to the add-gain baseline too.")
    for frames in sizes:
        print(f"\n### {frames} frames\n")
        print("| signal | copy | gain | add gain | MIDI | processReplacing | process |")
        print("|---|---|---|---|---|---|---|")
        for signal in SIGNALS:
            base = {name: per_frame(program, name, signal, "none", frames)
                    for name in ("copy", "gain", "addGain")}
            for midi in MIDI:
                replacing = per_frame(program, "processReplacing", signal, midi, frames)
                adding = per_frame(program, "process", signal, midi, frames)
                first = midi == "none"
                print("| " + " | ".join([
                    signal if first else "",
                    *(f"{base[name]:.2f}" if first else "" for name in ("copy", "gain", "addGain")),
                    midi,
                    f"{replacing:.2f} ({replacing / base['gain']:.2f}×)",
                    f"{adding:.2f} ({adding / base['gain']:.2f}×; "
                    f"{adding / base['addGain']:.2f}× add)"]) + " |")
        sys.stdout.flush()


if __name__ == "__main__":
    main(sys.argv[1], [int(size) for size in sys.argv[2:]] or [512])
