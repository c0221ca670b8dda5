#!/usr/bin/env python3
"""Measures the browser page: what it transfers, how fast it loads, what a command costs beside native.

The built site is served on 127.0.0.1 by Python's http.server (no
compression; the server sends the headers that isolate the page, so that
its timers are precise to microseconds) and opened in headless Chromium with
a fresh profile each time, driven over the DevTools protocol
(tests/web/drive.py).

- Transfer: every response's bytes on the wire (Network.loadingFinished)
  of the requests sent from the navigation to the first room: the first
  visit up to the first room, and of it what the first room needs (all but
  the pictures fetched ahead for the neighbouring rooms); then the whole
  first visit, with the service worker's fetching of the rest of the site
  for offline play, which starts after the first room. Beside them,
  what a static host that compresses would send: each text file (html, js,
  css, json) and the module (wasm) at gzip -9, the rest as it is.
- Load: from the navigation's start to the first room shown (its last line
  printed and its picture drawn, then a frame), median of --runs fresh
  profiles; the splash is skipped (?splash=no), as by a player who
  dismisses it at once.
- Commands: the winning walkthrough typed into a fresh page on the virtual
  clock; each command's time in the page is what glimStats adds for it
  (the call into the game, its waits and boxes and file fetches included).
  Before each command the page is given the time a player spends reading:
  the command is typed once the page's fetches and decodes ahead have ended
  (--no-reading types at once).
  The walkthrough is played --plays times, each in a fresh profile, and
  each command's least time counts (the machine's other work only adds to
  a time). With --native (glim_bench, the benchmark tree's), the same
  commands' least native times come from its BM_CommandAsWindow, and the
  ratios per command are reported (median, 90th percentile, worst).
- Memory: the tab's JavaScript heap and the module's memory, sampled every
  ten commands, and the renderer process's peak resident size (VmHWM).

Prints a summary and writes every figure as JSON (--out).
"""

import argparse
import functools
import gzip
import http.server
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "web"))
import drive  # noqa: E402

COMPRESSED = (".html", ".js", ".css", ".json", ".wasm")

# Set on the page before it loads: the moment (ms since the navigation
# started) when the first room's text (up to its "what shall we do now?",
# printed in the same turn as the lines after it) and its picture are both
# shown and a frame has been drawn after them.
FIRST_ROOM = """
(() => {
  if (window !== window.top) return;  // the help dialog's frame
  let line = false, picture = false;
  const done = () => {
    if (line && picture && window.__firstRoom === undefined)
      requestAnimationFrame(() => { window.__firstRoom = performance.now(); });
  };
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...a) {
    put.apply(this, a);
    if (this.canvas.id === 'scene') { picture = true; done(); }
  };
  document.addEventListener('DOMContentLoaded', () => {
    const panel = document.getElementById('panel');  // none in the page's frames (the help's pages)
    if (!panel) return;
    new MutationObserver((records) => {
      for (const r of records)
        for (const n of r.addedNodes) if (n.textContent === 'what shall we do now?') { line = true; done(); }
    }).observe(panel, { childList: true });
  });
})();
"""


class NetBrowser(drive.Browser):
    """The test driver's browser, keeping the network events."""

    def __init__(self, *args):
        super().__init__(*args)
        self.net = []

    def open(self, url, before=None):
        """As the driver's open, with the network watched and `before`
        evaluated in every new document from the start."""
        target = self.send("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
        self.session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True},
                                 session=False)["sessionId"]
        for domain in ("Runtime", "Page", "Log", "Network", "Performance"):
            self.send(domain + ".enable")
        self.send("Network.setCacheDisabled", {"cacheDisabled": True})
        if before:
            self.send("Page.addScriptToEvaluateOnNewDocument", {"source": before})
        self.send("Page.navigate", {"url": url})

    def _event(self, msg):
        if msg.get("method", "").startswith("Network."):
            self.net.append(msg)
        super()._event(msg)

    def renderer_peak_kib(self):
        """The largest VmHWM of this browser's renderer processes, in KiB."""
        parents = {}
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/stat") as f:
                    parents[int(pid)] = int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, ValueError, IndexError):
                continue
        mine, grew = {self.proc.pid}, True
        while grew:
            more = {p for p, parent in parents.items() if parent in mine} - mine
            mine |= more
            grew = bool(more)
        peak = 0
        for pid in mine:
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    renderer = b"--type=renderer" in f.read()
                with open(f"/proc/{pid}/status") as f:
                    status = f.read().splitlines()
            except OSError:
                continue
            if renderer:
                peak = max([peak] + [int(x.split()[1]) for x in status if x.startswith("VmHWM:")])
        return peak


def serve(site):
    class Handler(http.server.SimpleHTTPRequestHandler):
        def end_headers(self):
            self.send_header("Cross-Origin-Opener-Policy", "same-origin")
            self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
            self.send_header("Cache-Control", "no-cache")
            super().end_headers()

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def open_browser(args, profile):
    return NetBrowser(args.chromium, profile)


