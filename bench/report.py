#!/usr/bin/env python3
"""Turns the benchmark program's JSON output into Markdown tables: the
machine, then nanoseconds per frame (median of the repetitions) and the ratio
to the gain baseline on the same signal and block size, then the checks the
block path aims for, and the editor's drawing times."""
import json
import os
import re
import sys

SIGNALS = ["silence", "sine100", "noise", "longPositive", "denormal"]
MIDI = ["none", "16perBlock", "249queued"]
EVENTS = {"none": 0, "16perBlock": 16, "249queued": 249}
SIZES = [32, 64, 512, 4096]
EDITOR = [("sliderIdleRedraw", "one slider redrawn by the editor's idle"),
          ("fullPaint", "whole window damaged and painted"),
          ("fullDraw", "whole frame drawn at once (drawAll)")]
UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def machine(context):
    model = "unknown processor"
    try:
        with open("/proc/cpuinfo") as cpuinfo:
            for line in cpuinfo:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    load = ", ".join(f"{x:.2f}" for x in context.get("load_avg", []))
    return (f"{model}, {os.cpu_count()} cores at {context.get('mhz_per_cpu', '?')} MHz; "
            f"load average at the start {load or '?'}; {context.get('date', '')}")


def read(path):
    with open(path) as file:
        data = json.load(file)
    times = {}
    editor = {}
    for run in data["benchmarks"]:
        if run.get("aggregate_name", "median") != "median" or "error_occurred" in run:
            continue
        if "time_per_frame" in run:
            times[run["run_name"]] = run["time_per_frame"] * 1e9
        elif "pixels" in run:
            cpu_ns = run["cpu_time"] * UNIT_NS[run.get("time_unit", "ns")]
            editor[run["run_name"]] = (cpu_ns, run["pixels"])
    return data["context"], times, editor


def editor_table(editor):
    out = ["", "### Editor", "",
           "CPU time per operation (median of the repetitions) on the headless backend, "
           "and the pixels drawn per second.", "",
           "| operation | µs per operation | million pixels per second |", "|---|---|---|"]
    for name, what in EDITOR:
        run = editor.get(f"editor/{name}")
        if run is None:
            continue
        out.append(f"| {what} | {run[0] / 1e3:.1f} | {run[1] / 1e6:.0f} |")
    return out if len(out) > 6 else []


def cell(times, name, gain, add=None):
    if name not in times:
        return "–"
    if not gain:
        return f"{times[name]:.3f}"
    text = f"{times[name]:.3f} ({times[name] / gain:.2f}×"
    return text + (f"; {times[name] / add:.2f}× add)" if add else ")")


def ratio(times, name, base):
    return times[name] / times[base] if name in times and base in times else float("nan")


def main(path):
    context, times, editor = read(path)
    out = [f"Machine: {machine(context)}.", ""]
    out.append("Nanoseconds per frame, median of the repetitions; in brackets the ratio "
               "to the gain baseline (input times a gain to both outputs) on the same "
               "signal and block size and, for process, also to the add-gain baseline "
               "(input times a gain added to both outputs, which reads them too).")
    for frames in SIZES:
        out += ["", f"### {frames} frames", "",
                "| signal | copy | gain | add gain | MIDI | processReplacing | process |",
                "|---|---|---|---|---|---|---|"]
        for signal in SIGNALS:
            gain = times.get(f"gain/{signal}/none/{frames}")
            if gain is None:
                continue
            add = times.get(f"addGain/{signal}/none/{frames}")
            for midi in MIDI:
                first = midi == "none"
                out.append("| " + " | ".join([
                    signal if first else "",
                    cell(times, f"copy/{signal}/none/{frames}", gain) if first else "",
                    f"{gain:.3f}" if first else "",
                    cell(times, f"addGain/{signal}/none/{frames}", gain) if first else "",
                    midi,
                    cell(times, f"processReplacing/{signal}/{midi}/{frames}", gain),
                    cell(times, f"process/{signal}/{midi}/{frames}", gain, add),
                ]) + " |")

    out += ["", "### Checks at 512 frames", "",
            "| check | processReplacing | process | aim |", "|---|---|---|---|"]
    for signal in SIGNALS:
        row = [f"{signal}, no MIDI, ratio to gain"]
        for op in ("processReplacing", "process"):
            row.append(f"{ratio(times, f'{op}/{signal}/none/512', f'gain/{signal}/none/512'):.2f}")
        out.append("| " + " | ".join(row) + " | ≤ 1.5 (silence ≈ 1.0) |")
    for signal in SIGNALS:
        out.append(f"| {signal}, no MIDI, process to add gain | – | "
                   f"{ratio(times, f'process/{signal}/none/512', f'addGain/{signal}/none/512'):.2f}"
                   " | (the same traffic as process) |")
    for signal in SIGNALS:
        row = [f"{signal}, 16 events per block, ratio to gain"]
        for op in ("processReplacing", "process"):
            row.append(
                f"{ratio(times, f'{op}/{signal}/16perBlock/512', f'gain/{signal}/none/512'):.2f}")
        out.append("| " + " | ".join(row) + " | ≤ 2 |")
    for midi in MIDI:
        row = [f"denormal ÷ silence, {midi}"]
        for op in ("processReplacing", "process"):
            row.append(f"{ratio(times, f'{op}/denormal/{midi}/512', f'{op}/silence/{midi}/512'):.2f}")
        out.append("| " + " | ".join(row) + " | ≤ 2 |")

    out += ["", "### Cost per event at 512 frames", "",
            "Extra time per block over the same signal without MIDI, divided by the events "
            "per block (each event is admitted, released, relayed to the host and, for "
            "controller 1, applied): 249 queued events should cost about what 16 do, "
            "event for event.", "",
            "| signal | op | 16 per block (ns/event) | 249 queued (ns/event) |",
            "|---|---|---|---|"]
    for signal in SIGNALS:
        for op in ("processReplacing", "process"):
            base = times.get(f"{op}/{signal}/none/512")
            if base is None:
                continue
            costs = []
            for midi in ("16perBlock", "249queued"):
                name = f"{op}/{signal}/{midi}/512"
                costs.append(f"{(times[name] - base) * 512 / EVENTS[midi]:.1f}"
                             if name in times else "–")
            out.append(f"| {signal} | {op} | {costs[0]} | {costs[1]} |")
    out += editor_table(editor)
    print("\n".join(out))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build/bench/results.json")
