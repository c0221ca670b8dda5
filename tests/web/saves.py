#!/usr/bin/env python3
"""Saved games in the browser page, against the terminal game's saves.

In headless Chromium on the virtual clock: part of the winning walkthrough
is played and saved under a name; the Load list shows it with a date; its
export equals byte for byte the terminal game's save after the same
commands; saving over it asks first (No keeps it, Yes replaces it with the
terminal's later save); a save the storage refuses fails with a message;
the save is still listed after the page is reloaded. In a fresh profile a
save of the terminal game is imported and opened and the page shows what the
terminal game shows after loading it; a damaged file, imported while the
storage refuses (so not kept, but opened), is refused with the game's own
message; Delete asks first. Pictures of the dialogs are left in the
screenshot folder.

Exit status 0 when all holds; the failures are printed otherwise.
"""

import base64
import json
import os
import re
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from drive import (SCENE_TOLERANCE, Browser, arguments, compare_pictures, normalise, play,  # noqa: E402
                   read_png, read_walkthrough, serve, terminal_record, verdict)

SAVED_AT = 40        # the page's save: after this many commands of the walkthrough
REPLACED_AT = 46     # the save that replaces it
IMPORTED_AT = 90     # the terminal game's save that the page imports
DATE = re.compile(r"^\d{4}-\d\d-\d\d \d\d:\d\d$")
DIALOG_BUTTONS = {"save": ["Save", "Cancel"], "load": ["Import…", "Export", "Delete", "Open", "Cancel"]}


def terminal_save(args, commands, path):
    """The terminal game's save after the commands."""
    terminal_record(args.term, args.folder, commands + [f":save {path}"], os.path.dirname(path))
    with open(path, "rb") as f:
        return f.read()


def terminal_load(args, path, pictures):
    """What the terminal game prints from its load of `path` on, with the
    path itself left out; its pictures go to `pictures`."""
    events = terminal_record(args.term, args.folder, [f":load {path}"], pictures)
    return after_loading(events)


def after_loading(events):
    """The record from the "Loading PATH" line on, the path left out."""
    i = next(k for k, e in enumerate(events) if e.startswith("Loading /"))
    return ["Loading PATH"] + events[i + 1:]


