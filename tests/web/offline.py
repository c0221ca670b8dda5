#!/usr/bin/env python3
"""The page installs and plays offline after the first visit.

Opens the page once with the server up: the service worker must install, and
once the first room is shown it must fetch every file of the site's offline
list. The manifest must name the page, its start and its install icons.
Then the server goes away for good and the page is opened again: it must
start from the cache and play the whole winning walkthrough with the
terminal game's lines, every room's picture included.

Exit status 0 when all holds.
"""

import json
import os
import shutil
import sys
import tempfile
import time

from drive import Browser, arguments, check, play, read_walkthrough, serve, terminal_record, verdict


def first_visit(b, port, site):
    """The first visit, online; returns the failures."""
    fails = []
    b.open(f"http://127.0.0.1:{port}/index.html?splash=no")
    b.wait_for("typeof glimIdle === 'function' && glimIdle()", timeout=60)
    b.wait_for("window.glimOffline && ['filled', 'none'].includes(glimOffline.state)", timeout=120)
    state = b.eval("glimOffline")
    with open(os.path.join(site, "files.json"), encoding="utf-8") as f:
        listing = json.load(f)
    if state["state"] != "filled" or state["files"] != len(listing["files"]) or state["of"] != len(listing["files"]):
        fails.append(f"the service worker kept {state} of {len(listing['files'])} files")
    # Runtime.evaluate awaits the answer only when asked to.
    r = b.send("Runtime.evaluate", {"expression": """(async () => {
        const link = document.querySelector('link[rel=manifest]');
        const m = await (await fetch(link.href)).json();
        const sizes = [];
        for (const i of m.icons) {
          const img = new Image();
          img.src = new URL(i.src, link.href).href;
          await img.decode();
          sizes.push(img.naturalWidth + 'x' + img.naturalHeight + ' ' + i.sizes);
        }
        return { name: m.name, start: m.start_url, display: m.display, sizes };
      })()""", "awaitPromise": True, "returnByValue": True})
    manifest = r["result"].get("value") or {}
    if manifest.get("name") != "Glimmerhold" or manifest.get("display") != "standalone" or not manifest.get("start"):
        fails.append(f"the manifest does not make the page installable: {manifest}")
    for s in manifest.get("sizes", []):
        real, said = s.split(" ")
        if real != said:
            fails.append(f"an install icon is {real}, its manifest says {said}")
    if not {"192x192 192x192", "512x512 512x512"} <= set(manifest.get("sizes", [])):
        fails.append(f"the manifest lacks the 192 and 512 icons: {manifest.get('sizes')}")
    return fails


def main():
    args = arguments(__doc__.split("\n")[0]).parse_args()

    steps = read_walkthrough(args.walkthrough)
    profile = tempfile.mkdtemp(prefix="glim-offline-")
    server = serve(args.site, no_store=True)
    port = server.server_address[1]
    b = Browser(args.chromium, profile)
    fails = []
    try:
        term_events = terminal_record(args.term, args.folder, [c for _, c, _ in steps], profile)
        t0 = time.monotonic()
        fails += first_visit(b, port, args.site)
        filled = time.monotonic() - t0
        # The server goes away: nothing can be fetched any more.
        server.shutdown()
        server.server_close()
        b.send("Page.navigate", {"url": f"http://127.0.0.1:{port}/index.html?clock=virtual"})
        b.wait_for("typeof glimIdle === 'function' && glimIdle()", timeout=60)
        parts = play(b, steps)
        page_events = b.eval("window.__log")
        panel = b.eval("[...document.getElementById('panel').children].map(e => e.textContent)")
        fails += check(steps, parts, page_events, term_events, panel)
        fails += [f"page error: {e}" for e in b.errors]
    finally:
        b.close()
        server.server_close()
        shutil.rmtree(profile, ignore_errors=True)
    print(f"web: the first visit kept the whole site for offline play in {filled:.1f} s")
    return verdict(fails, "web: offline, the page won the game with the terminal game's lines")


if __name__ == "__main__":
    sys.exit(main())
