#!/usr/bin/env python3
"""The drawing script's own arithmetic, with numpy but without drawing:
the shading it draws covers exactly the frames of the stretches it is
given (one column per frame, and shares when columns hold many frames), and
its dB ticks sit where their levels are.

Usage: draw_plot_test.py DRAW_PLOT_SCRIPT
"""
import importlib
import math
import os
import random
import sys

import numpy as np


def load(path):
    sys.path.insert(0, os.path.dirname(os.path.abspath(path)))
    return importlib.import_module(os.path.splitext(os.path.basename(path))[0])


def frames_of(stretches, first, last):
    covered = np.zeros(last - first)
    for start, end, _ in stretches:
        covered[start - first:end - first] = 1.0
    return covered


def main():
    draw_plot = load(sys.argv[1])
    failures = 0

    # The sine of period 100 from frame 1: recorded 1-101, replayed 102-203.
    stretches = [[1 + 300 * k, 101 + 300 * k, False] for k in range(4)]
    shading = draw_plot.frame_coverage(np, stretches, 0, 1000, 1000)
    expected = frames_of(stretches, 0, 1000)
    if not np.array_equal(shading, expected):
        print("FAIL: per-frame shading is not the stretches' frames")
        failures += 1

    random.seed(3)
    for trial in range(200):
        first = random.randint(0, 100)
        last = first + random.randint(1, 3000)
        stretches, frame = [], first
        while True:
            frame += random.randint(0, 40)
            end = frame + random.randint(1, 60)
            if end > last:
                break
            stretches.append([frame, end, False])
            frame = end
        columns = random.randint(1, last - first)
        shares = draw_plot.frame_coverage(np, stretches, first, last, columns)
        covered = frames_of(stretches, first, last)
        bounds = (np.arange(columns + 1) * (last - first)) // columns
        wanted = [covered[bounds[i]:bounds[i + 1]].mean() for i in range(columns)]
        if not np.allclose(shares, wanted):
            print("FAIL: shares of %d columns over frames %d-%d" % (columns, first, last))
            failures += 1
            break

    positions, labels = draw_plot.decibel_ticks(0.99998)
    for position, label in zip(positions, labels):
        if position != 0.0:
            level = float(label.replace("\u2212", "-"))
            if not math.isclose(20.0 * math.log10(abs(position)), level, abs_tol=1e-9):
                print("FAIL: tick %s at %g" % (label, position))
                failures += 1
    if labels[:3] != ["\u2212inf", "0", "0"]:
        print("FAIL: a full-scale peak gets labels %r" % (labels,))
        failures += 1

    if failures:
        sys.exit(1)
    print("draw_plot.py: every check passed")


if __name__ == "__main__":
    main()
