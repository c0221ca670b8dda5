#!/usr/bin/env python3
"""The death tour in the browser page: every way to die, each followed by the
fresh game it starts, played in headless Chromium and in the terminal game.

The tour's long journeys are skipped with the window's hidden room-jump
button (":room N" in the file): the page presses it and answers its box with
the room's number, as the terminal game does for ":room N". ":wait N" lets N
seconds pass in the page as in the terminal game. Every command
must print its "# expect:" texts, the tour must die as often as the file
says, and the page must show the terminal game's lines (the boxes' own
lines aside: the terminal writes them, the page shows them in a dialog).

Exit status 0 when all holds.
"""

import shutil
import sys
import tempfile
import time

from drive import (DEATH, Browser, answer_boxes, arguments, enter, normalise, record_difference, serve, terminal_record,
                   verdict)


def read_tour(path):
    """(line number, command or ":room N", [expected texts]) for each step."""
    steps = []
    with open(path, encoding="latin-1") as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip("\r\n")
            if line.startswith("# expect:"):
                steps[-1][2].append(line[len("# expect:"):].lstrip(" "))
            elif line and not line.startswith("#"):
                if line.startswith(":") and not line.startswith((":room ", ":wait ")):
                    raise SystemExit(f"{path}:{n}: the page has no meta-command {line}")
                steps.append((n, line, []))
    return steps


def jump(b, room):
    """Presses the hidden room-jump button and answers its box with `room`."""
    b.eval("glimControl(12)")
    b.wait_for("!document.getElementById('box').hidden && !document.getElementById('box-input').hidden", timeout=10)
    b.eval("document.getElementById('box-input').value = %r; document.getElementById('box-ok').click()" % room)
    answer_boxes(b)


def play_tour(b, steps):
    """Plays the tour; returns what each step added to the panel's record."""
    parts = []
    for _, step, _ in steps:
        start = b.eval("window.__log.length")
        if step.startswith(":room "):
            jump(b, step.split(None, 1)[1])
        elif step.startswith(":wait "):
            b.eval("glimWait(%d)" % int(step.split()[1]))
            answer_boxes(b)
        else:
            enter(b, step)
            answer_boxes(b)
        parts.append(b.eval(f"window.__log.slice({start})"))
    return parts


def without_boxes(events):
    return [e for e in events if not e.startswith("[box] ")]


def main():
    ap = arguments(__doc__.split("\n")[0], walkthrough=False)
    ap.add_argument("--tour", required=True, help="the death tour (tests/walkthrough/deaths.txt)")
    args = ap.parse_args()

    steps = read_tour(args.tour)
    profile = tempfile.mkdtemp(prefix="glim-deaths-")
    server = serve(args.site)
    b = Browser(args.chromium, profile)
    try:
        term = terminal_record(args.term, args.folder, [s for _, s, _ in steps], profile)
        b.open(f"http://127.0.0.1:{server.server_address[1]}/index.html?clock=virtual")
        b.wait_for("typeof glimIdle === 'function' && glimIdle()", timeout=60)
        t0 = time.monotonic()
        parts = play_tour(b, steps)
        played = time.monotonic() - t0
        page = b.eval("window.__log")
        errors = list(b.errors)
    finally:
        b.close()
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)

    fails = []
    for (n, step, expects), part in zip(steps, parts):
        text = "\n".join(part)
        fails += [f"line {n}: {step!r} did not print {e!r}" for e in expects if e not in text]
    deaths = sum("\n".join(p).count(DEATH) for p in parts)
    want_deaths = sum(e.count(DEATH) for _, _, es in steps for e in es)
    if deaths < want_deaths or deaths == 0:
        fails.append(f"the page died {deaths} times, the tour expects {want_deaths}")
    fails += record_difference(normalise(without_boxes(term)), normalise(without_boxes(page)))
    fails += [f"page error: {e}" for e in errors]
    print(f"web: the death tour, {len(steps)} steps and {deaths} deaths, played in the page in {played:.1f} s")
    return verdict(fails, "web: the page died where the tour says, with the terminal game's lines")


if __name__ == "__main__":
    sys.exit(main())
