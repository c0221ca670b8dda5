#!/usr/bin/env python3
"""Checks the page's music, sounds, speech and help pages.

The music files of the site must decode and last as long as their MIDI
tunes. Then, in headless Chromium on the virtual clock, with the page's
audio sources and the browser's speech watched: the sound of a command
starts, a repeating one loops, a new sound stops the old one, stop stops,
repetition switched off lets a sound end at its natural end, the tune plays
from its rendering; F12 reads the new lines aloud and says so in a live
region; the help button opens the help dialog with the contents, its links
(the help file's own forms among them) and Back work, Escape closes it and
the game goes on; the page logs no error.

Exit status 0 when all holds; the failures are printed otherwise.
"""

import argparse
import array
import base64
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "sounds"))
from drive import Browser, enter, serve, verdict  # noqa: E402
from render_music import midi_seconds  # noqa: E402

# Runs in the page before its own scripts: every audio source started is
# recorded with the context's time at its start, stop and end; speech is
# recorded instead of spoken.
INSTRUMENT = r"""
window.__sources = [];
(() => {
  const P = AudioBufferSourceNode.prototype, start = P.start, stop = P.stop;
  P.start = function (...a) {
    const rec = { node: this, duration: this.buffer.duration, started: this.context.currentTime, stopped: false, ended: null };
    window.__sources.push(rec);
    this.addEventListener('ended', () => { rec.ended = this.context.currentTime; });
    return start.apply(this, a);
  };
  P.stop = function (...a) {
    for (const r of window.__sources) if (r.node === this) r.stopped = true;
    return stop.apply(this, a);
  };
})();
window.__audio = () => window.__sources.map(({ node, ...r }) => ({ ...r, loop: node.loop, now: node.context.currentTime }));
window.__spoken = [];
window.__cancels = 0;
speechSynthesis.speak = (u) => { window.__spoken.push(u.text); };
speechSynthesis.cancel = () => { window.__cancels += 1; };
"""

NEAR = 0.05  # seconds: a decoded sound's length against its file's


def wav_seconds(path):
    with wave.open(path, "rb") as w:
        return w.getnframes() / w.getframerate()


def rms(path):
    """The root mean square of a 16-bit WAV file's samples, full scale 1."""
    with wave.open(path, "rb") as w:
        samples = array.array("h", w.readframes(w.getnframes()))
    if sys.byteorder == "big":
        samples.byteswap()
    step = samples[::5]
    return (sum(s * s for s in step) / max(len(step), 1)) ** 0.5 / 32768


def check_music(site, folder, tmp):
    """Every MIDI tune of the game folder has its rendering in the site,
    which decodes, is not silent and lasts as long as the tune (within a
    second). Returns the failures."""
    fails = []
    tunes = sorted(glob.glob(os.path.join(folder, "sounds", "*.mid")))
    if not tunes:
        return [f"no MIDI tune in {folder}/sounds"]
    for tune in tunes:
        stem = os.path.splitext(os.path.basename(tune))[0].lower()
        opus = os.path.join(site, "music", stem + ".opus")
        if not os.path.exists(opus):
            fails.append(f"{opus} is missing")
            continue
        out = os.path.join(tmp, stem + ".wav")
        res = subprocess.run(["opusdec", "--quiet", opus, out], capture_output=True, check=False)
        if res.returncode != 0:
            fails.append(f"{opus} does not decode: {res.stderr.decode(errors='replace').strip()}")
            continue
        want, got, level = midi_seconds(tune), wav_seconds(out), rms(out)
        print(f"media: {os.path.basename(opus)}: {os.path.getsize(opus)} bytes, {got:.2f} s "
              f"(the tune {want:.2f} s), RMS {level:.3f}")
        if abs(got - want) > 1:
            fails.append(f"{opus} lasts {got:.2f} s, its tune {want:.2f} s")
        if level < 0.01:
            fails.append(f"{opus} is silent (RMS {level:.4f})")
    return fails


