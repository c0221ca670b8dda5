// Saved games in the page: the Save and Load dialogs and the browser's own
// storage (IndexedDB). The game writes and reads its files exactly as on the
// desktop; WebPlatform hands the bytes of a save here to be kept, and takes
// the bytes of the chosen game back for the game's own loader. Each game is
// kept under its name with the date it was saved, and nothing else is.
'use strict';

(() => {
  const page = window.glimPage;
  const $ = (id) => document.getElementById(id);
  const DB_NAME = 'glimmerhold';
  const STORE = 'saves';
  const EXT = '.gam';
  // As the game's loader: no saved game comes near this size.
  const MAX_BYTES = 1 << 20;
  const MAX_NAME = 60;

  // --- the storage: one record a game, { name, saved (ms), bytes }
  let dbPromise = null;

  function openDb() {
    if (!dbPromise) {
      dbPromise = new Promise((resolve, reject) => {
        if (!window.indexedDB) throw new Error('this browser keeps no storage for the page');
        const req = indexedDB.open(DB_NAME, 1);
        req.onupgradeneeded = () => req.result.createObjectStore(STORE, { keyPath: 'name' });
        req.onsuccess = () => {
          const db = req.result;
          db.onversionchange = () => { db.close(); dbPromise = null; };
          resolve(db);
        };
        req.onerror = () => reject(req.error);
        req.onblocked = () => reject(new Error('another tab of the game holds the storage'));
      });
      dbPromise.catch(() => { dbPromise = null; });  // tried again next time
    }
    return dbPromise;
  }

  // One request in a transaction of its own; resolves when the transaction
  // has completed (a write is then kept), rejects when it failed or aborted.
  async function request(mode, make) {
    const db = await openDb();
    return new Promise((resolve, reject) => {
      const tx = db.transaction(STORE, mode);
      const req = make(tx.objectStore(STORE));
      tx.oncomplete = () => resolve(req.result);
      tx.onabort = () => reject(tx.error || req.error || new Error('the storage gave up'));
    });
  }

  const listSaves = () => request('readonly', (s) => s.getAll()).then((all) => all.sort((a, b) => b.saved - a.saved));
  const putSave = (record) => request('readwrite', (s) => s.put(record));
  const deleteSave = (name) => request('readwrite', (s) => s.delete(name));
  const describe = (e) => (e && e.name && e.message ? `${e.name}: ${e.message}` : String(e));

  // --- names
  const bytesOf = (s) => page.toBytes(s).subarray(0, -1);  // without the NUL

  // The name as typed, without blanks around it or the extension, which
  // the file gets anyway.
  function cleanName(typed) {
    const name = typed.trim();
    return name.toLowerCase().endsWith(EXT) ? name.slice(0, -EXT.length).trim() : name;
  }

  // Why a name cannot be used, or '' when it can. It becomes a file name on
  // the player's disk when exported, so it keeps to what every system takes.
  function nameProblem(name) {
    if (!name) return 'Type a name for the saved game.';
    if (name.length > MAX_NAME) return `A name has at most ${MAX_NAME} letters.`;
    if (/[\\/:*?"<>|\x00-\x1f\x7f]/.test(name)) return 'A name cannot hold any of \\ / : * ? " < > |';
    if (page.toText(bytesOf(name)) !== name) return 'The name holds a letter the game cannot write.';
    return '';
  }

  const two = (n) => String(n).padStart(2, '0');
  function dateText(ms) {
    const d = new Date(ms);
    return `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())} ${two(d.getHours())}:${two(d.getMinutes())}`;
  }

  // --- the dialog, one for both Save and Load
  const dialog = document.createElement('dialog');
  dialog.id = 'saves';
  dialog.setAttribute('aria-labelledby', 'saves-title');
  dialog.innerHTML = `
    <div id="saves-main">
      <h2 id="saves-title"></h2>
      <div id="saves-list" role="listbox" tabindex="0" aria-label="Saved games"></div>
      <label id="saves-name-row">Name <input id="saves-name" type="text" autocomplete="off" spellcheck="false"></label>
      <p id="saves-status" role="status"></p>
      <div class="buttons">
        <button id="saves-import" type="button">Import…</button>
        <button id="saves-export" type="button">Export</button>
        <button id="saves-delete" type="button">Delete</button>
        <span class="gap"></span>
        <button id="saves-accept" type="button"></button>
        <button id="saves-cancel" type="button">Cancel</button>
      </div>
      <input id="saves-file" type="file" accept="${EXT}" hidden>
    </div>
    <div id="saves-ask" role="alertdialog" aria-labelledby="saves-question" hidden>
      <p id="saves-question"></p>
      <div class="buttons"><button id="saves-yes" type="button">Yes</button><button id="saves-no" type="button">No</button></div>
    </div>`;
  document.body.appendChild(dialog);

  // What the open dialog shows: its mode ('save' or 'load'), the games
  // kept, the chosen one's index, and how it ends.
  let state = null;

  function status(text) { $('saves-status').textContent = text; }

  function showList() {
    const list = $('saves-list');
    list.replaceChildren();
    state.entries.forEach((e, i) => {
      const row = document.createElement('div');
      row.id = `saves-item-${i}`;
      row.setAttribute('role', 'option');
      row.setAttribute('aria-selected', String(i === state.chosen));
      const name = document.createElement('span');
      name.className = 'name';
      name.textContent = e.name;
      const date = document.createElement('span');
      date.className = 'date';
      date.textContent = e.kept ? dateText(e.saved) : 'not kept';
      row.append(name, date);
      row.addEventListener('click', () => choose(i));
      row.addEventListener('dblclick', () => { choose(i); accept(); });
      list.appendChild(row);
    });
    if (!state.entries.length) {
      const none = document.createElement('div');
      none.className = 'none';
      none.textContent = 'No saved games yet.';
      list.appendChild(none);
    }
    const some = state.chosen >= 0;
    if (some) list.setAttribute('aria-activedescendant', `saves-item-${state.chosen}`);
    else list.removeAttribute('aria-activedescendant');
    for (const id of ['saves-export', 'saves-delete']) $(id).disabled = !some;
    if (state.mode === 'load') $('saves-accept').disabled = !some;
  }

  function choose(i) {
    state.chosen = i;
    if (state.mode === 'save' && i >= 0) $('saves-name').value = state.entries[i].name;
    showList();
    const row = $(`saves-item-${i}`);
    if (row) row.scrollIntoView({ block: 'nearest' });
  }

  async function reload(select) {
    const shown = state;
    if (!shown) return;
    let kept = [];
    try {
      kept = (await listSaves()).map((e) => ({ ...e, kept: true }));
    } catch (e) {
      status(`The browser's storage cannot be read: ${describe(e)}`);
    }
    if (state !== shown) return;  // the dialog was closed meanwhile
    state.entries = [...state.entries.filter((x) => !x.kept && !kept.some((k) => k.name === x.name)), ...kept];
    state.chosen = state.entries.findIndex((e) => e.name === select);
    if (state.chosen < 0 && state.mode === 'load' && state.entries.length) state.chosen = 0;
    showList();
  }

  // A question inside the dialog, answered Yes (true) or No; No is the
  // answer Enter and Escape give.
  function ask(question) {
    return new Promise((resolve) => {
      $('saves-question').textContent = question;
      $('saves-main').inert = true;
      $('saves-ask').hidden = false;
      state.answer = (yes) => {
        state.answer = null;
        $('saves-ask').hidden = true;
        $('saves-main').inert = false;
        resolve(yes);
      };
      $('saves-no').focus();
    });
  }

  const exists = (name) => state.entries.some((e) => e.name === name);
  const replaceQuestion = (name) => `${name}${EXT} already exists.\nDo you want to replace it?`;

  async function accept() {
    if (state.mode === 'load') {
      if (state.chosen >= 0) finish(state.entries[state.chosen]);
      else status('Choose a saved game.');
      return;
    }
    const name = cleanName($('saves-name').value);
    const problem = nameProblem(name);
    if (problem) {
      status(problem);
      $('saves-name').focus();
      return;
    }
    if (exists(name) && !(await ask(replaceQuestion(name)))) {
      $('saves-name').focus();
      return;
    }
    finish({ name });
  }

  function finish(answer) {
    const done = state.resolve;
    state = null;
    dialog.close();
    glimPage.focus();
    done(answer);
  }

  // A game's file from the player's disk joins the list (asking before it
  // replaces one of the same name) and is chosen, ready to open.
  async function importFile(file) {
    const name = cleanName(file.name);
    const problem = nameProblem(name) || (file.size > MAX_BYTES ? 'It is too large to be a saved game.' : '');
    if (problem) {
      status(`${file.name}: ${problem}`);
      return;
    }
    if (exists(name) && !(await ask(replaceQuestion(name)))) return;
    const record = { name, saved: Date.now(), bytes: new Uint8Array(await file.arrayBuffer()) };
    let refused = null;
    try {
      await putSave(record);
    } catch (e) {
      refused = e;
    }
    if (!state) return;  // the dialog was closed meanwhile
    if (refused) {
      // Not kept, but it can still be opened now.
      status(`${file.name} can be opened now but not kept: ${describe(refused)}`);
      state.entries = [{ ...record, kept: false }, ...state.entries.filter((x) => x.name !== name)];
      choose(0);
    } else {
      status(`${file.name} imported.`);
      await reload(name);
    }
    $('saves-list').focus();
  }

  function exportChosen() {
    const e = state.entries[state.chosen];
    if (!e) return;
    const url = URL.createObjectURL(new Blob([e.bytes], { type: 'application/octet-stream' }));
    const a = document.createElement('a');
    a.href = url;
    a.download = e.name + EXT;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  async function deleteChosen() {
    const e = state.entries[state.chosen];
    if (!e || !(await ask(`Delete the saved game ${e.name}?`))) return;
    try {
      if (e.kept) await deleteSave(e.name);
      if (!state) return;
      state.entries = state.entries.filter((x) => x !== e);
      status(`${e.name} deleted.`);
    } catch (err) {
      status(`${e.name} cannot be deleted: ${describe(err)}`);
    }
    await reload('');
    $('saves-list').focus();
  }

  // Keys of the list: the arrows choose, Enter opens (or saves over).
  $('saves-list').addEventListener('keydown', (e) => {
    const n = state.entries.length;
    const moves = { ArrowUp: state.chosen - 1, ArrowDown: state.chosen + 1, Home: 0, End: n - 1 };
    if (e.key in moves && n) {
      e.preventDefault();
      choose(Math.max(0, Math.min(n - 1, moves[e.key])));
    }
  });
  dialog.addEventListener('keydown', (e) => {
    if (e.key !== 'Enter' || !state || state.answer || e.target.tagName === 'BUTTON') return;
    e.preventDefault();
    accept();
  });
  // Escape answers No to a question, else closes the dialog. The browser
  // may close it without asking (a second Escape with no click between), so
  // however it closes, an open question is answered No and the dialog is
  // cancelled: the game waits for its answer.
  dialog.addEventListener('cancel', (e) => {
    if (!state || !state.answer) return;
    e.preventDefault();
    state.answer(false);
  });
  dialog.addEventListener('close', () => {
    if (!state) return;
    if (state.answer) state.answer(false);
    finish(null);
  });
  $('saves-name').addEventListener('input', () => {
    const name = cleanName($('saves-name').value);
    state.chosen = state.entries.findIndex((x) => x.name === name);
    status('');
    showList();
  });
  $('saves-yes').addEventListener('click', () => state.answer(true));
  $('saves-no').addEventListener('click', () => state.answer(false));
  $('saves-accept').addEventListener('click', () => accept());
  $('saves-cancel').addEventListener('click', () => finish(null));
  $('saves-export').addEventListener('click', exportChosen);
  $('saves-delete').addEventListener('click', () => deleteChosen());
  $('saves-import').addEventListener('click', () => $('saves-file').click());
  $('saves-file').addEventListener('change', () => {
    const file = $('saves-file').files[0];
    $('saves-file').value = '';
    if (file) importFile(file);
  });

  // Shows the dialog; resolves with the chosen game, or null when cancelled.
  async function run(mode, title) {
    const answer = new Promise((resolve) => { state = { mode, entries: [], chosen: -1, resolve, answer: null }; });
    $('saves-title').textContent = page.toText(title);
    $('saves-accept').textContent = mode === 'save' ? 'Save' : 'Open';
    $('saves-name-row').hidden = mode !== 'save';
    for (const id of ['saves-import', 'saves-export', 'saves-delete']) $(id).hidden = mode !== 'load';
    $('saves-name').value = '';
    $('saves-list').replaceChildren();  // filled once the storage answers
    status('');
    // The keyboard starts in the name (Save) or the list (Load).
    $('saves-name').autofocus = mode === 'save';
    $('saves-list').autofocus = mode === 'load';
    dialog.showModal();
    await reload('');
    return answer;
  }

  // --- what WebPlatform calls. An answer is a list of byte pieces, handed
  // over one at a time (hand, pieceLength, takePiece).
  const pieces = [];
  Object.assign(page, {
    async saveDialog(title) {
      const r = await run('save', title);
      return r ? [bytesOf(r.name)] : null;
    },
    async openDialog(title) {
      const r = await run('load', title);
      return r ? [bytesOf(r.name), r.bytes] : null;
    },
    // Keeps a saved game; no piece when it is kept, else the reason why not.
    async keepSave(name, bytes) {
      try {
        await putSave({ name: page.toText(name), saved: Date.now(), bytes });
        return [];
      } catch (e) {
        return [bytesOf(`The browser's storage refused it: ${describe(e)}`)];
      }
    },
    hand(answer) {
      pieces.length = 0;
      if (!answer) return -1;
      pieces.push(...answer);
      return answer.length;
    },
    pieceLength: () => (pieces.length ? pieces[0].length : 0),
    takePiece: () => pieces.shift(),
  });
})();
