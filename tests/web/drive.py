#!/usr/bin/env python3
"""Plays a walkthrough in the browser page and checks it against the terminal game.

Serves the built site on 127.0.0.1, starts headless Chromium with a fresh
profile and drives it over the DevTools protocol on a pipe (Python's standard
library only), types every command of the walkthrough into #command and
records what the page shows: the lines added to #panel, its clearing, and the
game's boxes. The terminal game plays the same commands on its virtual clock;
both records must be equal, every "# expect:" text must be printed by its
command, nobody may die, the last command must win the game, and the page
must log no error.

Exit status 0 when all holds; the differences are printed otherwise.
"""

import argparse
import base64
import functools
import http.server
import json
import os
import shutil
import subprocess
import struct
import sys
import tempfile
import threading
import time
import zlib

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--remote-debugging-pipe", "--mute-audio", "--autoplay-policy=no-user-gesture-required",
]

DEATH = "you are dead TRY AGAIN"
# The largest difference of one colour channel allowed between the page's
# scene and the terminal game's, whose JPEG decoders round differently
# (measured: 3 on the winning walkthrough's last room).
SCENE_TOLERANCE = 4

# Records every change of the message panel in the order it happens: an
# added line as its text, an emptied panel as "[clear]".
OBSERVER = """
window.__log = [];
const panel = document.getElementById('panel');  // none in the page's frames (the help's pages)
if (panel) new MutationObserver((records) => {
  for (const r of records) {
    if (r.removedNodes.length) window.__log.push('[clear]');  // only a clearing removes lines
    for (const n of r.addedNodes) window.__log.push(n.textContent);
  }
}).observe(panel, { childList: true });
"""


def read_walkthrough(path):
    """The steps of a walkthrough file: (line number, command, [expected texts])."""
    steps = []
    with open(path, encoding="latin-1") as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip("\n").rstrip("\r")
            if line.startswith("# expect:"):
                if steps:
                    steps[-1][2].append(line[len("# expect:"):].lstrip(" "))
                continue
            if not line or line.startswith("#"):
                continue
            if line.startswith(":"):
                raise SystemExit(f"{path}:{n}: the page has no meta-commands: {line}")
            steps.append((n, line, []))
    return steps


def decode(raw):
    """Bytes as the page shows them: the Windows code page, where it has a
    character, else the byte's own code point (as a browser decodes it)."""
    out = []
    for b in raw:
        try:
            out.append(bytes([b]).decode("cp1252"))
        except UnicodeDecodeError:
            out.append(chr(b))
    return "".join(out)


def normalise(events):
    """Drops a clearing with no line since the last one (or the start): an
    empty panel cleared again shows no change."""
    out, since = [], False
    for e in events:
        if e == "[clear]":
            if since:
                out.append(e)
            since = False
        else:
            out.append(e)
            since = not e.startswith("[box] ")
    return out