class Page:
    """The page, and the commands typed into it."""

    def __init__(self, b):
        self.b = b

    def command(self, text):
        b = self.b
        start = b.eval("window.__log.length")
        enter(b, text)
        b.wait_for("glimIdle()", timeout=30)
        return [e for e in b.eval(f"window.__log.slice({start})") if e != "[clear]"]

    def sources(self):
        return self.b.eval("window.__audio()")

    def wait_sources(self, n, timeout=30):
        self.b.wait_for(f"window.__sources.length >= {n}", timeout=timeout)
        return self.sources()

    def wait_audio_time(self, t, timeout=30):
        """Waits until the audio context's clock has passed t."""
        self.b.wait_for(f"window.__audio().every(s => s.now > {t})", timeout=timeout)


def check_game_sounds(page, folder):
    """The sounds the opening and a few commands play. Returns the failures."""
    fails = []
    purr = wav_seconds(os.path.join(folder, "sounds", "purr04.wav"))
    paper = wav_seconds(os.path.join(folder, "sounds", "paper1.wav"))
    s = page.wait_sources(1)
    # The title music is stopped in the same step that starts it: it must
    # never sound, however late its decoding ends.
    if len(s) != 1 or abs(s[0]["duration"] - purr) > NEAR or not s[0]["loop"]:
        fails.append(f"the opening's sounds are {s}, not the cat's purr repeating")
        return fails
    page.wait_audio_time(s[0]["started"] + purr + 0.3)
    if page.sources()[0]["ended"] is not None:
        fails.append("the repeating purr did not loop: it ended after one pass")
    page.command("l")  # the attic shown again purrs again: a new sound stops the old
    page.wait_sources(2)
    page.b.wait_for("window.__sources[0].ended !== null", timeout=10)
    s = page.sources()
    if not (s[0]["stopped"] and s[0]["ended"] is not None) or s[1]["ended"] is not None or not s[1]["loop"]:
        fails.append(f"a new sound did not replace the repeating one: {s}")
    page.command("s")  # a step stops the sound
    page.b.wait_for("window.__sources[1].ended !== null", timeout=10)
    if not page.sources()[1]["stopped"]:
        fails.append("a step did not stop the sound")
    for c in ("e", "get map"):
        page.command(c)
    page.command("read map")
    s = page.wait_sources(3)[2]
    if abs(s["duration"] - paper) > NEAR or s["loop"]:
        fails.append(f"reading the map did not start the paper sound once: {s}")
    page.b.wait_for("window.__sources[2].ended !== null", timeout=30)
    s = page.sources()[2]
    if s["stopped"] or s["ended"] - s["started"] < paper - NEAR:
        fails.append(f"the paper sound did not play to its end: {s}")
    return fails


def check_page_sounds(page, folder):
    """The page's sound operations as the game calls them: the tune from its
    rendering, repetition switched off, stop, and a play stopped before it
    could start. Returns the failures."""
    fails = []
    b = page.b
    tune = midi_seconds(os.path.join(folder, "sounds", "glimmusi.mid"))
    purr = wav_seconds(os.path.join(folder, "sounds", "purr04.wav"))
    n = len(page.sources())
    b.eval("glimPage.play('/game/sounds/glimmusi.mid', 1)")
    s = page.wait_sources(n + 1, timeout=120)[n]
    if abs(s["duration"] - tune) > NEAR or not s["loop"]:
        fails.append(f"the tune's rendering does not play repeating, as long as the tune ({tune:.2f} s): {s}")
    b.eval("glimPage.repeat(0)")
    if page.sources()[n]["loop"]:
        fails.append("switching repetition off left the tune looping")
    b.eval("glimPage.stop()")
    b.wait_for(f"window.__sources[{n}].ended !== null", timeout=10)
    if not page.sources()[n]["stopped"]:
        fails.append("stop did not stop the tune")
    # Repetition switched off during the first pass: the sound ends there.
    b.eval("glimPage.play('/game/sounds/purr04.wav', 1)")
    s = page.wait_sources(n + 2)[n + 1]
    b.eval("glimPage.repeat(0)")
    b.wait_for(f"window.__sources[{n + 1}].ended !== null", timeout=30)
    s = page.sources()[n + 1]
    if s["stopped"] or abs(s["ended"] - s["started"] - purr) > 0.3:
        fails.append(f"a repeating sound switched off did not end at the end of its pass ({purr:.2f} s): {s}")
    # Stopped before its decoding ended: it never sounds.
    b.eval("glimPage.play('/game/sounds/purr04.wav', 1); glimPage.stop()")
    time.sleep(1)
    if len(page.sources()) != n + 2:
        fails.append("a sound stopped before it could start began all the same")
    return fails


