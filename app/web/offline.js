// Makes the page installable and playable offline: registers the service
// worker (sw.js) and, once the first room is shown, asks it to fetch the
// rest of the game in the background. A player who asked the browser to
// save data gets no background fetching; the rooms they visit are still
// kept. The tests' virtual clock leaves the worker out, so that they see
// only the game's own fetches.
'use strict';

(() => {
  const params = new URLSearchParams(location.search);
  if (!('serviceWorker' in navigator) || params.get('clock') === 'virtual' || params.get('offline') === '0') return;

  // For the tests and the benchmarks: how far the background fetching got.
  window.glimOffline = { state: 'starting', files: 0, of: 0 };

  navigator.serviceWorker.addEventListener('message', (e) => {
    if (e.data && e.data.type === 'filled') {
      Object.assign(window.glimOffline, { state: 'filled', files: e.data.files, of: e.data.of });
    }
  });

  // Nothing of this runs before the first room is shown: the worker's
  // install fetches the start's files once more, which must not slow the
  // page's own loading of them.
  async function gameStarted() {
    while (!(typeof window.glimIdle === 'function' && window.glimIdle())) {
      await new Promise((r) => setTimeout(r, 200));
    }
  }

  (async () => {
    try {
      await gameStarted();
      await navigator.serviceWorker.register('sw.js');
      const worker = (await navigator.serviceWorker.ready).active;
      if (navigator.connection && navigator.connection.saveData) {
        window.glimOffline.state = 'save-data';
        return;
      }
      window.glimOffline.state = 'filling';
      worker.postMessage({ type: 'fill' });
    } catch (e) {
      // No worker (a private window, a file: address): the game plays
      // online as before.
      window.glimOffline.state = 'none';
      console.warn('Glimmerhold cannot be kept for offline play here:', e.message);
    }
  })();
})();
