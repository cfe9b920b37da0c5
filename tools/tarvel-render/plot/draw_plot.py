#!/usr/bin/env python3
"""Draws the plot of one tarvel-render run.

Reads the plot's data (JSON, as tarvel-render writes it) on standard input
and writes a PNG to the path given: the left input above the output on one
time axis, the frames where the effect recorded a cycle and where it replayed
one shaded in two colours, controller 1 changes marked.

Exit status 3, with the reason on standard output, when numpy or matplotlib
is missing: the caller then reports the plot as skipped.
"""
import json
import math
import sys

LIBRARY_MISSING = 3

RECORDING_COLOUR = "#3a86d4"
REPLAY_COLOUR = "#f08a24"
MARK_COLOUR = "#8a3ab9"
WAVE_COLOUR = "#1d1d1d"
SHADE_ALPHA = 0.32

FIGURE_INCHES = (13.0, 6.4)
DPI = 120
# Where the two waveform panels sit in the figure (left, right as fractions).
PANEL_LEFT, PANEL_RIGHT = 0.075, 0.985


def frame_coverage(np, stretches, first, last, columns):
    """Share of each of `columns` equal slices of frames [first, last) that
    the stretches cover. The stretches are in frame order and do not
    overlap, so the frames covered before any frame x are the whole
    stretches that end by x and the part of the one x falls in; a long file
    needs no array of its frames."""
    frames = last - first
    bounds = first + (np.arange(columns + 1, dtype=np.int64) * frames) // columns
    if not stretches:
        return np.zeros(columns)
    spans = np.asarray(stretches, dtype=np.int64)[:, :2]
    starts, ends = spans[:, 0], spans[:, 1]
    before = np.concatenate([[0], np.cumsum(ends - starts)])
    whole = np.searchsorted(ends, bounds, side="right")
    inside = np.clip(bounds - starts[np.minimum(whole, len(starts) - 1)], 0, None)
    partial = np.where(whole < len(starts), inside, 0)
    covered = before[whole] + partial
    return np.diff(covered) / np.maximum(np.diff(bounds), 1)


def coverage(np, data, columns):
    """Shares of each of `columns` slices of the plotted frames that the
    effect spent recording and replaying."""
    first, last = data["first"], data["last"]
    return (frame_coverage(np, data["recordings"], first, last, columns),
            frame_coverage(np, data["replays"], first, last, columns))


def shading(np, recorded, replayed):
    """One row of RGBA pixels for behind the waveforms: the recording and
    replay colours, each as strong as the share of the slice it covers."""
    from matplotlib.colors import to_rgb

    total = recorded + replayed
    weight = np.where(total > 0, total, 1.0)
    rgb = (np.outer(recorded, to_rgb(RECORDING_COLOUR)) +
           np.outer(replayed, to_rgb(REPLAY_COLOUR))) / weight[:, None]
    alpha = SHADE_ALPHA * np.minimum(total, 1.0)
    return np.concatenate([rgb, alpha[:, None]], axis=1)[None, :, :]


def lanes(np, recorded, replayed):
    """Two rows of RGBA pixels, recording above replay: where the cycles are
    shorter than a pixel, the waveform shading mixes the two colours, so the
    lanes keep them apart. Any share at all shows clearly."""
    from matplotlib.colors import to_rgb

    rows = []
    for share, colour in ((recorded, RECORDING_COLOUR), (replayed, REPLAY_COLOUR)):
        alpha = np.where(share > 0, 0.3 + 0.7 * share, 0.0)
        rgb = np.tile(to_rgb(colour), (len(share), 1))
        rows.append(np.concatenate([rgb, alpha[:, None]], axis=1))
    return np.stack(rows)


def decibel_ticks(peak):
    """Tick positions on a linear amplitude axis, with their labels in dB
    (full scale 1.0 is 0 dB): up to three levels 6 dB apart from the peak
    down, of both signs, and silence at 0. Levels too close to 0 to read
    are left out."""
    # A peak a hair below a whole level (0.99998 for a full-scale sine) still
    # counts as that level.
    top = 6.0 * math.floor(20.0 * math.log10(peak) / 6.0 + 0.01)
    positions, labels = [0.0], ["\u2212inf"]
    for level in (top, top - 6.0, top - 12.0):
        amplitude = 10.0 ** (level / 20.0)
        if amplitude < 0.2 * peak:
            break
        text = ("%+.0f" % level).replace("-", "\u2212") if level != 0 else "0"
        positions += [amplitude, -amplitude]
        labels += [text, text]
    return positions, labels


def as_array(np, values):
    return np.array([math.nan if v is None else v for v in values], dtype=np.float64)


