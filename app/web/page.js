// The page around the game: it draws what the game sends (glimPage, called
// from WebPlatform.cpp) and hands commands, clicks and keys to the game, one
// call at a time. The game's logic is all in the WebAssembly module.
'use strict';

(() => {
  const $ = (id) => document.getElementById(id);

  // The game's text is 8-bit bytes in the Windows code page; the page shows
  // it decoded and sends typed text back as the same bytes.
  const decoder = new TextDecoder('windows-1252');
  const toText = (bytes) => decoder.decode(bytes);
  const byteOf = new Map();
  for (let b = 0; b < 256; ++b) byteOf.set(decoder.decode(new Uint8Array([b])), b);
  const toBytes = (s) => {
    const out = new Uint8Array(s.length + 1);  // NUL-terminated
    for (let i = 0; i < s.length; ++i) out[i] = byteOf.get(s[i]) ?? 63;
    return out;
  };

  const virtualClock = new URLSearchParams(location.search).get('clock') === 'virtual';
  let started = false;
  let busy = false;
  let closed = false;
  let timer = null;

  // The number of calls into the game and the milliseconds they took, waits
  // and boxes included (for the tests and benchmarks).
  const stats = { calls: 0, ms: 0 };
  window.glimStats = stats;

  // One call into the game. Nothing starts while another call runs: a
  // command's waits and boxes are part of it.
  async function call(name, types, args) {
    if (!started || busy || closed) return false;
    busy = true;
    document.body.classList.add('busy');
    // A step of the player's begins (speech.js drops the rest of the last answer).
    if (name !== 'glim_tick') document.dispatchEvent(new Event('glim-command'));
    const t0 = performance.now();
    try {
      await Module.ccall(name, null, types, args, { async: true });
    } catch (e) {
      console.error(e);
    } finally {
      stats.calls += 1;
      stats.ms += performance.now() - t0;
      busy = false;
      document.body.classList.remove('busy');
      armTimer();
    }
    return true;
  }

  // The event timer between commands, on the real clock.
  function armTimer() {
    clearTimeout(timer);
    if (!started || closed) return;
    const left = Module._glim_timer_left();
    if (left >= 0) timer = setTimeout(tick, left);
  }

  function tick() {
    if (busy) timer = setTimeout(tick, 50);
    else call('glim_tick', [], []);
  }

  // --- the dialogs of the game's boxes
  function showBox(text, buttons, withInput) {
    return new Promise((resolve) => {
      const box = $('box');
      $('box-text').textContent = text;
      const input = $('box-input');
      input.hidden = !withInput;
      for (const name of ['yes', 'no', 'ok']) {
        const b = $('box-' + name);
        b.hidden = !buttons.includes(name);
        b.onclick = () => {
          box.hidden = true;
          resolve({ button: name, value: input.value });
          focusCommand();
        };
      }
      box.hidden = false;
      (withInput ? input : $('box-' + buttons[0])).focus();
    });
  }

  // The keyboard goes back to the command line after a button, a click or a
  // dialog, so that the player types on. After a touch (a phone) it goes
  // back only when the player was typing: focusing the line would raise the
  // on-screen keyboard over the picture at every tap.
  let touched = matchMedia('(pointer: coarse)').matches && !matchMedia('(pointer: fine)').matches;
  let wasTyping = false;
  document.addEventListener('pointerdown', (e) => {
    touched = e.pointerType === 'touch';
    wasTyping = document.activeElement === $('command');
  }, true);
  function focusCommand() {
    if (touched && !wasTyping) {
      if (document.activeElement && document.activeElement !== document.body) document.activeElement.blur();
      return;
    }
    // Focusing lays the page out first: not done when it has the keyboard.
    if (document.activeElement !== $('command')) $('command').focus();
  }

  const panel = $('panel');
  const canvases = [$('scene'), $('carried')];
  let scrollPending = false;

  window.glimPage = {
    print(bytes) {
      const line = document.createElement('div');
      line.textContent = toText(bytes);
      panel.appendChild(line);
      // Scrolled once a frame: reading the panel's height after every line
      // would lay the page out again for each.
      if (!scrollPending) {
        scrollPending = true;
        requestAnimationFrame(() => { scrollPending = false; panel.scrollTop = panel.scrollHeight; });
      }
    },
    clear() { panel.replaceChildren(); },
    field(bytes) { $('command').value = toText(bytes); },
    focus() { focusCommand(); },
    notice(bytes) { $('notice').textContent = toText(bytes); },
    direction(d, on) { $(['', 'north', 'south', 'east', 'west'][d]).disabled = !on; },
    // A picture of fullW x fullH as bytes R, G, B, A kept by the game, of
    // which the rectangle (x, y, w, h) changed; the canvas copies it at once.
    picture(which, rgba, x, y, w, h, fullW, fullH) {
      const c = canvases[which];
      if (c.width !== fullW || c.height !== fullH) { c.width = fullW; c.height = fullH; }
      const px = new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, rgba.length);
      c.getContext('2d').putImageData(new ImageData(px, fullW, fullH), 0, 0, x, y, w, h);
    },
    closed() {
      closed = true;
      document.body.classList.add('closed');
      $('command').disabled = true;
    },
    undoHint(hint) { $('undohint').textContent = ['', 'Ctrl+Z takes the death back', 'Ctrl+Z takes the new game back'][hint] || ''; },
    async box(bytes, kind) {
      const text = toText(bytes).replace(/\r\n/g, '\n');
      const r = await showBox(text, kind === 2 ? ['yes', 'no'] : ['ok'], false);
      return r.button === 'yes' ? 1 : 0;
    },
    async input(title, prompt, def) {
      $('box-input').value = toText(def);
      const r = await showBox(toText(title) + '\n' + toText(prompt), ['ok', 'no'], true);
      return toBytes(r.button === 'ok' ? r.value : toText(def)).subarray(0, -1);
    },
  };

  // For the page's other scripts (layout.js): one call into the game.
  glimPage.call = call;

  // For the tests: the game has started and no call runs; and the window's
  // controls by number (main.cpp's Control), the hidden ones included.
  window.glimIdle = () => started && !busy;
  window.glimControl = (n) => call('glim_control', ['number'], [n]);
  window.glimWait = (seconds) => call('glim_wait', ['number'], [seconds]);

  // The game's text codec, for the page's other scripts.
  Object.assign(window.glimPage, { toText, toBytes });

  // --- the command line, with its history
  const history = [];
  let historyAt = 0;
  const command = $('command');
  command.addEventListener('keydown', (e) => {
    if (e.key === 'Enter') {
      e.preventDefault();
      if (!started || busy) return;  // no command while another runs
      const line = command.value;
      if (line.trim() !== '' && history[history.length - 1] !== line) history.push(line);
      historyAt = history.length;
      call('glim_command', ['array'], [toBytes(line)]);
    } else if (e.key === 'ArrowUp' || e.key === 'ArrowDown') {
      e.preventDefault();
      historyAt = Math.max(0, Math.min(history.length, historyAt + (e.key === 'ArrowUp' ? -1 : 1)));
      command.value = history[historyAt] ?? '';
    }
  });

  for (const b of document.querySelectorAll('button[data-control]')) {
    b.addEventListener('click', () => {
      call('glim_control', ['number'], [Number(b.dataset.control)]);
      focusCommand();  // the keyboard stays on the command line
    });
  }

  // The module (glimmerhold.js) reads this object when it loads.
  window.Module = {
    onRuntimeInitialized() {
      started = true;
      document.body.classList.add('ready');
      command.disabled = false;
      busy = false;
      call('glim_start', ['number'], [virtualClock ? 1 : 0]).then(focusCommand);
    },
    print: (t) => console.log(t),
    printErr: (t) => console.warn(t),
  };
})();
