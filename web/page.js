// The board in a web page: the simulator compiled to WebAssembly (orrin.js),
// the board's pictures and layout made by the desktop program (assets/), and
// these modules, which perform the user's actions as commands of the
// module's table and paint what changed. Every text comes from the simulator
// or the catalogue and is set as text, never as markup.
//   js/module.js      the module, the shared state, the texts
//   js/board.js       the widgets: made, placed, painted
//   js/input.js       clicks, typing, the mouse, the keys, the timers
//   js/menus.js       the menu bar
//   js/files.js       the session's folder: opening, saving, the session's zip
//   js/zip.js         the zip of a session
//   js/companions.js  the listing and the timing diagram
//   js/lab_panel.js   the lab beside the board
import { $, S, call, tr, crashed, loadCatalogue, perform, actLine } from './js/module.js';
import { build, fit, paint, backgrounds, boardPixels } from './js/board.js';
import { bindKeys, frame, hoverLabel, syncTimers } from './js/input.js';
import { buildMenus, courseLabs } from './js/menus.js';
import { openLab, showLab } from './js/lab_panel.js';
import { startFiles } from './js/files.js';

async function setLanguage(l) {
  S.lang = l;
  localStorage.setItem('orrin.lang', l);
  document.documentElement.lang = l;
  document.title = tr('Orrin 仿真软件');
  S.layout = S.layouts[l];
  fit();
  call('rebase', await boardPixels(l));
  backgrounds();
  buildMenus();
  paint(true);
  showLab();
}

async function start() {
  const stored = localStorage.getItem('orrin.lang');
  S.lang = stored === 'en' || stored === 'zh' ? stored : (navigator.language || '').startsWith('zh') ? 'zh' : 'en';
  const params = new URLSearchParams(location.search);
  if (params.get('lang') === 'en' || params.get('lang') === 'zh') S.lang = params.get('lang');
  const [zh, en] = await Promise.all(['zh', 'en'].map((l) => fetch(`assets/layout_${l}.json`).then((r) => r.json())));
  S.layouts = { zh, en };
  S.layout = S.layouts[S.lang];
  // A screen narrower than the board shows it scaled to its width (pinch
  // zoom still works), not its corner.
  if (screen.width < S.layout.central[0])
    document.querySelector('meta[name=viewport]').content = `width=${S.layout.central[0]}`;
  loadCatalogue(await fetch('assets/en.json').then((r) => r.json()));
  S.M = await createOrrin({ onAbort: crashed, tr: (text) => tr(text) });
  startFiles();
  S.names = JSON.parse(call('names'));
  S.clicks = JSON.parse(call('clicks'));
  build(hoverLabel);
  call('start', await boardPixels(S.lang));
  S.jacks = JSON.parse(call('jacks'));
  document.documentElement.lang = S.lang;
  document.title = tr('Orrin 仿真软件');
  backgrounds();
  buildMenus(setLanguage);
  bindKeys();
  $('dialog-ok').onclick = () => { $('dialog').hidden = true; };
  paint(true);
  const colour = localStorage.getItem('orrin.colour');
  if (colour && /^[0-9A-F]{6}$/.test(colour)) perform('wire-colour', colour);
  // The lab the student had open last time.
  const last = localStorage.getItem('orrin.lab');
  if (courseLabs().includes(last)) await openLab(last);
  S.savedLines = call('sessionText');
  requestAnimationFrame(frame);
  // The same engine as orrin-run: a console script on this board, and what
  // orrin-run prints for it.
  window.orrin = Object.freeze({
    run: (text) => { const out = call('run', String(text)); syncTimers(); paint(true); return out; },
    reset: () => { call('reset'); syncTimers(); paint(true); },
    act: (line) => actLine(String(line)),
    files: Object.freeze({
      write: (path, bytes) => { S.M.FS.mkdirTree(path.replace(/\/[^/]*$/, '') || '/'); S.M.FS.writeFile(path, bytes); },
      chdir: (path) => { S.M.FS.mkdirTree(path); S.M.FS.chdir(path); },
    }),
    ready: true,
    readyAt: performance.now(),
  });
}

// Closing or reloading the tab would lose what was done since the session
// was last saved: the browser asks first.
addEventListener('beforeunload', (e) => {
  if (!S.M || !$('crashed').hidden) return;
  let lines;
  try { lines = S.M.ccall('orrin_session_text', 'string', [], []); } catch { return; }
  if (lines === S.savedLines) return;
  e.preventDefault();
  e.returnValue = '';
});

// After one visit the page, its labs and examples open without a network
// (sw.js keeps them; a new release replaces them).
function offline() {
  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js').catch((e) => console.warn('offline copy:', e.message));
}

$('crashed-reload').onclick = () => location.reload();
if (location.protocol !== 'file:') start().then(offline).catch(crashed);
