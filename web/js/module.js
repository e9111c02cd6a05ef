// The simulator compiled to WebAssembly, the page's shared state, and the
// texts: every call into the module goes through here, and every text shown
// is the board's or its catalogue's, in the page's language.
import { labDone } from './lab_panel.js';
import { paint } from './board.js';
import { syncTimers } from './input.js';

export const $ = (id) => document.getElementById(id);

// What every part of the page reads: the module, the language, the widgets.
export const S = {
  M: null,          // the module
  lang: 'zh',
  layouts: {},      // assets/layout_LANG.json: each widget's font, colours and root, per language
  layout: null,     // the current language's (where widgets sit comes from the module)
  names: [],        // widget names by index
  byName: {},       // name -> index
  clicks: {},       // widget name -> the command (words) of a click on it
  jacks: [],        // [number, x, y] of every jack on the board picture
  grow: [0, 0],     // how much wider and taller than the window's first size the work area is
  savedLines: null, // the session as last saved (or at start): the page asks before losing more
};

// ---- texts -------------------------------------------------------------------

const catalogue = { exact: {}, patterns: [] };
const escapeRegex = (s) => s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');

export function tr(zh) {
  if (S.lang === 'zh' || !zh || /^[\x00-\x7f]*$/.test(zh)) return zh;
  const t = catalogue.exact[zh];
  if (t !== undefined) return t;
  for (const [re, en] of catalogue.patterns) {
    const m = re.exec(zh);
    if (m) return en.replace(/%(\d)/g, (_, n) => tr(m[Number(n)] ?? ''));
  }
  return zh;
}

// A text of the catalogue with its %1, %2 … filled in.
export const trArgs = (zh, ...args) => args.reduce((t, a, k) => t.replace('%' + (k + 1), a), tr(zh));

export function loadCatalogue(json) {
  catalogue.exact = json.exact;
  catalogue.patterns = json.patterns.map(([zh, en]) => {
    const re = new RegExp('^' + escapeRegex(zh).replace(/%(\d)/g, '(.*?)') + '$', 's');
    return [re, en];
  });
}

// ---- the module --------------------------------------------------------------

export function crashed(error) {
  console.error(error);
  $('crashed-text').textContent = tr('模拟器出错，请重新载入页面。') + ' (' + String(error).slice(0, 200) + ')';
  $('crashed-reload').textContent = tr('重新载入');
  $('crashed').hidden = false;
}

// The module's functions: [C name, return type, argument types].
const API = {
  start: ['orrin_start', null, ['number']],
  rebase: ['orrin_rebase', null, ['number']],
  act: ['orrin_act', 'string', ['string']],
  do: ['orrin_do', 'string', ['string', 'number', 'string', 'string', 'string', 'string']],
  tick: ['orrin_tick', 'string', ['number', 'number']],
  timers: ['orrin_timers', 'string', []],
  view: ['orrin_view', 'string', ['number']],
  canvasPixels: ['orrin_canvas_pixels', 'number', []],
  names: ['orrin_names', 'string', []],
  clicks: ['orrin_clicks', 'string', []],
  jacks: ['orrin_jacks', 'string', []],
  keys: ['orrin_keys', 'string', []],
  menus: ['orrin_menus', 'string', []],
  layout: ['orrin_layout', 'string', ['number']],
  run: ['orrin_run', 'string', ['string']],
  reset: ['orrin_reset', null, []],
  sessionText: ['orrin_session_text', 'string', []],
  labHint: ['orrin_lab_hint', null, []],
  labSummary: ['orrin_lab_summary', 'string', ['number']],
  listing: ['orrin_listing', 'string', []],
  diagram: ['orrin_diagram', 'string', ['number', 'number', 'number', 'number']],
  openLab: ['orrin_open_lab', 'string', ['string', 'string']],
};

// A fault inside the module shows a message instead of leaving a dead page.
export function call(fn, ...args) {
  const [name, ret, types] = API[fn];
  try {
    return S.M.ccall(name, ret, types, args.map((a) => (typeof a === 'boolean' ? Number(a) : a)));
  } catch (e) {
    crashed(e);
    throw e;
  }
}

export function message(text) {
  $('dialog-text').textContent = text;
  $('dialog').hidden = false;
  $('dialog-ok').focus();
}

// What an action came to: its warnings shown, the lab told, the board painted.
function acted(r, what) {
  if (r.error) console.warn(what, r.error);
  if (r.warnings.length) message(r.warnings.map(tr).join('\n'));
  if (r.done.length) labDone(r.done);
  syncTimers();
  paint();
  return r;
}

// One action of the user: a command of the module's table and its
// arguments, each passed whole (a typed value may hold blanks or '#').
export function perform(word, ...args) {
  const a = args.map(String);
  return acted(JSON.parse(call('do', word, a.length, a[0] ?? '', a[1] ?? '', a[2] ?? '', a[3] ?? '')), [word, ...a]);
}

// A console line, as a script gives it (window.orrin.act).
export function actLine(line) {
  return acted(JSON.parse(call('act', line)), line);
}