class Page:
    """The page in a browser of its own profile."""

    def __init__(self, args, server, profile):
        self.b = Browser(args.chromium, profile)
        self.url = f"http://127.0.0.1:{server.server_address[1]}/index.html?clock=virtual"
        self.b.open(self.url)
        self.ready()
        self.b.send("Emulation.setDeviceMetricsOverride",
                    {"width": 1024, "height": 768, "deviceScaleFactor": 1, "mobile": False})

    def ready(self):
        self.b.wait_for("typeof glimIdle === 'function' && glimIdle()", timeout=60)

    def js(self, expression):
        return self.b.eval(expression)

    def wait(self, expression):
        return self.b.wait_for(expression, timeout=20)

    def awaited(self, expression):
        """The value of a promise in the page."""
        r = self.b.send("Runtime.evaluate", {"expression": expression, "awaitPromise": True, "returnByValue": True})
        if "exceptionDetails" in r:
            raise RuntimeError(f"{expression}: {r['exceptionDetails']}")
        return r["result"].get("value")

    def stored(self, name):
        """The bytes kept in the browser's storage under `name`, or None."""
        got = self.awaited("""new Promise((ok, fail) => {
            const r = indexedDB.open('glimmerhold');
            r.onerror = () => fail(r.error);
            r.onsuccess = () => {
              const q = r.result.transaction('saves').objectStore('saves').get(%s);
              q.onsuccess = () => { ok(q.result ? Array.from(q.result.bytes) : null); r.result.close(); };
              q.onerror = () => fail(q.error);
            };
          })""" % json.dumps(name))
        return None if got is None else bytes(got)

    def refuse_storage(self, refuse):
        """Makes the browser's storage refuse every write, as when it is
        full, or lets it write again."""
        if refuse:
            self.js("window.__put = IDBObjectStore.prototype.put; IDBObjectStore.prototype.put = () => {"
                    " throw new DOMException('The quota has been exceeded.', 'QuotaExceededError'); }")
        else:
            self.js("IDBObjectStore.prototype.put = window.__put")

    def click(self, element_id):
        self.js(f"document.getElementById('{element_id}').click()")

    def open_dialog(self, button):
        """Presses Save or Load and waits for the dialog's list."""
        self.click(button)
        self.dialog_shown()

    def dialog_shown(self):
        self.wait("document.getElementById('saves').open && !document.querySelector('#saves-list:empty')")

    def listed(self):
        """The Load list: (name, date) pairs, top first."""
        return self.js("[...document.querySelectorAll('#saves-list [role=option]')]"
                       ".map(r => [r.querySelector('.name').textContent, r.querySelector('.date').textContent])")

    def type(self, text):
        self.b.send("Input.insertText", {"text": text})

    def key(self, name, vk):
        self.b.key(name, name, vk)

    def ctrl(self, letter):
        """Ctrl and a letter, as the player presses them."""
        vk = ord(letter.upper())
        for kind in ("keyDown", "keyUp"):
            self.b.send("Input.dispatchKeyEvent", {"type": kind, "key": letter, "code": "Key" + letter.upper(),
                                                   "modifiers": 2, "windowsVirtualKeyCode": vk})

    def done(self):
        """Waits until the Save or Load has ended."""
        self.wait("glimIdle()")

    def box_text(self):
        """The game's box, once it shows: its lines."""
        self.wait("!document.getElementById('box').hidden")
        return self.js("document.getElementById('box-text').textContent").split("\n")

    def asking(self):
        return self.js("!document.getElementById('saves-ask').hidden")

    def shot(self, path):
        if path:
            with open(path, "wb") as f:
                f.write(base64.b64decode(self.b.send("Page.captureScreenshot", {"format": "png"})["data"]))

    def button_names(self):
        """The accessible names of the dialog's buttons that show."""
        dialog = self.b.send("Runtime.evaluate", {"expression": "document.getElementById('saves')"})["result"]
        tree = self.b.send("Accessibility.queryAXTree", {"objectId": dialog["objectId"], "role": "button"})
        return [n["name"]["value"] for n in tree["nodes"] if not n.get("ignored")]

    def close(self):
        self.b.close()


def save_as(p, name, shot=None):
    """Save (Ctrl+S, the Save button's key) with a name typed and Enter;
    returns True when a question came."""
    p.ctrl("s")
    p.dialog_shown()
    p.js("document.getElementById('saves-name').focus(); document.getElementById('saves-name').select()")
    p.type(name)
    p.shot(shot)
    p.key("Enter", 13)
    p.wait("glimIdle() || !document.getElementById('saves-ask').hidden || !document.getElementById('box').hidden")
    return p.asking()


