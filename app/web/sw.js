// The service worker: keeps the game in the browser's cache so that it plays
// offline after the first visit.
//
// files.json (written at build time beside this file) lists every file of
// the site, and the build's version, which is also written into this file so
// that a new build installs a new worker. The files the page needs to start
// are cached on install; the rest (room pictures, sounds, music, help) are
// cached when the game first fetches them, and the page asks for all of them
// in the background once the first room is shown ("fill"). Each build has its
// own cache; the older ones are deleted when the new worker takes over.
'use strict';

const VERSION = '@GLIM_SITE_VERSION@';
const CACHE = 'glimmerhold-' + VERSION;

async function siteList() {
  const r = await fetch('files.json', { cache: 'no-store' });
  if (!r.ok) throw new Error('files.json: ' + r.status);
  return r.json();
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const list = await siteList();
    const cache = await caches.open(CACHE);
    await cache.addAll(list.start.map((f) => new Request(f, { cache: 'no-store' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith('glimmerhold-') && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

// The cached answer where there is one, else the network's, kept for next
// time. The site is static and versioned as a whole, so a cached file is
// right for as long as this worker's build is.
async function answer(request) {
  const cache = await caches.open(CACHE);
  const url = new URL(request.url);
  url.search = '';
  const key = url.pathname.endsWith('/') ? url.href + 'index.html' : url.href;
  const hit = await cache.match(key);
  if (hit) return hit;
  const response = await fetch(request);
  if (response.ok && response.status === 200) await cache.put(key, response.clone());
  return response;
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  if (request.headers.has('range')) return;  // partial answers are not cached
  event.respondWith(answer(request));
});

// Fetches every file of the site that is not cached yet, two at a time, and
// tells the page how far it got.
async function fill(client) {
  const list = await siteList();
  const cache = await caches.open(CACHE);
  const names = Object.keys(list.files);
  const missing = [];
  for (const name of names) {
    if (!(await cache.match(new URL(name, self.registration.scope).href))) missing.push(name);
  }
  let done = names.length - missing.length;
  const next = async () => {
    for (let f = missing.shift(); f; f = missing.shift()) {
      try {
        const url = new URL(f, self.registration.scope).href;
        const r = await fetch(url, { cache: 'no-store' });
        if (r.ok) await cache.put(url, r);
      } catch (e) {
        // Offline again: what is cached stays, the next visit goes on.
        return;
      }
      done += 1;
    }
  };
  await Promise.all([next(), next()]);
  if (client) client.postMessage({ type: 'filled', files: done, of: names.length });
}

self.addEventListener('message', (event) => {
  if (event.data && event.data.type === 'fill') event.waitUntil(fill(event.source));
});