def read_png(data):
    """The pixels of an 8-bit RGB or RGBA PNG without interlace, as rows of
    RGB bytes, and its size."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, w = 8, b"", 0
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b"IHDR":
            w, h, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, "an unexpected PNG kind"
            bpp = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    raw, rows, prev = zlib.decompress(idat), [], bytearray(w * bpp)
    stride = w * bpp
    for y in range(h):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prev[i], prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line) if bpp == 3 else bytes(v for i, v in enumerate(line) if i % 4 != 3))
        prev = line
    return w, h, rows


def compare_pictures(name, want, got):
    """How far the page's picture is from the terminal's: the failures, and
    the largest difference of a colour channel."""
    (ww, wh, wrows), (gw, gh, grows) = want, got
    if (ww, wh) != (gw, gh):
        return [f"the page's {name} is {gw} x {gh}, the terminal's {ww} x {wh}"], None
    worst = max(max(abs(x - y) for x, y in zip(a, b)) for a, b in zip(wrows, grows))
    return [], worst


def terminal_record(term, folder, commands, pictures, keep_timer=False):
    """What the terminal game shows in its panel and boxes for the commands;
    at the end its scene and carried panel are written to `pictures`. With
    keep_timer, the starts and expiries of its event timer are kept too."""
    args = [term, "--virtual-clock", "--silent", "--no-splash", "--trace"]
    if folder:
        args += ["--folder", folder]
    commands = commands + [f":scene {pictures}/scene.png", f":carried {pictures}/carried.png"]
    data = "".join(c + "\n" for c in commands).encode("latin-1")
    res = subprocess.run(args, input=data, capture_output=True, timeout=600, check=False)
    if res.returncode != 0:
        raise SystemExit(f"the terminal game failed ({res.returncode}): {res.stderr.decode(errors='replace')}")
    events = []
    for line in res.stdout.split(b"\n")[:-1]:
        text = decode(line)
        if text.startswith(("[sound] ", "[timer] ", "[note] ")) and not (keep_timer and text.startswith("[timer] ")):
            continue
        events.append(text)
    return events


def about_record(term, folder):
    """The lines of the terminal game's About box, and those of the question
    its Exit button asks."""
    args = [term, "--virtual-clock", "--silent", "--no-splash"] + (["--folder", folder] if folder else [])
    res = subprocess.run(args, input=b":about\n:exit\n", capture_output=True, timeout=60, check=True)
    lines = [decode(x) for x in res.stdout.split(b"\n")]
    inside = lines[lines.index("[about] About Glimmerhold") + 1:lines.index("[about] closed")]
    while inside and not inside[-1]:
        inside.pop()
    question = [x[len("[box] "):] for x in lines if x.startswith("[box] ")][:-1]  # without the answer
    return inside, question


def exit_asks(b, question):
    """The Exit button asks before the game ends; No keeps the game going.
    Returns the failures."""
    b.eval("document.getElementById('exit').click()")
    b.wait_for("!document.getElementById('box').hidden", timeout=10)
    fails = []
    if b.eval("document.getElementById('box-no').hidden"):
        fails.append("the Exit button's box has no No")
    if b.eval("document.getElementById('box-text').textContent").split("\n") != question:
        fails.append("the Exit button's box does not ask the terminal game's question")
    b.eval("document.getElementById('box-no').click()")
    b.wait_for("glimIdle()", timeout=10)
    before = b.eval("window.__log.length")
    enter(b, "look")
    b.wait_for("glimIdle()", timeout=10)
    if b.eval("document.body.classList.contains('closed')") or b.eval("window.__log.length") == before:
        fails.append("the game did not go on after No to the Exit button's question")
    return fails


class Browser:
    """Headless Chromium driven over --remote-debugging-pipe (fds 3 and 4)."""

    def __init__(self, chromium, profile, flags=()):
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()

        def child_fds():
            # Moved out of the way first: either end may be 3 or 4 already.
            r, w = os.dup(to_browser_r), os.dup(from_browser_w)
            os.dup2(r, 3)
            os.dup2(w, 4)

        self.proc = subprocess.Popen(
            [chromium, *CHROMIUM_FLAGS, *flags, f"--user-data-dir={profile}", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=child_fds, close_fds=False)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.buf = b""
        self.next_id = 0
        self.session = None
        self.errors = []

    def _read_message(self):
        while b"\0" not in self.buf:
            chunk = os.read(self.from_browser, 1 << 16)
            if not chunk:
                raise RuntimeError("the browser closed its pipe")
            self.buf += chunk
        msg, self.buf = self.buf.split(b"\0", 1)
        return json.loads(msg)

    def send(self, method, params=None, session=True):
        self.next_id += 1
        msg = {"id": self.next_id, "method": method, "params": params or {}}
        if session and self.session:
            msg["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(msg).encode() + b"\0")
        while True:
            reply = self._read_message()
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})
            self._event(reply)

    def _event(self, msg):
        method, p = msg.get("method"), msg.get("params", {})
        if method == "Runtime.exceptionThrown":
            self.errors.append(p["exceptionDetails"].get("exception", {}).get("description") or str(p))
        elif method == "Runtime.consoleAPICalled" and p.get("type") == "error":
            self.errors.append(" ".join(str(a.get("value", a.get("description"))) for a in p.get("args", [])))
        elif method == "Log.entryAdded" and p["entry"].get("level") == "error":
            self.errors.append(p["entry"].get("text", ""))

    def open(self, url, before=""):
        """Opens url in a new tab; `before` is a script run in the page
        before the page's own."""
        target = self.send("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
        self.session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True},
                                 session=False)["sessionId"]
        for domain in ("Runtime", "Page", "Log"):
            self.send(domain + ".enable")
        # The panel is watched from the moment it exists, before the game
        # starts, so that the opening is recorded as it happens.
        self.send("Page.addScriptToEvaluateOnNewDocument",
                  {"source": before + "\ndocument.addEventListener('DOMContentLoaded', () => {%s});" % OBSERVER})
        self.send("Page.navigate", {"url": url})

    def eval(self, expression):
        r = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True})
        if "exceptionDetails" in r:
            raise RuntimeError(f"{expression}: {r['exceptionDetails']}")
        return r["result"].get("value")

    def wait_for(self, expression, timeout=30.0):
        end = time.monotonic() + timeout
        while not self.eval(expression):
            if time.monotonic() > end:
                raise RuntimeError(f"timed out waiting for {expression}")
            time.sleep(0.01)

    def key(self, key, code, vk):
        for kind in ("keyDown", "keyUp"):
            self.send("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": code,
                                                 "windowsVirtualKeyCode": vk, "nativeVirtualKeyCode": vk})

    def close(self):
        try:
            self.send("Browser.close", session=False)
            self.proc.wait(timeout=10)
        except (RuntimeError, OSError, subprocess.TimeoutExpired):
            self.proc.kill()
            self.proc.wait()