def check_saving(args, p, steps, want, fails):
    """Save, list, export and replace in one page; `want` holds the
    terminal's saves by the number of commands played."""
    play(p.b, steps[:SAVED_AT])
    if save_as(p, "tower", args.shots and f"{args.shots}/saves-save.png"):
        fails.append("a first save asked whether to replace something")
    p.done()
    before = p.js("window.__log.length")
    p.open_dialog("load")
    rows = p.listed()
    if len(rows) != 1 or rows[0][0] != "tower" or not DATE.match(rows[0][1]):
        fails.append(f"the Load list after saving shows {rows}, not the save with its date")
    if p.button_names() != DIALOG_BUTTONS["load"]:
        fails.append(f"the Load dialog's buttons are named {p.button_names()}")
    # No command runs while a dialog is open.
    p.js("document.getElementById('command').dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter'}))")
    if p.js("window.__log.length") != before + 1:  # "Loading game" only
        fails.append("a command ran while the Load dialog was open")
    p.shot(args.shots and f"{args.shots}/saves-load.png")
    p.click("saves-export")
    path = os.path.join(args.downloads, "tower.gam")
    end = time.monotonic() + 20
    while not os.path.exists(path) and time.monotonic() < end:
        time.sleep(0.05)
    time.sleep(0.2)  # the download is renamed to its name when complete
    exported = open(path, "rb").read() if os.path.exists(path) else None
    if exported != want[SAVED_AT]:
        fails.append("the exported save differs from the terminal game's save of the same state"
                     if exported else "Export downloaded no tower.gam")
    p.key("Escape", 27)
    p.done()
    if p.js("document.activeElement.id") != "command":
        fails.append("the keyboard is not back on the command line after the Load dialog")
    if "Loading /saves/tower.gam" in p.js("window.__log"):
        fails.append("Escape in the Load dialog loaded the game")

    play(p.b, steps[SAVED_AT:REPLACED_AT])
    if not save_as(p, "tower.gam"):
        fails.append("saving over a kept game did not ask first")
    else:
        question = p.js("document.getElementById('saves-question').textContent")
        if question != "tower.gam already exists.\nDo you want to replace it?":
            fails.append(f"the question before replacing is {question!r}")
        p.shot(args.shots and f"{args.shots}/saves-replace.png")
        # Escape twice: No, then the dialog closes (the browser may close
        # it without a cancel event) and the game goes on.
        p.key("Escape", 27)
        p.key("Escape", 27)
        p.done()
        if p.stored("tower") != want[SAVED_AT]:
            fails.append("No to the question still replaced the save")
        # Chosen from the list this time, then Yes.
        p.open_dialog("save")
        if p.button_names() != DIALOG_BUTTONS["save"]:
            fails.append(f"the Save dialog's buttons are named {p.button_names()}")
        p.js("document.querySelector('#saves-list [role=option]').click()")
        p.click("saves-accept")
        p.wait("!document.getElementById('saves-ask').hidden")
        p.click("saves-yes")
        p.done()
        if p.stored("tower") != want[REPLACED_AT]:
            fails.append("Yes to the question did not replace the save with the terminal game's save of the new state")

    # The storage refuses: the save fails with a message and nothing is kept.
    p.refuse_storage(True)
    save_as(p, "full")
    text = p.box_text()
    if not text[0].startswith('Cannot create file "/saves/full.gam". ') or "QuotaExceededError" not in text[0]:
        fails.append(f"a save the storage refused says {text!r}")
    p.click("box-ok")
    p.done()
    p.refuse_storage(False)
    if p.stored("full") is not None:
        fails.append("a refused save was kept")

    # Kept across a reload of the page.
    p.js("window.__before_reload = true")
    p.b.send("Page.reload")
    p.b.wait_for("!window.__before_reload && typeof glimIdle === 'function' && glimIdle()", timeout=60)
    p.ctrl("o")  # the Load button's key, as in the window
    p.dialog_shown()
    if [n for n, _ in p.listed()] != ["tower"]:
        fails.append(f"after a reload the Load list shows {p.listed()}")
    p.click("saves-cancel")
    p.done()


def import_file(p, path):
    """Imports a file in the open Load dialog; waits until it is listed."""
    node = p.b.send("Runtime.evaluate", {"expression": "document.getElementById('saves-file')"})["result"]
    p.b.send("DOM.setFileInputFiles", {"files": [path], "objectId": node["objectId"]})
    name = os.path.basename(path)[:-4]
    p.wait("[...document.querySelectorAll('#saves-list [aria-selected=true] .name')]"
           f".some(e => e.textContent === {json.dumps(name)})")