def gzip_size(path):
    with open(path, "rb") as f:
        return len(gzip.compress(f.read(), compresslevel=9, mtime=0))


def transfers(b, site, port, upto=None):
    """Per URL path: (bytes on the wire, body bytes, body at gzip -9 where a
    host compresses it); with upto, only the requests sent among the first
    `upto` network events."""
    urls, out = {}, {}
    for i, m in enumerate(b.net):
        p = m["params"]
        if m["method"] == "Network.requestWillBeSent" and (upto is None or i < upto):
            urls[p["requestId"]] = p["request"]["url"]
        elif m["method"] == "Network.loadingFinished" and urls.get(p["requestId"], "").startswith("http"):
            url = urls[p["requestId"]]
            name = url.split(f"127.0.0.1:{port}/", 1)[-1].split("?", 1)[0] or "index.html"
            path = os.path.join(site, name)
            body = os.path.getsize(path) if os.path.isfile(path) else 0
            packed = min(body, gzip_size(path)) if name.endswith(COMPRESSED) and body else body
            out[name] = (int(p["encodedDataLength"]), body, packed)
    return out


def wait_quiet(b, seconds=1.0, timeout=30.0):
    """Waits until no network event has come for `seconds`."""
    end = time.monotonic() + timeout
    seen, since = len(b.net), time.monotonic()
    while time.monotonic() < end:
        b.eval("1")
        if len(b.net) != seen:
            seen, since = len(b.net), time.monotonic()
        elif time.monotonic() - since >= seconds:
            return
        time.sleep(0.05)


def load_run(args, server, root, k):
    """One fresh profile: the time to the first room, the transfers up to it
    and those of the whole visit, the service worker's background fetching
    of the rest of the site for offline play included. The splash, which
    waits for the player's key, is left out (?splash=no)."""
    profile = os.path.join(root, f"load{k}")
    b = open_browser(args, profile)
    try:
        b.open(f"http://127.0.0.1:{server.server_address[1]}/index.html?splash=no", FIRST_ROOM)
        b.wait_for("window.__firstRoom !== undefined", timeout=60)
        first_room = b.eval("window.__firstRoom")
        upto = len(b.net)
        b.wait_for("!window.glimOffline || ['filled', 'none', 'save-data'].includes(glimOffline.state)", timeout=120)
        wait_quiet(b)
        prefetched = b.eval("typeof glimFiles === 'undefined' ? [] : glimFiles.prefetches")
        files = transfers(b, args.site, server.server_address[1], upto)
        # The worker's own fetches are not the page's network events: what
        # it kept is the whole site's list, once it says it has it all.
        whole = transfers(b, args.site, server.server_address[1])
        if b.eval("window.glimOffline && glimOffline.state === 'filled'"):
            with open(os.path.join(args.site, "files.json"), encoding="utf-8") as f:
                for name, size in json.load(f)["files"].items():
                    whole.setdefault(name, (size, size, size))
        errors = list(b.errors)
    finally:
        b.close()
    return first_room, files, whole, prefetched, errors


def sum_files(files, names):
    return [sum(files[n][i] for n in names) for i in range(3)]


def command_run(args, server, root, steps):
    """The walkthrough in one fresh page: ms per command, memory samples."""
    b = open_browser(args, root)
    per, heap, wasm = [], 0, 0
    try:
        b.open(f"http://127.0.0.1:{server.server_address[1]}/index.html?clock=virtual")
        b.wait_for("typeof glimIdle === 'function' && glimIdle()", timeout=60)
        for i, (_, command, _) in enumerate(steps):
            if args.reading:
                # A player reads between commands: the page's fetches and
                # decodes ahead end meanwhile (up to 5 s, not timed).
                b.wait_for("typeof glimFiles === 'undefined' || glimFiles.busy === 0", timeout=5)
            before = b.eval("glimStats.ms")
            drive.enter(b, command)
            drive.answer_boxes(b)
            per.append(b.eval("glimStats.ms") - before)
            if i % 10 == 0 or i == len(steps) - 1:
                metrics = {m["name"]: m["value"] for m in b.send("Performance.getMetrics")["metrics"]}
                heap = max(heap, metrics.get("JSHeapTotalSize", 0))
                wasm = max(wasm, b.eval("HEAPU8.length"))
        won = "quest is over" in b.eval("document.getElementById('panel').textContent")
        renderer = b.renderer_peak_kib()
        errors = list(b.errors)
    finally:
        b.close()
    return per, won, heap, wasm, renderer, errors