def enter(b, text):
    """Types a line into the command line, as the player does, and presses
    Enter."""
    b.eval("document.getElementById('command').focus(); document.getElementById('command').select()")
    b.send("Input.insertText", {"text": text})
    b.key("Enter", "Enter", 13)


def answer_boxes(b):
    """Answers the page's boxes until the running command ends, logging each
    as the terminal game prints it: OK, or No to a question (the terminal's
    answer when none is given)."""
    while not b.eval("glimIdle()"):
        if not b.eval("document.getElementById('box').hidden"):
            text = b.eval("document.getElementById('box-text').textContent")
            question = not b.eval("document.getElementById('box-no').hidden")
            lines = ["[box] " + t for t in text.split("\n")]
            if question:
                lines.append("[box] No")
            b.eval(f"window.__log.push(...{json.dumps(lines)})")
            b.eval("document.getElementById('box-%s').click()" % ("no" if question else "ok"))
        time.sleep(0.002)


def play(b, steps):
    """Types each command into the page; returns what each one added."""
    parts = []
    for _, command, _ in steps:
        start = b.eval("window.__log.length")
        enter(b, command)
        answer_boxes(b)
        parts.append(b.eval(f"window.__log.slice({start})"))
    return parts


def about_blocks_commands(b):
    """Opens the About box and types a command while it is open: the command
    must wait (the panel stays as it is) and the box must hold the credits.
    Returns the failures and the box's text."""
    fails = []
    before = b.eval("window.__log.length")
    b.eval("document.getElementById('about').click()")
    b.wait_for("!document.getElementById('box').hidden", timeout=10)
    text = b.eval("document.getElementById('box-text').textContent")
    enter(b, "look")
    time.sleep(0.2)
    if b.eval("window.__log.length") != before:
        fails.append("a command ran while the About box was open")
    if b.eval("glimIdle()"):
        fails.append("the page took itself for idle while the About box was open")
    b.eval("document.getElementById('box-ok').click()")
    b.wait_for("glimIdle()", timeout=10)
    return fails, text


def by_command(events, commands):
    """The terminal's record cut at each command's echo: the opening, then
    what each command printed."""
    out, i = [[]], 0
    for e in events:
        if i < len(commands) and e == commands[i]:
            out.append([])
            i += 1
        out[-1].append(e)
    return out