def check_first_gesture(chromium, url, profile):
    """A browser that lets a page sound only after a key or click: an effect
    asked for long before the first click is dropped, a repeating sound or
    an effect asked for just before starts with it. Returns the failures."""
    fails = []
    b = Browser(chromium, profile, ["--autoplay-policy=document-user-activation-required"])

    def click_after(play, wait):
        n = b.eval("window.__sources.length")
        b.eval(play)
        time.sleep(wait)
        started_early = b.eval("window.__sources.length") > n
        for kind in ("mousePressed", "mouseReleased"):  # a click beside the game
            b.send("Input.dispatchMouseEvent", {"type": kind, "x": 2, "y": 2, "button": "left", "clickCount": 1})
        time.sleep(1)
        return started_early, b.eval("window.__audio()")[n:]

    try:
        # Each context the page makes is kept, to suspend it again.
        b.open(url, INSTRUMENT + "window.__contexts = []; window.AudioContext = class extends AudioContext "
               "{ constructor(...a) { super(...a); window.__contexts.push(this); } };")
        b.wait_for("typeof glimIdle === 'function' && glimIdle()", timeout=60)
        early, s = click_after("glimPage.play('/game/sounds/paper1.wav', 0)", 2.5)
        if early or s:
            fails.append(f"an effect asked for 2.5 s before the first click played: {s}")
        for play, what in (("glimPage.play('/game/sounds/purr04.wav', 1)", "a repeating sound"),
                           ("glimPage.play('/game/sounds/paper1.wav', 0)", "an effect")):
            b.eval("window.__contexts.forEach(c => c.suspend())")
            early, s = click_after(play, 2.5 if "purr" in play else 0.3)
            if early or len(s) != 1:
                fails.append(f"{what} asked for before the click did not start with it: {s}")
        fails += [f"page error: {e}" for e in b.errors]
    finally:
        b.close()
    return fails


def panel_live_lines(b):
    """The panel's accessible role and live setting, and the text of its lines."""
    root = b.send("DOM.getDocument")["root"]["nodeId"]
    panel = b.send("DOM.querySelector", {"nodeId": root, "selector": "#panel"})["nodeId"]
    node = b.send("Accessibility.getPartialAXTree", {"nodeId": panel, "fetchRelatives": False})["nodes"][0]
    live = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}.get("live")
    texts = b.send("Accessibility.queryAXTree", {"nodeId": panel, "role": "StaticText"})["nodes"]
    return node["role"]["value"], live, [t.get("name", {}).get("value", "") for t in texts]


