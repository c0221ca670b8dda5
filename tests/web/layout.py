#!/usr/bin/env python3
"""The page's layout at a desktop's and a phone's sizes.

Opens the page at 1024 x 768, 2560 x 1440 and a phone's 390 x 844 (mobile,
touch). On the desktops every control of the game's layout must stand at its
design rectangle times the factor that fits the viewport, centred; on the
phone every shown control must lie inside the viewport. Every button's
accessible name must be its caption (its tooltip for a picture button). On
the phone the opening is played by touch: a tap on an object in the room
picture takes it, a tap on its icon in the carried panel drops it, and a
typed command answers. The splash must scroll the credits at the window's
speed and end at a key. A picture of the page is saved at each size
(build-web/page-1024.png, page-2560.png, page-390.png), and the page must
log no error.

Exit status 0 when all holds; the failures are printed otherwise.
"""

import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from drive import Browser, answer_boxes, arguments, enter, serve, verdict  # noqa: E402

SIZES = [(1024, 768, False), (2560, 1440, False), (390, 844, True)]

RECTS = """(() => {
  const area = document.getElementById('area').getBoundingClientRect();
  return [...document.querySelectorAll('#area > .ctl')].map((el) => {
    const r = el.getBoundingClientRect();
    const shown = getComputedStyle(el).display !== 'none' && !el.hidden;
    return { name: el.dataset.name, shown, x: r.left - area.left, y: r.top - area.top, w: r.width, h: r.height,
             left: r.left, top: r.top, right: r.right, bottom: r.bottom, area: [area.left, area.top, area.width, area.height],
             tag: el.tagName, label: el.getAttribute('aria-label'), text: el.textContent.trim() };
  });
})()"""


def layout_of(b, f):
    return json.loads(b.eval(f"Module.UTF8ToString(Module._glim_layout({f}))"))


