// The game folder on demand. Only the small files the start needs are packed
// into glimmerhold.data; the room pictures, sounds and help file are plain
// files of the site under game/, fetched when the game first reads one and
// kept in the module's file system (/game/ there is game/ here). The site's
// file list, files.json, written when the site is built, says which files
// there are and how large, so the game learns that a file exists without a
// request. The game starts once the list has arrived.
'use strict';

(() => {
  let listed = new Map();  // "game/images/room1.jpg" -> its size in bytes
  let byLowerName = new Map();  // the same names in lower case -> the listed name
  const pending = new Map();  // a fetch under way, by listed name
  // The names fetched because the game read them, and those fetched ahead
  // (for the tests and benchmarks).
  const stats = { reads: [], prefetches: [], busy: 0 };  // busy: fetches and decodes under way
  window.glimFiles = stats;
  const listReady = fetch('files.json')
    .then((r) => (r.ok ? r.json() : { files: {} }))
    .then((list) => {
      listed = new Map(Object.entries(list.files || {}).filter(([name]) => name.startsWith('game/')));
      byLowerName = new Map([...listed.keys()].map((name) => [name.toLowerCase(), name]));
    })
    .catch(() => {});  // without a list every file outside the packed ones is missing, as on a disk

  // The module's absolute path ("/game/...") as the site's relative name.
  const siteName = (path) => path.replace(/^\/+/, '');

  // The room pictures fetched are decoded at once by the browser, on its own
  // threads, while the player reads; the game takes the pixels of a picture
  // decoded from the same bytes instead of decoding it itself (the last few
  // are kept).
  const decoded = [];  // { bytes, w, h, rgba }, the newest last
  let found = null;
  async function predecode(bytes) {
    stats.busy += 1;
    try {
      const bitmap = await createImageBitmap(new Blob([bytes]), { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
      const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
      const ctx = canvas.getContext('2d', { willReadFrequently: true });
      ctx.drawImage(bitmap, 0, 0);
      const rgba = ctx.getImageData(0, 0, bitmap.width, bitmap.height).data;
      decoded.push({ bytes, w: bitmap.width, h: bitmap.height, rgba });
      if (decoded.length > 8) decoded.shift();
      bitmap.close();
    } catch (e) {
      // The game decodes the picture itself.
    } finally {
      stats.busy -= 1;
    }
  }
  const sameBytes = (a, b) => {
    if (a.length !== b.length) return false;
    for (let i = 0; i < a.length; ++i) if (a[i] !== b[i]) return false;
    return true;
  };

  // The files to fetch ahead once the game's call has ended.
  const ahead = new Set();
  function startAhead() {
    for (const name of ahead) {
      stats.busy -= 1;
      if (pending.has(name) || FS.analyzePath('/' + name).exists) continue;
      stats.prefetches.push(name);
      fetchInto(name);
    }
    ahead.clear();
  }

  // Fetches a listed file into the module's file system; true when it is
  // there. A second request for the same file waits for the first.
  function fetchInto(name) {
    if (!pending.has(name)) {
      stats.busy += 1;
      const p = fetch(name)
        .then((r) => (r.ok ? r.arrayBuffer() : null))
        .then((data) => {
          if (!data) return false;
          const path = '/' + name;
          FS.mkdirTree(path.slice(0, path.lastIndexOf('/')));
          FS.writeFile(path, new Uint8Array(data));
          if (/\.jpg$/i.test(name)) predecode(new Uint8Array(data));
          return true;
        })
        .catch(() => false)
        .finally(() => {
          pending.delete(name);
          stats.busy -= 1;
        });
      pending.set(name, p);
    }
    return pending.get(name);
  }

  Object.assign(window.glimPage, {
    // The listed name of a file, matched exactly or, with noCase, in any
    // case of its letters; '' when the site has no such file.
    listedName(path, noCase) {
      const name = siteName(path);
      if (listed.has(name)) return name;
      return noCase ? byLowerName.get(name.toLowerCase()) ?? '' : '';
    },
    // The size of a listed file, -1 for one not listed.
    fileSize(path) {
      const size = listed.get(siteName(path));
      return size === undefined ? -1 : size;
    },
    // Fetches a listed file into the file system: 1 when it is there.
    async fetchFile(path) {
      const name = siteName(path);
      if (!pending.has(name)) stats.reads.push(name);
      return (await fetchInto(name)) ? 1 : 0;
    },
    // Fetches a file the game may read soon (a neighbouring room's picture),
    // unless it is here already or on its way. The fetch starts once the
    // game's call has ended: starting it costs more than most commands.
    prefetch(path) {
      const name = siteName(path);
      if (!listed.has(name) || ahead.has(name)) return;
      if (ahead.size === 0) setTimeout(startAhead, 0);
      ahead.add(name);
      stats.busy += 1;  // counted as under way from now
    },
    // The size of a picture the browser decoded from exactly these bytes,
    // [0, 0] when it has none; then its pixels, R, G, B, A.
    decodedSize(bytes) {
      found = decoded.find((d) => sameBytes(d.bytes, bytes)) || null;
      return found ? [found.w, found.h] : [0, 0];
    },
    decodedPixels() { return found.rgba; },
  });

  // The game starts when both the module and the list are ready.
  const start = Module.onRuntimeInitialized;
  Module.onRuntimeInitialized = () => { listReady.then(() => start.call(Module)); };
})();
