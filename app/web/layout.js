// The page laid out as the window: every control at its place in the 800 x
// 600 design, scaled to fit the viewport (the rectangles and font sizes are
// scaled, not a picture of them, so the text stays sharp), with the
// window's captions, colours and faces; on a narrow portrait screen the
// same controls stacked for a phone. The places, the zoom rule, the keys,
// the hit test of a click and the splash's strip all come from the game
// (glim_layout, glim_fit_zoom, glim_key, glim_click, glim_strip_*); this
// file only draws and forwards.
'use strict';

(() => {
  const $ = (id) => document.getElementById(id);
  const params = new URLSearchParams(location.search);
  const virtualClock = params.get('clock') === 'virtual';

  // The page's elements for the window's controls; the others are made here.
  const ids = {
    imgView: 'scene', Print: 'panel', txtCommand: 'command', imgCarried: 'carried', LoadBtn: 'load', SaveBtn: 'save',
    NewBtn: 'new', AboutBtn: 'about', ExitBtn: 'exit', spbNorth: 'north', spbSouth: 'south', spbEast: 'east',
    spbWest: 'west', spbHelp: 'help', lblStatus: 'notice', ObjectCheat: 'objectcheat', RoomCheat: 'roomcheat',
  };
  const pictureNames = ['help', 'north', 'south', 'east', 'west'];
  const faces = { sans: 'GlimSans, "Nimbus Sans", Arial, sans-serif', script: 'GlimScript, "Z003", cursive' };

  const area = document.createElement('div');
  area.id = 'area';
  let layout = null;  // the layout at factor 1
  const controls = {};  // name -> { c, el }
  let zoom = 1;
  let zoomFits = true;
  let phone = false;

  // Calls of the game's small functions go straight to the module: they
  // also run while a command waits or a box is open, when ccall would take
  // the waiting command's place.
  const text = (ptr) => Module.UTF8ToString(ptr);
  function withText(s, f) {
    const n = Module.lengthBytesUTF8(s) + 1;
    const p = Module._malloc(n);
    Module.stringToUTF8(s, p, n);
    try {
      return f(p);
    } finally {
      Module._free(p);
    }
  }
  const layoutAt = (f) => JSON.parse(text(Module._glim_layout(f)));
  const fitZoom = (w, h, least) => Module._glim_fit_zoom(w, h, least);

  // The game's pictures: those packed with the start (the direction
  // buttons') come from the module's file system as they are; the others
  // (the title) are files of the site, where "/game/x" is "game/x".
  function imageUrl(path) {
    if (!FS.analyzePath(path).exists) return path.replace(/^\/+/, '');
    try {
      return URL.createObjectURL(new Blob([FS.readFile(path)], { type: 'image/png' }));
    } catch (e) {
      return null;
    }
  }

  function press(n) {
    glimPage.call('glim_control', ['number'], [n]);
    glimPage.focus();
  }

  function makeElement(c) {
    const existing = ids[c.name] && $(ids[c.name]);
    if (existing) return existing;
    let el;
    if (c.kind === 'pushButton') {
      el = document.createElement('button');
      el.id = ids[c.name] || c.name;
      el.dataset.control = c.press;
      el.addEventListener('click', () => press(c.press));
    } else {
      el = document.createElement('div');
      el.id = c.name;
    }
    el.textContent = c.caption;
    return el;
  }

  function dress(c, el) {
    el.classList.add('ctl', 'k-' + c.kind);
    el.dataset.name = c.name;
    el.style.color = c.fore;
    el.style.backgroundColor = c.back;
    el.style.fontFamily = faces[c.face];
    el.style.fontWeight = c.bold ? 'bold' : 'normal';
    el.style.fontStyle = c.italic ? 'italic' : 'normal';
    el.style.justifyContent = c.align === 'left' ? 'flex-start' : 'center';
    el.style.textAlign = c.align === 'left' ? 'left' : 'center';
    if (c.hand) el.style.cursor = 'pointer';
    if (!c.visible && c.kind === 'pushButton') el.hidden = true;
    if (c.kind === 'button' || c.kind === 'pictureButton' || c.kind === 'pushButton') {
      el.setAttribute('aria-label', c.access);
      if (c.tip) el.title = c.tip;
      el.textContent = c.caption;
    }
    if (c.kind === 'pictureButton') {
      const name = pictureNames[c.picture];
      for (const [cls, file] of [['on', `btn_${name}.png`], ['off', `btn_${name}_off.png`]]) {
        const img = document.createElement('img');
        img.className = cls;
        img.alt = '';
        img.draggable = false;
        const url = imageUrl('/game/images/' + file);
        if (url) img.src = url;
        el.appendChild(img);
      }
    }
  }

  function build() {
    layout = layoutAt(1);
    $('game').appendChild(area);
    for (const c of layout.controls) {
      const el = makeElement(c);
      dress(c, el);
      area.appendChild(el);
      controls[c.name] = { c, el };
    }
    document.body.classList.add('laid-out');
    addPointer($('scene'), 'imgView');
    addPointer($('carried'), 'imgCarried');
    placeAll();
  }

  // --- places
  function setRect(el, r) {
    el.style.left = r[0] + 'px';
    el.style.top = r[1] + 'px';
    el.style.width = r[2] + 'px';
    el.style.height = r[3] + 'px';
  }

  function placeDesktop(vw, vh) {
    const fit = fitZoom(vw, vh, 0.25);
    if (zoomFits || zoom > fit) zoom = zoomFits ? fit : Math.max(Math.min(zoom, fit), 1);
    const l = layoutAt(zoom);
    const [w, h] = l.area;
    area.style.width = w + 'px';
    area.style.height = h + 'px';
    area.style.left = Math.max(0, Math.floor((vw - w) / 2)) + 'px';
    area.style.top = Math.max(0, Math.floor((vh - h) / 2)) + 'px';
    for (const c of l.controls) {
      const { el } = controls[c.name];
      setRect(el, c.rect);
      el.style.fontSize = c.zoomPx + 'px';
      el.style.lineHeight = '';
    }
  }

  // A narrow portrait screen: the room picture across the top, the
  // messages and the command line under it, and in reach of the thumbs the
  // carried panel, the direction pad with help and the file buttons. While
  // the on-screen keyboard is up only the picture, the messages and the
  // command line are shown, the command line just above the keyboard.
  function phonePlaces(W, H, keyboard) {
    const p = {};
    const sceneH = Math.round((W * 375) / 600);
    p.imgView = [0, 0, W, sceneH];
    const B = keyboard ? 0 : Math.min(262, Math.round(H * 0.32));
    const cmdH = 40;
    p.txtCommand = [0, H - B - cmdH, W, cmdH];
    p.Print = [0, sceneH, W, H - B - cmdH - sceneH];
    p.lblStatus = [0, H - B - cmdH - 22, W, 20];
    if (keyboard) return p;
    const top = H - B;
    const s = (B - 30) / 353;
    p.lblCarry = [0, top + 2, Math.round(153 * s) + 30, 24];
    p.imgCarried = [6, top + 28, Math.round(153 * s), B - 30];
    const btn = 44, gap = 4;
    const cx = Math.round(p.imgCarried[0] + p.imgCarried[2] + (W - 90 - p.imgCarried[0] - p.imgCarried[2]) / 2);
    const y0 = top + 30;
    p.spbNorth = [cx - btn / 2, y0, btn, btn];
    p.spbHelp = [cx - btn / 2, y0 + btn + gap, btn, btn];
    p.spbSouth = [cx - btn / 2, y0 + 2 * (btn + gap), btn, btn];
    p.spbWest = [cx - btn / 2 - btn - gap, y0 + btn + gap, btn, btn];
    p.spbEast = [cx + btn / 2 + gap, y0 + btn + gap, btn, btn];
    p.lblNorth = [cx - 12, y0 - 26, 24, 24];
    p.lblSouth = [cx - 12, y0 + 3 * (btn + gap) - 2, 24, 24];
    p.lblWest = [cx - btn / 2 - btn - gap - 2, y0 + btn + gap - 28, 24, 24];
    p.lblEast = [cx + btn / 2 + btn + gap - 22, y0 + btn + gap - 28, 24, 24];
    const files = ['LoadBtn', 'SaveBtn', 'NewBtn', 'AboutBtn', 'ExitBtn'];
    const fh = Math.min(btn, Math.floor((B - 8) / files.length) - gap);
    files.forEach((n, i) => { p[n] = [W - 84, top + 4 + i * (fh + gap), 78, fh]; });
    return p;
  }

  function placePhone(vw, vh) {
    const vv = window.visualViewport;
    const H = vv ? Math.round(vv.height) : vh;
    const keyboard = vv ? vv.height < window.innerHeight - 120 : false;
    area.style.left = '0px';
    area.style.top = (vv ? Math.round(vv.offsetTop) : 0) + 'px';
    area.style.width = vw + 'px';
    area.style.height = H + 'px';
    document.body.classList.toggle('keyboard', keyboard);
    const p = phonePlaces(vw, H, keyboard);
    for (const { c, el } of Object.values(controls)) {
      const r = p[c.name];
      el.classList.toggle('phone-hidden', !r);
      if (r) setRect(el, r);
      el.style.fontSize = c.face === 'script' ? (c.kind === 'button' ? '19px' : '20px') : '16px';
    }
  }

  function placeAll() {
    if (!layout) return;
    const vw = document.documentElement.clientWidth, vh = window.innerHeight;
    phone = vw < 640 && vh > vw;
    document.body.classList.toggle('phone', phone);
    if (phone) placePhone(vw, vh);
    else placeDesktop(vw, vh);
    const panel = $('panel');
    panel.scrollTop = panel.scrollHeight;
  }
  window.addEventListener('resize', placeAll);
  if (window.visualViewport) {
    window.visualViewport.addEventListener('resize', () => {
      placeAll();
      if (phone && document.activeElement === $('command')) $('command').scrollIntoView({ block: 'nearest' });
    });
    window.visualViewport.addEventListener('scroll', () => { if (phone) placeAll(); });
  }

  // --- clicks and taps on the pictures: the point in the design goes to
  // the game, whose hit test finds the control and the object. A touch held
  // half a second is the right button: on the room picture it takes as a
  // click does, on the carried panel it does nothing, as in the window.
  function addPointer(el, name) {
    let down = 0;
    el.addEventListener('pointerdown', () => { down = performance.now(); });
    el.addEventListener('pointerup', (e) => {
      const c = controls[name].c;
      const r = el.getBoundingClientRect();
      if (r.width <= 0 || r.height <= 0) return;
      const x = c.design[0] + ((e.clientX - r.left) * c.design[2]) / r.width;
      const y = c.design[1] + ((e.clientY - r.top) * c.design[3]) / r.height;
      const held = e.pointerType === 'touch' && performance.now() - down >= 500;
      const left = e.button === 0 && !held ? 1 : 0;
      glimPage.call('glim_click', ['number', 'number', 'number'], [x, y, left]);
      glimPage.focus();
    });
    el.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  // --- the window's keys
  const buttonOf = { help: 'spbHelp', save: 'SaveBtn', load: 'LoadBtn', exit: 'ExitBtn', objectCheat: 'ObjectCheat', roomCheat: 'RoomCheat' };
  function act(action) {
    if (buttonOf[action]) {
      const { c, el } = controls[buttonOf[action]];
      if (c.kind === 'pushButton') press(c.press);
      else el.click();
      return true;
    }
    switch (action) {
      case 'undo': glimPage.call('glim_undo', [], []); return true;
      case 'redo': glimPage.call('glim_redo', [], []); return true;
      case 'zoomIn':
        zoomFits = false;
        zoom = Module._glim_zoom_in(zoom, fitZoom(innerWidth, innerHeight, 1));
        placeAll();
        zoomNotice();
        return true;
      case 'zoomOut':
        zoomFits = false;
        zoom = Module._glim_zoom_out(zoom);
        placeAll();
        zoomNotice();
        return true;
      case 'zoomFit': zoomFits = true; placeAll(); zoomNotice(); return true;
      case 'fullScreen':
        if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
        else document.documentElement.requestFullscreen().catch(() => {});
        return true;
      case 'speech':
        if (typeof glimPage.toggleSpeech !== 'function') return false;
        glimPage.toggleSpeech();
        return true;
      default: return false;
    }
  }

  document.addEventListener('keydown', (e) => {
    if (!layout) return;
    if ($('splash')) return;  // the splash takes every key itself
    const action = withText(e.key, (k) => text(Module._glim_key(k, e.ctrlKey || e.metaKey ? 1 : 0, e.shiftKey ? 1 : 0,
      e.altKey ? 1 : 0)));
    if (action && act(action)) e.preventDefault();
  });

  // --- notices stand under the command line for some seconds, as in the
  // window; the undo hint stands in the empty command line.
  const plainNotice = glimPage.notice;
  let noticeTimer = null;
  glimPage.notice = function (bytes) {
    plainNotice.call(this, bytes);
    hideNoticeSoon();
  };
  function hideNoticeSoon() {
    clearTimeout(noticeTimer);
    const hide = () => {
      if (!$('box').hidden) noticeTimer = setTimeout(hide, 1000);
      else $('notice').textContent = '';
    };
    noticeTimer = setTimeout(hide, 4000);
  }
  function zoomNotice() {
    $('notice').textContent = text(Module._glim_zoom_notice(zoom, zoomFits ? 1 : 0));
    hideNoticeSoon();
  }
  glimPage.undoHint = (hint) => {
    $('command').placeholder = text(Module._glim_undo_hint_text(hint));
  };

  // The title picture of the splash and the About box: the game's own.
  let titleUrl;
  function titlePicture() {
    if (titleUrl === undefined) titleUrl = imageUrl('/game/images/title.png');
    const img = document.createElement('img');
    img.alt = '';
    img.draggable = false;
    if (titleUrl) img.src = titleUrl;
    return img;
  }

  // A dialog's own controls at their design places times f.
  function placeDialog(list, f, els, top = 0) {
    for (const c of list) {
      const el = els[c.name];
      if (!el) continue;
      const r = c.design.map((v) => Math.round(v * f));
      r[1] += top;
      setRect(el, r);
      // The text face keeps the window's smallest size; when the whole
      // dialog is drawn smaller than its design (a phone) a text to read
      // stays at 13 pixels and a button's caption shrinks with it.
      const least = c.face !== 'sans' ? 1 : f >= 1 ? 15 : c.kind === 'text' ? 13 : 8;
      el.style.fontSize = Math.max(Math.round(c.px * f), least) + 'px';
    }
  }

  // The factor of a dialog: the main window's, or less when the viewport
  // is smaller.
  function dialogZoom(w, h, extra) {
    return Math.min(phone ? 1 : zoom, (innerWidth - 8) / w, (innerHeight - extra - 8) / h);
  }

  // --- the splash: the title picture, the credits scrolling under it at
  // the window's speed, "Click to Continue"; a key or a click anywhere
  // ends it. The tests' virtual clock skips it unless ?splash=yes.
  glimPage.splash = async (bytes) => {
    const want = params.get('splash');
    if (want === 'no' || (virtualClock && want !== 'yes')) return;
    await Promise.race([document.fonts.ready, new Promise((r) => setTimeout(r, 1500))]);
    const credits = new TextDecoder('windows-1252').decode(bytes);
    const [sw, sh] = layout.splashSize;
    const f = dialogZoom(sw, sh, 0);
    const box = document.createElement('div');
    box.id = 'splash';
    box.setAttribute('role', 'dialog');
    box.setAttribute('aria-label', 'Glimmerhold');
    box.style.width = Math.round(sw * f) + 'px';
    box.style.height = Math.round(sh * f) + 'px';
    const els = { imgSplash: titlePicture(), imgScroll: document.createElement('canvas'),
      cmdDone: document.createElement('button') };
    els.cmdDone.textContent = layout.splash.find((c) => c.name === 'cmdDone').caption;
    els.cmdDone.setAttribute('aria-label', els.cmdDone.textContent);
    els.imgScroll.setAttribute('aria-label', credits);
    for (const [n, el] of Object.entries(els)) {
      el.id = 'splash-' + n;
      box.appendChild(el);
    }
    placeDialog(layout.splash, f, els);
    document.body.appendChild(box);

    // The strip: the text in white 16-point on black, 1 pixel to the left
    // every tick; drawn at the device's pixels so that it stays sharp.
    const strip = els.imgScroll, g = strip.getContext('2d');
    const scale = f * (window.devicePixelRatio || 1);
    strip.width = Math.round(761 * scale);
    strip.height = Math.round(33 * scale);
    const big = `21px ${faces.sans}`;
    g.font = `11px ${faces.sans}`;
    const measured = Math.round(g.measureText(credits).width);
    g.font = big;
    const drawn = Math.round(g.measureText(credits).width);
    const width = Module._glim_strip_width(measured, drawn);
    const ascent = g.measureText('Hg').fontBoundingBoxAscent || 19;
    const start = performance.now();
    let frame = 0;
    const draw = () => {
      const x = Module._glim_strip_at(performance.now() - start, width);
      g.setTransform(scale, 0, 0, scale, 0, 0);
      g.fillStyle = '#000';
      g.fillRect(0, 0, 761, 33);
      g.fillStyle = '#fff';
      g.font = big;
      g.fillText(credits, x, 2 + ascent);
      g.fillText(credits, x + width, 2 + ascent);
      frame = requestAnimationFrame(draw);
    };
    draw();
    els.cmdDone.focus();
    await new Promise((resolve) => {
      const done = (e) => {
        e.preventDefault();
        e.stopPropagation();
        resolve();
      };
      box.addEventListener('click', done);
      document.addEventListener('keydown', done, { capture: true, once: true });
    });
    cancelAnimationFrame(frame);
    box.remove();
  };

  // --- the About box: the game's dialog laid out as the window's, the
  // title picture over the credits in yellow on navy, and OK.
  const plainBox = glimPage.box;
  glimPage.box = async function (bytes, kind) {
    if (kind !== 3 || !layout) return plainBox.call(this, bytes, kind);
    const box = $('box');
    const [aw, ah] = layout.aboutSize;
    const f = dialogZoom(aw, ah, 24);
    let picture = $('box-picture');
    if (!picture) {
      picture = titlePicture();
      picture.id = 'box-picture';
      box.prepend(picture);
    }
    const heading = document.createElement('div');
    heading.id = 'box-title';
    heading.textContent = layout.aboutTitle;
    box.prepend(heading);
    box.classList.add('about');
    box.setAttribute('aria-label', layout.aboutTitle);
    box.style.width = Math.round(aw * f) + 'px';
    box.style.height = Math.round(ah * f) + 24 + 'px';
    placeDialog(layout.about, f, { imgSplash: picture, memAbout: $('box-text'), cmdOK: $('box-ok') }, 24);
    const escape = (e) => {
      if (e.key === 'Escape') $('box-ok').click();
    };
    document.addEventListener('keydown', escape);
    try {
      return await plainBox.call(this, bytes, kind);
    } finally {
      document.removeEventListener('keydown', escape);
      heading.remove();
      box.classList.remove('about');
      box.removeAttribute('aria-label');
      box.style.width = box.style.height = '';
      for (const el of [$('box-text'), $('box-ok')]) el.removeAttribute('style');
    }
  };

  // The layout is built once the game's module is there, before the game
  // starts.
  const plainInit = Module.onRuntimeInitialized;
  Module.onRuntimeInitialized = function () {
    build();
    plainInit.call(this);
  };
})();