def check_speech(page):
    """F12 switches reading aloud: the new lines are spoken, the state is
    announced; screen readers find the lines in a live log. Returns the
    failures."""
    fails = []
    b = page.b
    b.send("Accessibility.enable")
    b.send("DOM.enable")
    page.command("look")
    role, live, texts = panel_live_lines(b)
    want = [t.strip() for t in b.eval("[...document.getElementById('panel').children].map(e => e.textContent)")]
    want = [t for t in want if t]
    if role != "log" or live != "polite" or not want or [t.strip() for t in texts] != want:
        fails.append(f"the panel is no polite live log with the new lines: {role}, {live}, {texts[-6:]} against {want}")
    if b.eval("window.__spoken.length"):
        fails.append("lines were read aloud before F12")
    b.key("F12", "F12", 123)
    notice = b.eval("document.getElementById('notice').textContent")
    status = b.eval("document.getElementById('notice').getAttribute('role')")
    if notice != "Reading aloud on (F12 turns it off)" or status != "status":
        fails.append(f"F12 did not announce reading aloud in a status region: {notice!r} ({status})")
    if b.eval("window.__spoken") != ["Reading aloud on"]:
        fails.append(f"F12 did not say it reads aloud: {b.eval('window.__spoken')}")
    cancels = b.eval("window.__cancels")
    lines = page.command("look")
    spoken = b.eval("window.__spoken.slice(1)")
    if spoken != [t for t in lines if t.strip()]:
        fails.append(f"the new lines were not read aloud: {spoken[:3]} against {lines[:3]}")
    if b.eval("window.__cancels") <= cancels:
        fails.append("a new command did not interrupt what was left to read")
    b.key("F12", "F12", 123)
    if b.eval("document.getElementById('notice').textContent") != "Reading aloud off (F12 turns it on)":
        fails.append("F12 did not announce that reading aloud is off")
    before = b.eval("window.__spoken.length")
    page.command("look")
    if b.eval("window.__spoken.length") != before:
        fails.append("lines were read aloud after F12 switched it off")
    return fails


def contents_names(folder_help):
    with open(os.path.join(folder_help, "contents.hhc"), encoding="utf-8") as f:
        return re.findall(r'<param name="Name" value="([^"]*)">', f.read())


FRAME = "document.getElementById('help-page')"


def help_page(b):
    return b.eval(f"{FRAME}.contentDocument.readyState === 'complete' ? {FRAME}.contentWindow.location.pathname : ''")


def wait_page(b, name):
    b.wait_for(f"{FRAME}.contentDocument.readyState === 'complete' && "
               f"{FRAME}.contentWindow.location.pathname.endsWith('/help/{name}')", timeout=10)


def click_in_page(b, href):
    """Clicks a link with this href put into the help page shown."""
    b.eval(f"""(() => {{
      const d = {FRAME}.contentDocument, a = d.createElement('a');
      a.href = {json.dumps(href)}; a.textContent = 'x'; d.body.appendChild(a); a.click(); }})()""")


