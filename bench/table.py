#!/usr/bin/env python3
"""Prints the benchmarks' medians side by side with their ratios and aims.

Reads core.json, splash.json (Google Benchmark's JSON output, with
repetitions) and memory.txt from the results folder given as argument.
"""
import json
import os
import re
import sys

UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def medians(path):
    """name -> the median row of each benchmark (times in seconds)."""
    rows = {}
    if not os.path.exists(path):
        return rows
    with open(path) as f:
        data = json.load(f)
    for b in data.get("benchmarks", []):
        if b.get("aggregate_name") not in ("median", None):
            continue
        if b.get("error_occurred"):
            rows[b["run_name"]] = {"error": b.get("error_message", "error")}
            continue
        scale = UNIT[b.get("time_unit", "ns")]
        row = dict(b)
        row["real_s"] = b["real_time"] * scale
        row["cpu_s"] = b["cpu_time"] * scale
        rows[b.get("run_name", b["name"])] = row
    return rows


def fmt_time(s):
    if s is None:
        return "-"
    if s >= 1e-3:
        return f"{s * 1e3:.2f} ms"
    if s >= 1e-6:
        return f"{s * 1e6:.1f} us"
    return f"{s * 1e9:.0f} ns"


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "build-bench/bench-results"
    core = medians(os.path.join(folder, "core.json"))
    splash = medians(os.path.join(folder, "splash.json"))
    lines = []

    def get(rows, name):
        r = rows.get(name)
        if r is None or "error" in r:
            return None
        return r

    def row(what, value, beside="", ratio="", aim=""):
        lines.append(f"| {what} | {value} | {beside} | {ratio} | {aim} |")

    def both(r, per=1):
        return f"{fmt_time(r['real_s'] / per)} (cpu {fmt_time(r['cpu_s'] / per)})"

    lines.append("| measure (median; real time, cpu time) | figure | beside | ratio | aim |")
    lines.append("| --- | --- | --- | --- | --- |")

    cmd = get(core, "BM_WalkthroughCommand")
    floor = get(core, "BM_PictureDecodeFloor")
    changes = get(core, "BM_PictureDecodeChanges")
    if cmd and floor:
        n = cmd["commands"]
        ratio = cmd["real_s"] / floor["real_s"]
        ratio_cpu = cmd["cpu_s"] / floor["cpu_s"]
        row(f"one command, walkthrough of {int(n)}", both(cmd, n),
            f"picture decode per command {both(floor, floor['commands'])}",
            f"{ratio:.2f} (cpu {ratio_cpu:.2f})",
            "<= 1.5 " + ("met" if max(ratio, ratio_cpu) <= 1.5 else "MISSED"))
    if changes:
        row(f"decodes the game does ({int(changes['decodes'])} picture changes), per command",
            both(changes, changes["commands"]))

    lib = get(core, "BM_PictureDecodeLibraryOnly")
    former = get(core, "BM_PictureDecodeViaRgb")
    if floor:
        for r, label in ((lib, "  of which libjpeg-turbo alone, 24-bit"),
                         (former, "  the former way, 24-bit then copied into pixels")):
            if r:
                row(label + ", per command", both(r, r["commands"]), "", f"{r['cpu_s'] / floor['cpu_s'] * 100:.0f} % of the decode (cpu)")
    copy = get(core, "BM_SceneCopy")
    if copy:
        row(f"one copy of a scene ({int(copy['bytes']) // 1000} kB)", both(copy))

    fast = get(core, "BM_ComposeScene")
    naive = get(core, "BM_ComposeSceneNaive")
    if fast and naive:
        what = (f"scene composition, room {int(fast['room'])}, "
                f"{int(fast['characters'])} characters, {int(fast['objects'])} objects")
        row(what, both(fast), f"naive virtual pixels {both(naive)}",
            f"naive {naive['real_s'] / fast['real_s']:.1f} x slower (cpu {naive['cpu_s'] / fast['cpu_s']:.1f} x)")

    start = get(core, "BM_Startup")
    if start:
        row("start-up to the first room", both(start), "", "",
            "< 150 ms " + ("met" if start["real_s"] < 0.150 else "MISSED"))
        for name, label in (("BM_StartupDataFiles", "  data files"), ("BM_StartupImageLists", "  image lists"),
                            ("BM_StartupFirstRoom", "  first room shown")):
            part = get(core, name)
            if part:
                row(label, both(part), "", f"{part['cpu_s'] / start['cpu_s'] * 100:.0f} % of start-up (cpu)")

    undo_step = get(core, "BM_UndoStep")
    if undo_step and cmd:
        per_cmd = cmd["cpu_s"] / cmd["commands"]
        share = undo_step["cpu_s"] / per_cmd * 100
        row(f"undo step kept before a command (world of {int(undo_step['world_bytes'])} bytes copied, compared)",
            both(undo_step), f"one command {fmt_time(per_cmd)} (cpu)", f"{share:.1f} % of a command (cpu)",
            "<= 5 % " + ("met" if share <= 5 else "MISSED"))
    unchanged = get(core, "BM_UndoStepUnchanged")
    if unchanged:
        row("  the same, a command that changes nothing (not kept)", both(unchanged))
    undo = get(core, "BM_UndoWithRoomShown")
    if undo:
        per = undo["real_s"] / 2
        row("one undo (or redo) of a move, room shown", both(undo, 2), "", "",
            "< 2 ms " + ("met" if max(per, undo["cpu_s"] / 2) < 0.002 else "MISSED"))
    hist = get(core, "BM_UndoHistoryMemory/iterations:1")
    if hist:
        mb = hist["heap_bytes"] / 1e6
        row(f"memory of {int(hist['steps'])} undo steps after the walkthrough", f"{mb:.2f} MB",
            f"{hist['heap_bytes'] / max(hist['steps'], 1) / 1e3:.1f} kB a step", "",
            "< 4 MB " + ("met" if mb < 4 else "MISSED"))

    step = get(splash, "BM_SplashScrollStep")
    bare = get(splash, "BM_SplashScrollStepNoPaint")
    if step:
        row(f"splash scroll step with repaint, strip {int(step['strip_width'])} px", both(step),
            "timer interval 10 ms", f"{step['real_s'] / 0.010 * 100:.1f} % of the interval")
    if bare:
        row("splash scroll step without repaint", both(bare))

    mem = os.path.join(folder, "memory.txt")
    if os.path.exists(mem):
        with open(mem) as f:
            for line in f:
                m = re.match(r"(.*?)\s+(\d+) KiB\s+([\d.]+) MiB", line.strip())
                if not m:
                    continue
                label, mib = m.group(1), float(m.group(3))
                aim = ""
                if label.startswith("glimmerhold,"):
                    aim = "< 80 MB " + ("met" if mib * 1.048576 < 80 else "MISSED")
                row(f"peak resident, {label}", f"{mib:.1f} MiB", "", "", aim)

    print("\n".join(lines))


if __name__ == "__main__":
    main()