def check_desktop(b, w, h):
    """Every control at its rectangle times the factor, the area centred."""
    fails = []
    f = b.eval(f"Module._glim_fit_zoom({w}, {h}, 0.25)")
    want = {c["name"]: c for c in layout_of(b, f)["controls"]}
    got = b.eval(RECTS)
    if len(got) != len(want):
        fails.append(f"{w}x{h}: the page has {len(got)} controls, the layout {len(want)}")
    for g in got:
        c = want[g["name"]]
        r = c["rect"]
        # Each rectangle is the design times f, rounded as the window rounds.
        if c["rect"] != [round(v * f) for v in c["design"][:2]] + [round((c["design"][0] + c["design"][2]) * f) - round(c["design"][0] * f), round((c["design"][1] + c["design"][3]) * f) - round(c["design"][1] * f)]:
            fails.append(f"{w}x{h}: {g['name']}: the layout's rectangle {r} is not the design times {f}")
        if g["shown"] and any(abs(a - b_) > 0.5 for a, b_ in zip((g["x"], g["y"], g["w"], g["h"]), r)):
            fails.append(f"{w}x{h}: {g['name']} stands at {[g['x'], g['y'], g['w'], g['h']]}, not {r}")
        if g["shown"] != c["visible"] and c["kind"] != "status":
            fails.append(f"{w}x{h}: {g['name']} is {'shown' if g['shown'] else 'hidden'}, the window's is not")
    area = got[0]["area"]
    if abs(area[0] - (w - area[2]) // 2) > 1 or abs(area[1] - (h - area[3]) // 2) > 1:
        fails.append(f"{w}x{h}: the game area {area} is not centred")
    if abs(area[2] - round(800 * f)) > 0.5 or abs(area[3] - round(600 * f)) > 0.5:
        fails.append(f"{w}x{h}: the game area is {area[2]} x {area[3]}, not 800 x 600 times {f}")
    font = b.eval("getComputedStyle(document.getElementById('LoadBtn') || document.getElementById('load')).fontSize")
    if font != f"{want['LoadBtn']['zoomPx']}px":
        fails.append(f"{w}x{h}: the Load button's text is {font}, not {want['LoadBtn']['zoomPx']}px")
    return fails


def check_phone(b, w, h):
    fails = []
    for g in b.eval(RECTS):
        if not g["shown"]:
            continue
        if g["left"] < 0 or g["top"] < 0 or g["right"] > w + 0.5 or g["bottom"] > h + 0.5:
            fails.append(f"{w}x{h}: {g['name']} lies outside the viewport: {g['left'], g['top'], g['right'], g['bottom']}")
    for name in ("LoadBtn", "SaveBtn", "NewBtn", "AboutBtn", "ExitBtn", "spbNorth", "spbHelp", "imgCarried", "txtCommand"):
        if not any(g["name"] == name and g["shown"] for g in b.eval(RECTS)):
            fails.append(f"{w}x{h}: {name} is not shown on the phone")
    return fails


def check_names(b):
    """Every button's accessible name, as the accessibility tree has it, is
    its caption (a picture button's is its tooltip)."""
    fails = []
    want = {c["name"]: c for c in layout_of(b, 1)["controls"]}
    b.send("Accessibility.enable")
    for g in b.eval(RECTS):
        c = want[g["name"]]
        if g["tag"] != "BUTTON":
            if c["kind"] in ("button", "pictureButton", "pushButton"):
                fails.append(f"{g['name']} is not a button")
            continue
        caption = c["caption"] or c["tip"]
        if not g["shown"]:  # a hidden button is named all the same
            if g["label"] != caption:
                fails.append(f"{g['name']}: the hidden button is named {g['label']!r}, not {caption!r}")
            continue
        node = b.send("DOM.getDocument")["root"]["nodeId"]
        found = b.send("DOM.querySelector", {"nodeId": node, "selector": f"[data-name='{g['name']}']"})["nodeId"]
        ax = b.send("Accessibility.getPartialAXTree", {"nodeId": found, "fetchRelatives": False})["nodes"]
        name = ax[0].get("name", {}).get("value") if ax else None
        if name != caption:
            fails.append(f"{g['name']}: the accessible name is {name!r}, the caption {caption!r}")
    return fails


def ctrl_key(b, key, code, vk):
    for kind in ("keyDown", "keyUp"):
        b.send("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": code, "modifiers": 2,
                                          "windowsVirtualKeyCode": vk, "nativeVirtualKeyCode": vk})


def check_focus(b):
    """After a button the keyboard is back on the command line."""
    b.eval("document.getElementById('south').click()")
    b.wait_for("glimIdle()", timeout=10)
    b.eval("document.getElementById('north').click()")
    b.wait_for("glimIdle()", timeout=10)
    if b.eval("document.activeElement.id") != "command":
        return [f"after a direction button the focus is on {b.eval('document.activeElement.id')!r}"]
    return []


def check_zoom_keys(b):
    """Ctrl+Minus steps the factor down to 1 and says so; Ctrl+0 fits
    again. The keys go through the game's key map and zoom rule."""
    fails = []
    fit = b.eval("document.getElementById('area').getBoundingClientRect().width")
    for want in (1000, 800, 800):  # 1.28 steps down to 1.25, then 1, and no lower
        ctrl_key(b, "-", "Minus", 189)
        width = b.eval("document.getElementById('area').getBoundingClientRect().width")
        notice = b.eval("document.getElementById('notice').textContent")
        if width != want or not notice.startswith(f"Zoom {want // 8}%  (Ctrl+Plus"):
            fails.append(f"Ctrl+Minus left the game area {width} wide, not {want}, with the notice {notice!r}")
    # Ctrl+Z and Ctrl+Y reach the game as the window's undo and redo.
    calls = b.eval("glimStats.calls")
    ctrl_key(b, "z", "KeyZ", 90)
    b.wait_for("glimIdle()", timeout=10)
    ctrl_key(b, "y", "KeyY", 89)
    b.wait_for("glimIdle()", timeout=10)
    if b.eval("glimStats.calls") != calls + 2:
        fails.append("Ctrl+Z and Ctrl+Y did not both call the game")
    ctrl_key(b, "0", "Digit0", 48)
    width = b.eval("document.getElementById('area').getBoundingClientRect().width")
    if width != fit or "as large as fits" not in b.eval("document.getElementById('notice').textContent"):
        fails.append(f"Ctrl+0 left the game area {width} wide, not {fit}")
    return fails