def timer_check(args, steps, server, profile):
    """The event timer between commands on the real clock: the walkthrough
    is played in the page up to the first command that starts the timer,
    then the page is left alone until it has run out. What the page shows
    must be what the terminal game prints when it waits as long. Returns
    the failures."""
    commands = [c for _, c, _ in steps]
    parts = by_command(terminal_record(args.term, args.folder, commands, profile, keep_timer=True), commands)
    starts = [k for k, part in enumerate(parts[1:]) if any(e.startswith("[timer] start ") for e in part)]
    # The first start whose expiry shows something (an expiry may pass
    # unseen, when the player has gone on meanwhile).
    for k in starts:
        seconds = max(int(e.split()[2]) for e in parts[k + 1] if e.startswith("[timer] start ")) // 1000 + 1
        prefix = commands[:k + 1]
        want = by_command(terminal_record(args.term, args.folder, prefix + [f":wait {seconds}"], profile), prefix)[-1]
        if len(want) > len([e for e in parts[k + 1] if not e.startswith("[timer] ")]):
            break
    else:
        return ["the walkthrough never starts the event timer so that its expiry shows"]
    b = Browser(args.chromium, profile + "/timer")
    try:
        b.open(f"http://127.0.0.1:{server.server_address[1]}/index.html?splash=no")
        b.wait_for("typeof glimIdle === 'function' && glimIdle()", timeout=60)
        play(b, steps[:k])
        start = b.eval("window.__log.length")
        play(b, steps[k:k + 1])
        time.sleep(seconds)
        b.wait_for("glimIdle()", timeout=60)
        got = b.eval(f"window.__log.slice({start})")
        fails = [f"page error: {e}" for e in b.errors]
    finally:
        b.close()
    if normalise(got) != normalise(want):
        fails.append(f"after {commands[k]!r} and {seconds} s the page shows {got[-3:]!r}, the terminal {want[-3:]!r}")
    if not fails:
        print(f"web: the event timer, started by {commands[k]!r}, ran out in the page after {seconds} s "
              "with the terminal game's lines")
    return fails


def first_difference(want, got):
    for i, (w, g) in enumerate(zip(want, got)):
        if w != g:
            return i
    return min(len(want), len(got))


def record_difference(want, got):
    """The failures, when the page's record is not the terminal game's: where
    they part, with three entries either side."""
    if want == got:
        return []
    i = first_difference(want, got)
    return ([f"the page's record differs from the terminal's at entry {i} of {len(want)} / {len(got)}:"] +
            [f"  terminal: {x!r}" for x in want[max(0, i - 3):i + 3]] +
            [f"  page:     {x!r}" for x in got[max(0, i - 3):i + 3]])


def check(steps, parts, page_events, term_events, panel):
    """The failures, as printable lines."""
    fails = []
    for (n, command, expects), part in zip(steps, parts):
        text = "\n".join(part)
        for e in expects:
            if e not in text:
                fails.append(f"line {n}: {command!r} did not print {e!r}")
        if DEATH in text:
            fails.append(f"line {n}: {command!r} killed the player")
    if parts and "quest is over" not in "\n".join(parts[-1]):
        fails.append("the last command did not win the game")
    want, got = normalise(term_events), normalise(page_events)
    fails += record_difference(want, got)
    last_clear = max((i for i, e in enumerate(want) if e == "[clear]"), default=-1)
    want_panel = [e for e in want[last_clear + 1:] if not e.startswith("[box] ")]
    if panel != want_panel:
        fails.append(f"the panel at the end holds {len(panel)} lines, the terminal's {len(want_panel)}")
    return fails


