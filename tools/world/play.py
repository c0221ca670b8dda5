#!/usr/bin/env python3
"""Plays a walkthrough file through the terminal front end and checks its
"# expect:" lines. Usage: play.py TERM_BINARY WALKTHROUGH [DATA_FOLDER]"""
import subprocess
import sys

term, path = sys.argv[1], sys.argv[2]
folder = sys.argv[3] if len(sys.argv) > 3 else "data"
steps = []  # (command, [expected texts], line number)
for n, line in enumerate(open(path), 1):
    line = line.rstrip("\n")
    if line.startswith("# expect:"):
        steps[-1][1].append(line[len("# expect:"):].strip())
    elif line.startswith("#") or not line.strip():
        continue
    else:
        steps.append((line, [], n))
inp = "".join(c + "\n" for c, _, _ in steps)
out = subprocess.run([term, "--folder", folder, "--virtual-clock", "--silent", "--no-splash"],
                     input=inp, capture_output=True, text=True).stdout.split("\n")
pos, chunks = 0, []
starts = []
for c, _, _ in steps:
    while pos < len(out) and out[pos] != c:
        pos += 1
    starts.append(pos)
    pos += 1
starts.append(len(out))
bad = 0
for i, (c, exp, n) in enumerate(steps):
    chunk = "\n".join(out[starts[i]:starts[i + 1]])
    for e in exp:
        if e not in chunk:
            bad += 1
            print("line %d: '%s' did not print '%s'; it printed:\n%s\n" % (n, c, e, chunk))
    if "you are dead TRY AGAIN" in chunk:
        print("line %d: '%s' killed the player" % (n, c))
        bad += 1
        break
    if bad:
        break
print("FAIL" if bad else "PASS")
sys.exit(1 if bad else 0)