def check_import(args, p, work, fails):
    """A desktop save imported and opened shows what the terminal game shows
    after loading it; a damaged one is refused with the game's own message."""
    desktop = f"{work}/desktop.gam"
    want = terminal_load(args, desktop, work)
    p.open_dialog("load")
    import_file(p, desktop)
    start = p.js("window.__log.length")
    p.key("Enter", 13)
    p.done()
    got = after_loading(p.js(f"window.__log.slice({start})"))
    if normalise(got) != normalise(want):
        fails.append(f"the page after loading the terminal's save shows {got[:4]}..., the terminal {want[:4]}...")
    for name in ("scene", "carried"):
        with open(f"{work}/{name}.png", "rb") as f:
            term_picture = read_png(f.read())
        url = p.js(f"document.getElementById('{name}').toDataURL('image/png')")
        bad, worst = compare_pictures(name, term_picture, read_png(base64.b64decode(url.split(",", 1)[1])))
        limit = SCENE_TOLERANCE if name == "scene" else 0
        fails += bad + ([f"the {name} after the load differs from the terminal's by {worst}"] if worst > limit else [])

    # Damaged: the player's room is not a number.
    with open(desktop, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines[0] = b"tower"
    damaged = f"{work}/damaged.gam"
    with open(damaged, "wb") as f:
        f.write(b"\r\n".join(lines))
    events = terminal_record(args.term, args.folder, [f":load {damaged}"], work)
    want_box = [e[len("[box] "):] for e in events if e.startswith("[box] ")]
    # Imported while the storage refuses: not kept, but it opens.
    p.refuse_storage(True)
    p.open_dialog("load")
    import_file(p, damaged)
    if "can be opened now but not kept" not in p.js("document.getElementById('saves-status').textContent"):
        fails.append("an import the storage refused does not say it was not kept")
    p.click("saves-accept")
    got_box = p.box_text()
    if not want_box or got_box != want_box:
        fails.append(f"the damaged file gives {got_box!r} in the page, {want_box!r} in the terminal")
    p.click("box-ok")
    p.done()
    p.refuse_storage(False)

    # Delete asks first: Escape answers No, Yes deletes.
    p.open_dialog("load")
    kept = [n for n, _ in p.listed()]
    p.click("saves-delete")
    p.wait("!document.getElementById('saves-ask').hidden")
    p.key("Escape", 27)
    after_no = [n for n, _ in p.listed()]
    p.click("saves-delete")
    p.wait("!document.getElementById('saves-ask').hidden")
    p.click("saves-yes")
    p.wait("!!document.querySelector('#saves-list .none')")
    if kept != ["desktop"] or after_no != kept or p.stored("desktop") is not None:
        fails.append(f"Delete: the list was {kept}, {after_no} after No, and {p.listed()} after Yes")
    p.key("Escape", 27)
    p.done()


def main():
    ap = arguments(__doc__.split("\n")[0])
    ap.add_argument("--screenshots", dest="shots", help="a folder for pictures of the dialogs at 1024 x 768")
    args = ap.parse_args()

    steps = read_walkthrough(args.walkthrough)
    commands = [c for _, c, _ in steps]
    work = tempfile.mkdtemp(prefix="glim-saves-")
    args.downloads = f"{work}/downloads"
    os.mkdir(args.downloads)
    want = {n: terminal_save(args, commands[:n], f"{work}/term-{n}.gam") for n in (SAVED_AT, REPLACED_AT)}
    terminal_save(args, commands[:IMPORTED_AT], f"{work}/desktop.gam")
    server = serve(args.site)
    fails = []
    try:
        # The page's own saves, then a fresh profile with the desktop's.
        for profile, check in (("profile", check_saving), ("fresh", check_import)):
            p = Page(args, server, f"{work}/{profile}")
            try:
                if check is check_saving:
                    p.b.send("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": args.downloads},
                             session=False)
                    check_saving(args, p, steps, want, fails)
                else:
                    check_import(args, p, work, fails)
                fails += [f"page error: {e}" for e in p.b.errors]
            finally:
                p.close()
    finally:
        server.shutdown()
        shutil.rmtree(work, ignore_errors=True)
    return verdict(fails, f"web: saves: the page's save after {SAVED_AT} commands equals the terminal game's byte for byte; "
              "replacing asks first; a refused save fails; a desktop save imports and loads as in the terminal")


if __name__ == "__main__":
    sys.exit(main())
