#!/usr/bin/env python3
"""tarvel-render --plot on a file: a sine whose cycles start on known frames.

Writes a 16-bit WAV of a sine of period 100 frames, crossing upwards at
frames 1, 101, 201, ...; renders it with --plot and --plot-data and checks
that the PNG was written and that the data handed to the drawing script has
the recording and replay stretches the capture rule gives: the cycle from
1 + 300k recorded up to its closing crossing, replayed with a closing zero
from 102 + 300k to 202 + 300k. Then renders again with a Python that is not
there: the render must still succeed and say that the plot was skipped;
and with a plot into a missing folder, which must fail before rendering.

Usage: plot_render_test.py TARVEL_RENDER WORK_DIR
"""
import json
import math
import os
import struct
import subprocess
import sys
import wave

PERIOD = 100
FRAMES = 4410
RATE = 44100


def write_sine(path):
    samples = [round(16384 * math.sin(2 * math.pi * (i - 0.5) / PERIOD)) for i in range(FRAMES)]
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % FRAMES, *samples))


def expected_stretches(first, last):
    recordings, replays = [], []
    start = 1
    while start < last:
        recordings.append([start, start + PERIOD, False])
        replays.append([start + PERIOD + 1, start + 2 * PERIOD + 2, False])
        start += 3 * PERIOD

    def inside(stretches):
        kept = []
        for begin, end, cut in stretches:
            begin, end = max(begin, first), min(end, last)
            if begin < end:
                kept.append([begin, end, cut])
        return kept

    return inside(recordings), inside(replays)


def check(condition, message):
    if not condition:
        print("FAIL: " + message)
        sys.exit(1)


def main():
    tool, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    source = os.path.join(work, "sine.wav")
    output = os.path.join(work, "sine-out.wav")
    picture = os.path.join(work, "sine.png")
    data_path = os.path.join(work, "sine.json")
    for path in (output, picture, data_path):
        if os.path.exists(path):
            os.remove(path)
    write_sine(source)

    # Frames 50 to 1000: the range cuts the first recording and a replay.
    run = subprocess.run([tool, source, output, "--plot", picture, "--plot-data", data_path,
                          "--plot-range", "50:1000"], capture_output=True, text=True)
    check(run.returncode == 0, "render failed: " + run.stderr)
    check("plot: " + picture in run.stdout, "no plot line in:\n" + run.stdout)
    with open(picture, "rb") as png:
        check(png.read(8) == b"\x89PNG\r\n\x1a\n", "the plot is not a PNG")
    with open(data_path) as handle:
        data = json.load(handle)
    check((data["first"], data["last"]) == (50, 1000), "range %r" % ((data["first"], data["last"]),))
    recordings, replays = expected_stretches(50, 1000)
    check(data["recordings"] == recordings, "recordings %r, not %r" % (data["recordings"], recordings))
    check(data["replays"] == replays, "replays %r, not %r" % (data["replays"], replays))
    check(data["framesPerColumn"] == 1 and len(data["inputLow"]) == 950, "every sample kept")

    # The whole file: the counts the summary prints are the stretches drawn.
    run = subprocess.run([tool, source, output, "--plot-data", data_path],
                         capture_output=True, text=True)
    check(run.returncode == 0, "render failed: " + run.stderr)
    with open(data_path) as handle:
        data = json.load(handle)
    recorded = len(data["recordings"])
    replayed = sum(1 for stretch in data["replays"] if stretch[1] - stretch[0] == PERIOD + 1)
    check("cycles: %d recorded, %d replayed in full" % (recorded, replayed) in run.stdout,
          "summary disagrees with %d and %d:\n%s" % (recorded, replayed, run.stdout))
    check((recorded, replayed) == (15, 15), "counted %d and %d" % (recorded, replayed))

    # No Python to draw with: the render is done, the plot skipped with a reason.
    os.remove(output)
    environment = dict(os.environ, TARVEL_PYTHON="/nonexistent/python3")
    run = subprocess.run([tool, source, output, "--plot", os.path.join(work, "none.png")],
                         capture_output=True, text=True, env=environment)
    check(run.returncode == 0, "render failed without Python: " + run.stderr)
    check("plot skipped: " in run.stderr and "/nonexistent/python3" in run.stderr,
          "no reason given: " + run.stderr)
    check(os.path.exists(output), "no output without Python")
    check(not os.path.exists(os.path.join(work, "none.png")), "a plot without Python")
    # A plot that cannot be written fails the run before it renders anything.
    missing = os.path.join(work, "no-such-folder", "sine.png")
    run = subprocess.run([tool, source, output + ".2.wav", "--plot", missing],
                         capture_output=True, text=True)
    check(run.returncode == 1 and "cannot write " + missing in run.stderr,
          "an unwritable plot went unnoticed: %d %s" % (run.returncode, run.stderr))
    check(not os.path.exists(output + ".2.wav"), "rendered although the plot cannot be written")
    print("tarvel-render --plot: every check passed")


if __name__ == "__main__":
    main()
