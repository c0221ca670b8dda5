// The help pages in the page. The game's help command (the help button and
// F1 give it too) opens a dialog with the help's contents beside its pages
// (help/, the help file's sources copied at build time), Back and Close
// (or Escape). The game waits until the dialog is closed, as the window
// waits for its help viewer. The dialog is sized in the page's own units,
// so it zooms with the page.
'use strict';

(() => {
  const BASE = new URL('help/', document.baseURI);
  const HOME = new URL('index.html', BASE);

  const dialog = document.createElement('dialog');
  dialog.id = 'help-dialog';
  dialog.setAttribute('aria-labelledby', 'help-title');
  dialog.innerHTML = `
    <div class="help-bar">
      <button id="help-back" type="button" disabled>Back</button>
      <h2 id="help-title">Glimmerhold Help</h2>
      <button id="help-close" type="button">Close</button>
    </div>
    <div class="help-body">
      <nav id="help-contents" aria-label="Contents"></nav>
      <iframe id="help-page" title="Help page"></iframe>
    </div>`;
  document.body.appendChild(dialog);
  const $ = (id) => document.getElementById(id);
  const back = $('help-back');
  const frame = $('help-page');
  const contents = $('help-contents');

  // The pages shown since the dialog opened, the one on show last.
  const trail = [];
  let closed = null;  // ends the game's wait

  function go(url, remember = true) {
    if (remember) trail.push(url.href);
    back.disabled = trail.length < 2;
    frame.contentWindow.location.replace(url.href);
  }

  // Where a link of a help page leads: a page of the help (a path beside
  // the page, or the help file's own forms "glimhelp.chm::/page.html",
  // "ms-its:glimhelp.chm::/page.html", "chm:/page.html"), a web page (in a
  // new tab of the browser), or nowhere (another part of this site or a
  // scheme the page does not follow).
  function target(href, page) {
    const sep = href.indexOf('::');
    if (sep >= 0) return { help: new URL(href.slice(sep + 2).replace(/^\/+/, ''), BASE) };
    if (/^chm:/i.test(href)) return { help: new URL(href.replace(/^chm:\/*/i, ''), BASE) };
    let url;
    try {
      url = new URL(href, page);
    } catch {
      return {};
    }
    if (url.origin === BASE.origin) return url.pathname.startsWith(BASE.pathname) ? { help: url } : {};
    return url.protocol === 'http:' || url.protocol === 'https:' ? { outside: url } : {};
  }

  function follow(e) {
    const a = e.target.closest && e.target.closest('a[href]');
    if (!a || e.defaultPrevented) return;
    e.preventDefault();
    const doc = frame.contentDocument;
    const to = target(a.getAttribute('href'), doc.baseURI);
    if (to.outside) window.open(to.outside.href, '_blank', 'noopener');
    if (!to.help) return;
    const here = new URL(doc.URL);
    if (to.help.pathname === here.pathname && to.help.hash) {
      doc.getElementById(decodeURIComponent(to.help.hash.slice(1)))?.scrollIntoView();
      return;
    }
    go(to.help);
  }

  frame.addEventListener('load', () => {
    const doc = frame.contentDocument;
    if (!doc || doc.URL === 'about:blank') return;
    // Pictures no wider than the page: a narrow screen needs no sideways scrolling.
    const fit = doc.createElement('style');
    fit.textContent = 'img { max-width: 100%; height: auto; }';
    doc.head?.appendChild(fit);
    doc.addEventListener('click', follow);
    // The page's keys work with the help page under the keyboard too: Escape
    // closes, F1 stays here, F12 reaches reading aloud.
    doc.addEventListener('keydown', (e) => {
      if (e.key === 'Escape') close();
      if (e.key !== 'F1' && e.key !== 'F12') return;
      e.preventDefault();
      if (e.key === 'F12') document.dispatchEvent(new KeyboardEvent('keydown', { key: e.key, shiftKey: e.shiftKey }));
    });
    const here = new URL(doc.URL);
    for (const a of contents.querySelectorAll('a')) {
      if (new URL(a.href).pathname === here.pathname) a.setAttribute('aria-current', 'page');
      else a.removeAttribute('aria-current');
    }
  });

  // The contents file is a list of lists, each entry an object with the
  // parameters Name and Local.
  function topics(list) {
    const ul = document.createElement('ul');
    for (const li of list.children) {
      const object = li.querySelector(':scope > object');
      if (!object) continue;
      const param = (name) =>
        [...object.querySelectorAll('param')].find((p) => p.getAttribute('name')?.toLowerCase() === name)?.getAttribute('value') ?? '';
      const item = document.createElement('li');
      const a = document.createElement('a');
      a.textContent = param('name');
      a.href = new URL(param('local'), BASE).href;
      a.addEventListener('click', (e) => {
        e.preventDefault();
        go(new URL(a.href));
      });
      item.appendChild(a);
      const sub = li.querySelector(':scope > ul');
      if (sub) item.appendChild(topics(sub));
      ul.appendChild(item);
    }
    return ul;
  }

  let loading = null;
  function loadContents() {
    loading ??= fetch(new URL('contents.hhc', BASE))
      .then((r) => (r.ok ? r.text() : Promise.reject(new Error(`${r.status}`))))
      .then((text) => {
        const list = new DOMParser().parseFromString(text, 'text/html').querySelector('ul');
        contents.replaceChildren(list ? topics(list) : '');
      })
      .catch(() => {
        contents.textContent = 'The contents could not be loaded.';
        loading = null;
      });
    return loading;
  }

  function close() {
    if (dialog.open) dialog.close();
  }

  // However the dialog closes (Close, Escape), the game goes on.
  dialog.addEventListener('close', () => {
    const done = closed;
    closed = null;
    glimPage.focus();
    if (done) done();
  });

  back.addEventListener('click', () => {
    if (trail.length < 2) return;
    trail.pop();
    go(new URL(trail[trail.length - 1]), false);
  });
  $('help-close').addEventListener('click', close);

  // F1 presses the help button through the window's key map (layout.js).

  // Shows the help from its first page; resolves when the player closes it.
  window.glimPage.help = () =>
    new Promise((resolve) => {
      closed = resolve;
      trail.length = 0;
      loadContents();
      dialog.showModal();
      go(HOME);
      $('help-close').focus();
    });
})();