def native_times(glim_bench, root):
    """Each walkthrough command's native median and least time in ms, from glim_bench."""
    out = os.path.join(root, "native.tsv")
    env = dict(os.environ, GLIM_BENCH_COMMANDS_OUT=out)
    subprocess.run([glim_bench, "--benchmark_filter=^BM_CommandAsWindow$", "--benchmark_min_time=3"],
                   env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(out) as f:
        rows = [line.split("\t") for line in f if line.strip()]
    return [float(r[1]) / 1000 for r in rows], [float(r[2]) / 1000 for r in rows]


def percentile(values, q):
    v = sorted(values)
    return v[min(len(v) - 1, int(q * len(v)))]


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--site", default="build-web/site")
    ap.add_argument("--walkthrough", default="tests/walkthrough/win.txt")
    ap.add_argument("--native", help="glim_bench of the benchmark tree (build-bench/bench/glim_bench)")
    ap.add_argument("--runs", type=int, default=5, help="fresh profiles for the load (default 5)")
    ap.add_argument("--plays", type=int, default=3,
                    help="plays of the walkthrough, each in a fresh profile; each command's least time counts "
                    "(default 3)")
    ap.add_argument("--no-reading", dest="reading", action="store_false",
                    help="type each command as soon as the one before has ended, without waiting for the "
                    "page's fetches ahead (a player reads between commands; by default the page is given that time)")
    ap.add_argument("--out", help="a JSON file for every figure")
    ap.add_argument("--chromium", default=shutil.which("chromium") or "chromium")
    args = ap.parse_args()

    steps = drive.read_walkthrough(args.walkthrough)
    root = tempfile.mkdtemp(prefix="glim-web-bench-")
    server = serve(args.site)
    result, errors = {}, []
    try:
        loads = []
        for k in range(args.runs):
            first_room, files, whole, prefetched, errs = load_run(args, server, root, k)
            loads.append(first_room)
            errors += errs
        needed = [n for n in files if n not in prefetched]
        visit, first = sum_files(files, files), sum_files(files, needed)
        result["load_ms"] = loads
        offline = sum_files(whole, whole)
        result["transfer"] = {"files": files, "prefetched": prefetched,
                              "first_visit": visit, "first_room": first, "with_offline_fill": offline}
        plays, heap, wasm, renderer, won = [], 0, 0, 0, True
        for k in range(args.plays):
            per, ok, h, w, r, errs = command_run(args, server, os.path.join(root, f"play{k}"), steps)
            plays.append(per)
            won, heap, wasm, renderer = won and ok, max(heap, h), max(wasm, w), max(renderer, r)
            errors += errs
        # Each command's least time over the plays: the machine's other work
        # only ever adds to a time.
        per = [min(times) for times in zip(*plays)]
        result["commands"] = {"page_ms_each_play": plays, "page_ms": per, "won": won}
        result["memory"] = {"js_heap_total": heap, "wasm_memory": wasm, "renderer_vmhwm_kib": renderer}
        if args.native:
            median, least = native_times(args.native, root)
            if len(least) != len(per):
                raise SystemExit(f"{len(least)} native commands against {len(per)} in the page")
            native = least
            ratios = [p / max(n, 1e-6) for p, n in zip(per, native)]
            result["commands"].update(native_ms=native, native_median_ms=median, ratios=ratios)
    finally:
        server.shutdown()
        shutil.rmtree(root, ignore_errors=True)

    mb = lambda n: f"{n / 1e6:.2f} MB"  # noqa: E731
    print(f"first visit up to the first room: {mb(visit[0])} on the wire ({len(files)} files), {mb(visit[2])} "
          f"with gzip -9 of the text and the module")
    print(f"  of which the first room needs: {mb(first[0])} ({len(needed)} files), {mb(first[2])} with gzip")
    print(f"  fetched ahead: {', '.join(prefetched) or 'nothing'}")
    print(f"the whole first visit, with the service worker's fetching of the site for offline play after the "
          f"first room: {mb(offline[0])} ({len(whole)} files)")
    print(f"load to the first room: median {statistics.median(loads):.0f} ms of {args.runs} "
          f"({', '.join(f'{x:.0f}' for x in loads)})")
    print(f"commands in the page (least of {args.plays} plays): median {statistics.median(per):.2f} ms, 90th percentile "
          f"{percentile(per, 0.9):.2f} ms, worst {max(per):.2f} ms, all {sum(per):.0f} ms; won: {won}")
    if "ratios" in result["commands"]:
        native, ratios = result["commands"]["native_ms"], result["commands"]["ratios"]
        print(f"commands native (least of the benchmark's runs): median {statistics.median(native):.2f} ms, 90th percentile "
              f"{percentile(native, 0.9):.2f} ms, worst {max(native):.2f} ms, all {sum(native):.0f} ms")
        print(f"page / native per command: median {statistics.median(ratios):.2f}, 90th percentile "
              f"{percentile(ratios, 0.9):.2f}, worst {max(ratios):.2f} "
              f"({steps[ratios.index(max(ratios))][1]!r}); all commands {sum(per) / sum(native):.2f}")
    print(f"memory: JS heap {mb(heap)}, module memory {mb(wasm)}, renderer peak resident {renderer / 1024:.1f} MiB")
    for e in errors:
        print("page error: " + e)
    if args.out:
        with open(args.out, "w") as f:
            json.dump(result, f, indent=1)
    return 1 if errors or not won else 0


if __name__ == "__main__":
    sys.exit(main())