def shot(b, path):
    with open(path, "wb") as f:
        f.write(base64.b64decode(b.send("Page.captureScreenshot", {"format": "png"})["data"]))


def find_hit(term, folder, before, target, points):
    """The first point of `points` at which a click on the terminal game's
    picture issues a command, after the commands `before`."""
    lines = before + [f":click {target} {x} {y}" for x, y in points]
    args = [term, "--virtual-clock", "--silent", "--no-splash"] + (["--folder", folder] if folder else [])
    out = subprocess.run(args, input="\n".join(lines).encode() + b"\n", capture_output=True, timeout=120,
                         check=True).stdout.decode("latin-1")
    verb = "get " if target == "view" else "drop "
    echoes = [ln for ln in out.split("\n") if ln.startswith(verb)]
    if not echoes:
        return None, None
    # The clicks that miss print nothing: count the ones before the hit by
    # playing again up to each candidate is slow, so the hit is found by
    # halving the list.
    lo, hi = 0, len(points)
    while hi - lo > 1:
        mid = (lo + hi) // 2
        part = before + [f":click {target} {x} {y}" for x, y in points[lo:mid]]
        o = subprocess.run(args, input="\n".join(part).encode() + b"\n", capture_output=True, timeout=120,
                           check=True).stdout.decode("latin-1")
        if any(ln.startswith(verb) for ln in o.split("\n")):
            hi = mid
        else:
            lo = mid
    return points[lo], echoes[0]


def tap(b, x, y, hold=0.0):
    b.send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
    if hold:
        time.sleep(hold)
    b.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})


def tap_picture(b, canvas, px, py):
    """A tap on pixel (px, py) of a picture canvas, at its middle."""
    r = b.eval(f"(() => {{ const c = document.getElementById('{canvas}'); const r = c.getBoundingClientRect();"
               f" return [r.left, r.top, r.width, r.height, c.width, c.height]; }})()")
    x = r[0] + (px + 0.5) * r[2] / r[4]
    y = r[1] + (py + 0.5) * r[3] / r[5]
    tap(b, x, y)
    time.sleep(0.05)
    answer_boxes(b)


def play_by_touch(b, args):
    """The opening on the phone: type a move, tap an object in the room to
    take it, tap its icon to drop it."""
    fails = []
    panel = "[...document.getElementById('panel').children].map(e => e.textContent)"
    enter(b, "s")
    b.wait_for("glimIdle()", timeout=10)
    w, h = b.eval("[document.getElementById('scene').width, document.getElementById('scene').height]")
    grid = [(x, y) for y in range(0, h, 8) for x in range(0, w, 8)]
    hit, echo = find_hit(args.term, args.folder, ["s"], "view", grid)
    if not hit:
        return ["the terminal game finds no object to click in the room south of the start"]
    point = (hit[0] + 8, hit[1] + 6)
    tap_picture(b, "scene", *point)
    lines = b.eval(panel)
    if echo not in lines or not any("You have" in ln for ln in lines):
        fails.append(f"a tap on the room picture at {point} did not take: {lines[-3:]}")
    ch = b.eval("document.getElementById('carried').height")
    hit2, echo2 = find_hit(args.term, args.folder, ["s", f":click view {point[0]} {point[1]}"], "carried",
                           [(86, y) for y in range(0, ch, 4)])
    if not hit2:
        return fails + ["the terminal game finds no icon in the carried panel"]
    before = len(b.eval(panel))
    # Held, the tap is the right button, which the carried panel ignores.
    r = b.eval("(() => { const c = document.getElementById('carried'); const r = c.getBoundingClientRect();"
               " return [r.left, r.top, r.width, r.height, c.width, c.height]; })()")
    tap(b, r[0] + 86.5 * r[2] / r[4], r[1] + (hit2[1] + 6.5) * r[3] / r[5], hold=0.6)
    time.sleep(0.1)
    b.wait_for("glimIdle()", timeout=10)
    if len(b.eval(panel)) != before:
        fails.append("a held tap on the carried panel did something; the window's right button does nothing there")
    tap_picture(b, "carried", 86, hit2[1] + 6)
    lines = b.eval(panel)
    if echo2 not in lines:
        fails.append(f"a tap on the carried icon did not drop: {lines[-3:]}")
    start = b.eval("window.__log.length")
    enter(b, "look")
    b.wait_for("glimIdle()", timeout=10)
    if "look" not in b.eval(f"window.__log.slice({start})"):
        fails.append("the command typed on the phone did not run")
    print(f"web layout: on the phone a tap took ({echo!r}), a tap dropped ({echo2!r}), typing answered")
    return fails