def serve(site, no_store=False):
    """The site on 127.0.0.1 at a free port. With no_store every answer
    forbids the browser's HTTP cache to keep it, so that only what the
    page's service worker kept is there once the server is gone."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def end_headers(self):
            if no_store:
                self.send_header("Cache-Control", "no-store")
            super().end_headers()

    class Server(http.server.ThreadingHTTPServer):
        def handle_error(self, request, client_address):
            # A browser that closes while a file is on its way (a test's
            # end) breaks the connection: that is no fault of the page.
            if not isinstance(sys.exc_info()[1], (BrokenPipeError, ConnectionResetError)):
                super().handle_error(request, client_address)

    server = Server(("127.0.0.1", 0), functools.partial(Quiet, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def arguments(description, walkthrough=True):
    """The options of every browser check: the site, the terminal game and
    its folder, the walkthrough (unless the check plays none), and Chromium."""
    ap = argparse.ArgumentParser(description=description)
    ap.add_argument("--site", required=True)
    ap.add_argument("--term", required=True, help="the terminal game")
    ap.add_argument("--folder", help="the game folder of the terminal game")
    if walkthrough:
        ap.add_argument("--walkthrough", required=True)
    ap.add_argument("--chromium", default=shutil.which("chromium") or "chromium")
    return ap


def main():
    ap = arguments(__doc__.split("\n")[0])
    ap.add_argument("--real-clock", action="store_true",
                    help="let the page's pauses and timer take real time (the lines may then differ)")
    ap.add_argument("--timer", action="store_true",
                    help="also let the event timer run out between commands on the real clock (some 40 s)")
    ap.add_argument("--screenshot", help="a PNG file for a picture of the page at the end, at 1024 x 768")
    args = ap.parse_args()

    steps = read_walkthrough(args.walkthrough)
    t0 = time.monotonic()
    profile = tempfile.mkdtemp(prefix="glim-web-")
    term_events = terminal_record(args.term, args.folder, [c for _, c, _ in steps], profile)
    credits, question = about_record(args.term, args.folder)
    server = serve(args.site)
    b = Browser(args.chromium, profile)
    try:
        b.open(f"http://127.0.0.1:{server.server_address[1]}/index.html" + ("?splash=no" if args.real_clock else "?clock=virtual"))
        b.wait_for("typeof glimIdle === 'function' && glimIdle()", timeout=60)
        t_ready = time.monotonic()
        t_play = time.monotonic()
        b.eval("glimStats.calls = 0; glimStats.ms = 0")
        parts = play(b, steps)
        t_done = time.monotonic()
        in_page = b.eval("glimStats.ms / Math.max(glimStats.calls, 1)")
        page_events = b.eval("window.__log")
        panel = b.eval("[...document.getElementById('panel').children].map(e => e.textContent)")
        pictures = {n: b.eval(f"document.getElementById('{n}').toDataURL('image/png')") for n in ("scene", "carried")}
        # The boxes come after the walkthrough's record is taken: they add
        # a command of their own.
        about_fails, about_text = about_blocks_commands(b)
        about_fails += exit_asks(b, question)
        if args.screenshot:
            b.send("Emulation.setDeviceMetricsOverride",
                   {"width": 1024, "height": 768, "deviceScaleFactor": 1, "mobile": False})
            shot = b.send("Page.captureScreenshot", {"format": "png"})["data"]
            with open(args.screenshot, "wb") as f:
                f.write(base64.b64decode(shot))
        errors = list(b.errors)
        differences = {}
        for n, url in pictures.items():
            with open(f"{profile}/{n}.png", "rb") as f:
                want = read_png(f.read())
            got = read_png(base64.b64decode(url.split(",", 1)[1]))
            bad, differences[n] = compare_pictures(n, want, got)
            errors += bad
        b.close()
        timer_fails = timer_check(args, steps, server, profile) if args.timer else []
    finally:
        b.close()
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)

    fails = check(steps, parts, page_events, term_events, panel)
    fails += about_fails + timer_fails
    if not credits or about_text.rstrip("\n").split("\n") != credits:
        fails.append("the About box does not hold the terminal game's credits")
    fails += [f"page error: {e}" for e in errors]
    # The carried panel's icons are PNGs, decoded alike; the scene's JPEGs
    # are decoded by stb_image in the page and libjpeg-turbo in the terminal.
    if differences.get("carried") not in (0, None):
        fails.append(f"the carried panel differs from the terminal's by up to {differences['carried']}")
    if differences.get("scene") is not None and differences["scene"] > SCENE_TOLERANCE:
        fails.append(f"the scene differs from the terminal's by up to {differences['scene']}")
    print(f"web: the pictures differ from the terminal's by at most {differences.get('scene')} (scene) "
          f"and {differences.get('carried')} (carried) of 255")
    print(f"web: {len(steps)} commands; page ready in {t_ready - t0:.1f} s, "
          f"played in {t_done - t_play:.1f} s ({1000 * (t_done - t_play) / max(len(steps), 1):.0f} ms a command "
          f"with the driver, {in_page:.2f} ms in the page)")
    return verdict(fails, "web: the page won the game with the terminal game's lines")


def verdict(fails, success):
    """Prints the failures, or the success line when there are none; the
    exit status."""
    for f in fails:
        print("FAIL: " + f)
    if not fails:
        print(success)
    return 1 if fails else 0


if __name__ == "__main__":
    sys.exit(main())
