// The page's sounds and music, through Web Audio, with the game's rules: one
// sound at a time (a new one stops the one before), a repeating sound loops
// until it is stopped or replaced or its repetition is switched off (it then
// ends at its natural end), and stop ends it at once. The WAV files are
// decoded as they are; a MIDI tune plays from the Ogg Opus file rendered
// from it at build time (music/NAME.opus, tools/sounds/render_music.py).
'use strict';

(() => {
  const MUSIC = /\.(mid|midi|rmi)$/i;
  // Decoded sounds are kept for their next play, the least recently played
  // let go first beyond this many bytes of samples: all the effects fit;
  // the title music (some 35 MB decoded) is decoded again when it comes back.
  const CACHE_BYTES = 16 << 20;
  // A browser lets a page sound only after the player's first key, click or
  // tap. A sound asked for before that plays then if it repeats (the music,
  // a background) or was asked for at most this long before; an older
  // effect is dropped, as its moment has passed.
  const LATE_MS = 1500;

  // The bytes of a sound the game asks for by its path in the game folder.
  // This is the one place that knows where sounds come from: a WAV from the
  // module's file system (fetched from the site's game/ folder the first
  // time), a tune's rendering from beside the page.
  async function soundData(path) {
    const name = path.slice(path.lastIndexOf('/') + 1);
    if (MUSIC.test(name)) {
      const url = 'music/' + name.replace(MUSIC, '').toLowerCase() + '.opus';
      const r = await fetch(url);
      if (!r.ok) throw new Error(`${url}: ${r.status} ${r.statusText}`);
      return r.arrayBuffer();
    }
    // A sound file not read before is fetched from the site (files.js).
    if (!Module.FS.analyzePath(path).exists && !(await glimPage.fetchFile(path))) {
      throw new Error(`${path} cannot be fetched`);
    }
    const bytes = Module.FS.readFile(path);
    return bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength);
  }

  let context = null;
  // What the game last asked to hear ({ loop, asked }), null after a stop.
  let wanted = null;
  // The sound sounding now ({ source }), null when none does.
  let playing = null;
  // A sound decoded while the browser did not let the page sound yet.
  let waiting = null;

  function audioContext() {
    if (!context) {
      context = new AudioContext();
      context.addEventListener('statechange', () => {
        if (context.state === 'running') startWaiting();
      });
    }
    return context;
  }

  // The player's first key or click lets the page sound (and so does any
  // later one, should the browser have suspended it meanwhile).
  function unlock() {
    const c = audioContext();
    if (c.state === 'suspended') c.resume().catch(() => {});
  }
  for (const e of ['keydown', 'pointerdown', 'pointerup', 'touchend']) document.addEventListener(e, unlock, true);

  const cache = new Map();  // path -> AudioBuffer, the most recently played last
  let cachedBytes = 0;
  const sizeOf = (b) => b.length * b.numberOfChannels * 4;

  // A sound stopped or replaced while its file was still on its way is not
  // decoded: decoding the title tune takes a second or more of the
  // machine's time, which the start of the game needs (the music stops as
  // soon as the splash is gone).
  const superseded = new Error('superseded');

  async function decoded(path, want) {
    const hit = cache.get(path);
    if (hit) {
      cache.delete(path);
      cache.set(path, hit);
      return hit;
    }
    const data = await soundData(path);
    if (wanted !== want) throw superseded;
    const buffer = await audioContext().decodeAudioData(data);
    if (!cache.has(path) && sizeOf(buffer) <= CACHE_BYTES) {
      cache.set(path, buffer);
      cachedBytes += sizeOf(buffer);
      for (const [p, b] of cache) {
        if (cachedBytes <= CACHE_BYTES) break;
        cache.delete(p);
        cachedBytes -= sizeOf(b);
      }
    }
    return buffer;
  }

  function begin(buffer, want) {
    const c = audioContext();
    const source = c.createBufferSource();
    source.buffer = buffer;
    source.loop = want.loop;
    source.connect(c.destination);
    const now = { source };
    source.addEventListener('ended', () => {
      if (playing === now) playing = null;
      source.disconnect();
    });
    source.start();
    playing = now;
  }

  function startWaiting() {
    const w = waiting;
    waiting = null;
    if (!w || w.want !== wanted) return;
    if (w.want.loop || performance.now() - w.want.asked <= LATE_MS) begin(w.buffer, w.want);
  }

  const audio = {
    play(path, repeat) {
      audio.stop();
      const want = { loop: !!repeat, asked: performance.now() };
      wanted = want;
      decoded(path, want).then(
        (buffer) => {
          if (wanted !== want) return;  // stopped or replaced meanwhile
          if (audioContext().state === 'running') begin(buffer, want);
          else waiting = { buffer, want };
        },
        (e) => {
          // Named as the desktop names a sound file it cannot find; the
          // game goes on without it.
          if (wanted !== want) return;
          console.warn(`The sound ${path} cannot be played: ${e.message || e}`);
          glimPage.notice(new TextEncoder().encode("Can't find Sound file " + path));
        });
    },
    stop() {
      wanted = null;
      waiting = null;
      if (!playing) return;
      const { source } = playing;
      playing = null;
      source.stop();
    },
    // Switched off, a looping sound plays on to the end of its pass.
    repeat(on) {
      if (wanted) wanted.loop = !!on;
      if (playing) playing.source.loop = !!on;
    },
  };
  Object.assign(window.glimPage, audio);
})();