def check_splash(b):
    """The splash shows the credits scrolling one pixel every 10 ms and a
    key ends it."""
    fails = []
    b.wait_for("!!document.getElementById('splash')", timeout=30)
    width = b.eval("Module._glim_strip_width(0, 0)")
    x0 = b.eval("Module._glim_strip_at(0, 3000)")
    x1 = b.eval("Module._glim_strip_at(1000, 3000)")
    if width != 761 or x0 != 2 or x1 != -98:
        fails.append(f"the strip is {width} wide and stands at {x0}, {x1}")
    if b.eval("glimIdle()"):
        fails.append("the game went on while the splash was shown")
    if not b.eval("document.getElementById('splash-imgScroll').getAttribute('aria-label').length > 20"):
        fails.append("the splash's strip has no credits")
    b.key("Escape", "Escape", 27)
    b.wait_for("glimIdle() && !document.getElementById('splash')", timeout=10)
    return fails


def main():
    ap = arguments(__doc__.split("\n")[0], walkthrough=False)
    ap.add_argument("--shots", default="build-web", help="the folder for the pictures")
    args = ap.parse_args()

    profile = tempfile.mkdtemp(prefix="glim-layout-")
    server = serve(args.site)
    base = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    fails = []
    try:
        for w, h, mobile in SIZES:
            b = Browser(args.chromium, f"{profile}/{w}")
            try:
                splash = w == 1024
                b.open(base + ("?splash=yes" if splash else "?clock=virtual"))
                b.send("Emulation.setDeviceMetricsOverride",
                       {"width": w, "height": h, "deviceScaleFactor": 1, "mobile": mobile})
                b.send("Emulation.setTouchEmulationEnabled", {"enabled": mobile, "maxTouchPoints": 5 if mobile else 1})
                b.send("Page.reload")
                time.sleep(0.2)
                b.wait_for("typeof glimIdle === 'function'", timeout=60)
                if splash:
                    fails += check_splash(b)
                b.wait_for("glimIdle()", timeout=60)
                b.eval("document.fonts.ready.then(() => 0)")
                time.sleep(0.3)
                if mobile:
                    fails += check_phone(b, w, h)
                    fails += play_by_touch(b, args)
                    fails += check_phone(b, w, h)
                else:
                    fails += check_desktop(b, w, h)
                if w == 1024:
                    fails += check_names(b)
                    fails += check_zoom_keys(b)
                    fails += check_focus(b)
                shot(b, os.path.join(args.shots, f"page-{w}.png"))
                fails += [f"{w}x{h}: page error: {e}" for e in b.errors]
            finally:
                b.close()
    finally:
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)
    return verdict(fails, "web layout: the controls stand at the window's places at 1024 x 768 and 2560 x 1440 and inside "
              "390 x 844; every button is named by its caption; pictures in " + args.shots)


if __name__ == "__main__":
    sys.exit(main())