def check_help(page, help_sources, screenshot):
    """The help dialog: opened by the help button and F1, the contents, the
    links, Back, Escape. Returns the failures."""
    fails = []
    b = page.b
    before = b.eval("window.__log.length")
    b.eval("document.getElementById('help').click()")
    b.wait_for("document.getElementById('help-dialog').open", timeout=10)
    wait_page(b, "index.html")
    if b.eval(f"window.__log.slice({before})")[-1:] != ["Help activation"]:
        fails.append("the help button did not print 'Help activation'")
    b.wait_for("document.querySelectorAll('#help-contents a').length > 0", timeout=10)
    names = b.eval("[...document.querySelectorAll('#help-contents a')].map(a => a.textContent)")
    if names != contents_names(help_sources):
        fails.append(f"the contents are {names}")
    if b.eval("glimIdle()"):
        fails.append("the game did not wait while the help was open")
    if screenshot:
        b.send("Emulation.setDeviceMetricsOverride", {"width": 1024, "height": 768, "deviceScaleFactor": 1, "mobile": False})
        time.sleep(0.3)
        with open(screenshot, "wb") as f:
            f.write(base64.b64decode(b.send("Page.captureScreenshot", {"format": "png"})["data"]))
    # A link of the page, the help file's own forms, the contents, Back.
    b.eval(f"{FRAME}.contentDocument.querySelector('a[href=\"commands.html\"]').click()")
    wait_page(b, "commands.html")
    for href, name in (("glimhelp.chm::/hints.html", "hints.html"), ("ms-its:glimhelp.chm::/story.html", "story.html"),
                       ("mk:@MSITStore:glimhelp.chm::/saving.html", "saving.html"), ("chm:/window.html", "window.html")):
        click_in_page(b, href)
        try:
            wait_page(b, name)
        except RuntimeError:
            fails.append(f"the link {href} did not lead to {name} but to {help_page(b)}")
    click_in_page(b, "../index.html")  # the game's own page is not a help page
    time.sleep(0.3)
    if not help_page(b).endswith("/help/window.html"):
        fails.append(f"a link out of the help was followed inside it: {help_page(b)}")
    b.eval("[...document.querySelectorAll('#help-contents a')].find(a => a.href.endsWith('words.html')).click()")
    wait_page(b, "words.html")
    if b.eval("document.querySelector('#help-contents a[aria-current=page]')?.textContent") != names[2]:
        fails.append("the contents do not mark the page shown")
    for name in ("window.html", "saving.html", "story.html", "hints.html", "commands.html", "index.html"):
        b.eval("document.getElementById('help-back').click()")
        wait_page(b, name)
    if not b.eval("document.getElementById('help-back').disabled"):
        fails.append("Back is not disabled at the first page")
    # F12 reaches reading aloud from the page of the help; Escape there
    # closes it, and the game goes on.
    b.eval(f"{FRAME}.contentWindow.focus()")
    b.key("F12", "F12", 123)
    if b.eval("document.getElementById('notice').textContent") != "Reading aloud on (F12 turns it off)":
        fails.append("F12 in the help's page did not switch reading aloud on")
    b.key("F12", "F12", 123)
    b.key("Escape", "Escape", 27)
    b.wait_for("!document.getElementById('help-dialog').open && glimIdle()", timeout=10)
    if not page.command("look"):
        fails.append("the game did not go on after the help was closed")
    # F1 opens it again at its first page; Escape in the dialog closes it.
    b.key("F1", "F1", 112)
    b.wait_for("document.getElementById('help-dialog').open", timeout=10)
    wait_page(b, "index.html")
    b.eval("document.getElementById('help-close').focus()")
    b.key("Escape", "Escape", 27)
    b.wait_for("!document.getElementById('help-dialog').open && glimIdle()", timeout=10)
    if b.eval("document.activeElement.id") != "command":
        fails.append("the keyboard did not go back to the command line")
    return fails


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--site", required=True)
    ap.add_argument("--folder", required=True, help="the game folder")
    ap.add_argument("--help-sources", default=os.path.join(HERE, "..", "..", "help"))
    ap.add_argument("--screenshot", help="a PNG file for a picture of the help dialog at 1024 x 768")
    ap.add_argument("--chromium", default=shutil.which("chromium") or "chromium")
    args = ap.parse_args()

    tmp = tempfile.mkdtemp(prefix="glim-media-")
    fails = check_music(args.site, args.folder, tmp)
    server = serve(args.site)
    url = f"http://127.0.0.1:{server.server_address[1]}/index.html?clock=virtual"
    b = Browser(args.chromium, tmp + "/profile")
    try:
        b.open(url, INSTRUMENT)
        b.wait_for("typeof glimIdle === 'function' && glimIdle()", timeout=60)
        page = Page(b)
        for name, check in (("sounds", lambda: check_game_sounds(page, args.folder)),
                            ("page sounds", lambda: check_page_sounds(page, args.folder)),
                            ("speech", lambda: check_speech(page)),
                            ("help", lambda: check_help(page, args.help_sources, args.screenshot))):
            try:
                fails += check()
            except RuntimeError as e:  # a wait that timed out
                fails.append(f"{name}: {e}")
        fails += [f"page error: {e}" for e in b.errors]
        b.close()
        try:
            fails += check_first_gesture(args.chromium, url, tmp + "/gesture")
        except RuntimeError as e:
            fails.append(f"first click: {e}")
    finally:
        b.close()
        server.shutdown()
        shutil.rmtree(tmp, ignore_errors=True)
    return verdict(fails, "media: the page's music, sounds, speech and help work")


if __name__ == "__main__":
    sys.exit(main())