def draw(np, plt, data, png_path):
    rate = float(data["sampleRate"])
    first, last = data["first"], data["last"]
    per_column = data["framesPerColumn"]
    signals = {name: (as_array(np, data[name + "Low"]), as_array(np, data[name + "High"]))
               for name in ("input", "output")}
    peak = max([np.nanmax(np.abs(part)) if np.isfinite(part).any() else 0.0
                for pair in signals.values() for part in pair] + [0.0])
    peak = peak if peak > 0.0 else 1.0
    start_time, end_time = first / rate, last / rate
    times = (first + np.arange(len(signals["input"][0])) * per_column) / rate

    figure, (*axes, lane) = plt.subplots(3, 1, sharex=True, figsize=FIGURE_INCHES, dpi=DPI,
                                         gridspec_kw={"height_ratios": (1.0, 1.0, 0.16)})
    figure.subplots_adjust(left=PANEL_LEFT, right=PANEL_RIGHT, top=0.84, bottom=0.14, hspace=0.08)
    # One shading pixel per screen pixel at most, so that no stretch falls
    # between two; a zoomed plot gets one per frame.
    panel_pixels = int(FIGURE_INCHES[0] * DPI * (PANEL_RIGHT - PANEL_LEFT))
    recorded, replayed = coverage(np, data, min(last - first, panel_pixels))
    pixels = shading(np, recorded, replayed)
    lane.imshow(lanes(np, recorded, replayed), extent=(start_time, end_time, 0.0, 2.0),
                aspect="auto", interpolation="nearest")
    lane.set_ylim(0.0, 2.0)
    lane.set_yticks((1.5, 0.5), ("recorded", "replayed"), fontsize=8)
    lane.tick_params(axis="y", length=0)
    lane.axhline(1.0, color="#d0d0d0", linewidth=0.6)

    titles = {"input": "input (left)", "output": "output"}
    for ax, name in zip(axes, ("input", "output")):
        low, high = signals[name]
        ax.imshow(pixels, extent=(start_time, end_time, -1.1 * peak, 1.1 * peak),
                  aspect="auto", interpolation="nearest", zorder=0)
        if per_column == 1:
            # Every sample: a line through them, dots when they are few.
            few = len(low) <= 400
            ax.plot(times, low, color=WAVE_COLOUR, linewidth=1.1, zorder=2,
                    marker="." if few else None, markersize=3)
            if name == "output":
                input_line = signals["input"][0]
                ax.plot(times, input_line, color=WAVE_COLOUR, linewidth=0.8, alpha=0.35,
                        linestyle="--", zorder=1, label="input, for comparison")
        else:
            ax.fill_between(times, low, high, step="post", color=WAVE_COLOUR,
                            linewidth=0.4, zorder=2)
        positions, labels = decibel_ticks(peak)
        ax.set_yticks(positions, labels)
        ax.set_ylim(-1.1 * peak, 1.1 * peak)
        ax.set_ylabel(titles[name] + "\nlevel (dB)")
        ax.grid(axis="y", color="#d0d0d0", linewidth=0.6, zorder=1)
        ax.axhline(0.0, color="#909090", linewidth=0.6, zorder=1)
        for mark in data["marks"]:
            ax.axvline(mark["frame"] / rate, color=MARK_COLOUR, linewidth=1.4, zorder=3)

    lane.set_xlim(start_time, end_time)
    lane.xaxis.get_major_formatter().set_useOffset(False)
    lane.set_xlabel("time (s)")
    frames_axis = axes[0].secondary_xaxis("top", functions=(lambda t: t * rate,
                                                            lambda f: f / rate))
    frames_axis.set_xlabel("frame", fontsize=9)
    frames_axis.tick_params(labelsize=8)
    frames_axis.xaxis.get_major_formatter().set_useOffset(False)
    frames_axis.xaxis.get_major_formatter().set_scientific(False)
    for mark in data["marks"]:
        axes[0].annotate(mark["text"], xy=(mark["frame"] / rate, 1.0),
                         xycoords=("data", "axes fraction"), xytext=(4, -12),
                         textcoords="offset points", color=MARK_COLOUR, fontsize=8,
                         rotation=0, va="top", zorder=4,
                         bbox=dict(facecolor="white", edgecolor="none", alpha=0.8, pad=1))

    from matplotlib.lines import Line2D
    from matplotlib.patches import Patch

    handles = [Patch(color=RECORDING_COLOUR, alpha=SHADE_ALPHA + 0.2, label="cycle recorded"),
               Patch(color=REPLAY_COLOUR, alpha=SHADE_ALPHA + 0.2, label="cycle replayed")]
    if data["marks"]:
        handles.append(Line2D([], [], color=MARK_COLOUR, label="controller 1 sets ncvolume"))
    if per_column == 1:
        handles.append(Line2D([], [], color=WAVE_COLOUR, alpha=0.35, linestyle="--",
                              label="input, for comparison"))
    figure.legend(handles=handles, loc="lower center", ncol=len(handles), frameon=False,
                  bbox_to_anchor=(0.5 * (PANEL_LEFT + PANEL_RIGHT), 0.0), fontsize=9)
    figure.text(PANEL_LEFT, 0.965, data["title"], fontsize=12, weight="bold", va="top")
    figure.text(PANEL_LEFT, 0.915, data["settings"] + "    " + data["counts"], fontsize=9,
                va="top", color="#404040")
    figure.savefig(png_path)
    plt.close(figure)


def main():
    if len(sys.argv) != 2:
        print("usage: draw_plot.py OUTPUT.png < plot.json", file=sys.stderr)
        return 2
    # All of the data first: the caller is still writing it. File names in
    # the title may be any bytes; they need not stop the picture.
    data = json.loads(sys.stdin.buffer.read().decode("utf-8", errors="replace"))
    try:
        import numpy as np
        import matplotlib
        matplotlib.use("Agg")
        import matplotlib.pyplot as plt
    except ImportError as missing:
        print("%s is not installed for %s (Debian: python3-matplotlib)"
              % (missing.name or "matplotlib", sys.executable))
        return LIBRARY_MISSING
    try:
        draw(np, plt, data, sys.argv[1])
    except OSError as error:
        print("cannot write %s: %s" % (sys.argv[1], error.strerror or error))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
