#!/usr/bin/env python3
"""Checks the page's game files fetched on demand.

- files.json lists every file of the site (but itself and the service
  worker) with its size and nothing else,
  and the game folder is all there: each file of data/ either packed into
  glimmerhold.data or a file of the site's game/ folder with the same bytes.
- The room pictures are fetched when the game reads them and show: the
  opening's commands are played and the page's scene equals the terminal
  game's (within the decoders' tolerance), with pictures read from the site
  and others fetched ahead.
- A missing picture is reported as the desktop reports it: a copy of the
  site without room2.jpg (gone from the list too) shows the default picture
  with the terminal game's lines, as the terminal game does with a game
  folder without it; a picture that is listed but cannot be fetched gives the
  terminal game's box for a picture that cannot be loaded.

Exit status 0 when all holds; the failures are printed otherwise.
"""

import base64
import json
import os
import re
import shutil
import sys
import tempfile

import drive

# The opening: the second command goes south into room 2, the third takes
# a book there (the scene changes in a small rectangle).
OPENING = ["talk cat", "s", "get book"]


def list_check(site, data):
    """The failures of files.json against the site and the game folder."""
    fails = []
    with open(os.path.join(site, "files.json")) as f:
        listed = json.load(f)["files"]
    on_disk = {}
    for top, _, names in os.walk(site):
        for n in names:
            rel = os.path.relpath(os.path.join(top, n), site)
            if rel not in ("files.json", "sw.js"):  # the list, and the worker that holds its version
                on_disk[rel] = os.path.getsize(os.path.join(top, n))
    for name in sorted(set(listed) | set(on_disk)):
        if listed.get(name) != on_disk.get(name):
            fails.append(f"files.json says {name} has {listed.get(name)} bytes, the site {on_disk.get(name)}")
    with open(os.path.join(site, "glimmerhold.js"), encoding="utf-8") as f:
        packed = set(re.findall(r'"filename": ?"/game/([^"]+)"', f.read()))
    if not packed:
        fails.append("glimmerhold.js names no packed game file")
    for top, _, names in os.walk(data):
        for n in names:
            rel = os.path.relpath(os.path.join(top, n), data)
            site_copy = os.path.join(site, "game", rel)
            if rel in packed:
                if os.path.exists(site_copy):
                    fails.append(f"{rel} is both packed and a file of the site")
                continue
            if not os.path.isfile(site_copy):
                fails.append(f"{rel} is neither packed nor a file of the site")
                continue
            with open(site_copy, "rb") as a, open(os.path.join(data, rel), "rb") as b:
                if a.read() != b.read():
                    fails.append(f"the site's game/{rel} differs from data/{rel}")
    return fails


def play_page(args, site, profile, commands):
    """The page's record for the commands, its scene and what it fetched."""
    server = drive.serve(site)
    b = drive.Browser(args.chromium, profile)
    try:
        b.open(f"http://127.0.0.1:{server.server_address[1]}/index.html?clock=virtual")
        b.wait_for("typeof glimIdle === 'function' && glimIdle()", timeout=60)
        drive.play(b, [(0, c, []) for c in commands])
        events = b.eval("window.__log")
        scene = b.eval("document.getElementById('scene').toDataURL('image/png')")
        files = b.eval("glimFiles")
        errors = list(b.errors)
    finally:
        b.close()
        server.shutdown()
    return events, drive.read_png(base64.b64decode(scene.split(",", 1)[1])), files, errors


def compare(what, args, site, folder, profile, commands, allowed_error=None):
    """Plays the commands in the page and in the terminal game; the failures.
    A page error holding `allowed_error` is expected."""
    os.makedirs(profile)
    want = drive.terminal_record(args.term, folder, commands, profile)
    got, scene, files, errors = play_page(args, site, profile + "/page", commands)
    fails = [f"{what}: page error: {e}" for e in errors if not (allowed_error and allowed_error in e)]
    if drive.normalise(got) != drive.normalise(want):
        w, g = drive.normalise(want), drive.normalise(got)
        i = drive.first_difference(w, g)
        fails.append(f"{what}: the page shows {g[i:i + 2]!r} where the terminal game shows {w[i:i + 2]!r}")
    with open(profile + "/scene.png", "rb") as f:
        bad, worst = drive.compare_pictures("scene", drive.read_png(f.read()), scene)
    fails += [f"{what}: {x}" for x in bad]
    if worst is not None and worst > drive.SCENE_TOLERANCE:
        fails.append(f"{what}: the scene differs from the terminal game's by up to {worst}")
    return fails, want, files


def site_without(site, root, name, keep_listed):
    """A copy of the site without game/<name>; with keep_listed it stays in files.json."""
    copy = os.path.join(root, "site-" + ("listed" if keep_listed else "gone"))
    shutil.copytree(site, copy)
    os.remove(os.path.join(copy, "game", name))
    if not keep_listed:
        with open(os.path.join(copy, "files.json")) as f:
            listed = json.load(f)
        del listed["files"]["game/" + name]
        with open(os.path.join(copy, "files.json"), "w") as f:
            json.dump(listed, f)
    return copy


def main():
    args = drive.arguments(__doc__.split("\n")[0], walkthrough=False).parse_args()

    fails = list_check(args.site, args.folder)
    root = tempfile.mkdtemp(prefix="glim-web-files-")
    try:
        bad, _, files = compare("as built", args, args.site, args.folder, root + "/built", OPENING)
        fails += bad
        # Room 2's picture is fetched ahead from room 1 (or, when the game
        # reads it first, then); the scene above shows it.
        if "game/images/room2.jpg" not in files["reads"] + files["prefetches"]:
            fails.append("as built: room 2's picture was not fetched from the site")
        if not files["prefetches"]:
            fails.append("as built: no neighbouring room's picture was fetched ahead")

        # Without room2.jpg: the terminal game's folder lacks it too.
        folder = os.path.join(root, "data-gone")
        shutil.copytree(args.folder, folder)
        os.remove(os.path.join(folder, "images", "room2.jpg"))
        gone = site_without(args.site, root, "images/room2.jpg", keep_listed=False)
        bad, _, _ = compare("without room2.jpg", args, gone, folder, root + "/gone", OPENING)
        fails += bad

        # Listed but not fetched: the terminal game's room2.jpg cannot be
        # decoded, which it reports with the same box.
        with open(os.path.join(folder, "images", "room2.jpg"), "wb") as f:
            f.write(b"not a picture")
        listed = site_without(args.site, root, "images/room2.jpg", keep_listed=True)
        bad, want, _ = compare("room2.jpg listed, not fetched", args, listed, folder, root + "/listed", OPENING[:2],
                                allowed_error="404")
        fails += bad
        if not any("could be found or loaded" in e for e in want):
            fails.append("the terminal game reported no picture that cannot be loaded")
    finally:
        shutil.rmtree(root, ignore_errors=True)

    return drive.verdict(fails, "web: files.json lists the site; room pictures fetched on demand show; "
              "missing ones are reported as in the terminal game")


if __name__ == "__main__":
    sys.exit(main())
