// The board in a web page: the simulator compiled to WebAssembly (orrin.js),
// the board's pictures and layout made by the desktop program (assets/), and
// this script, which performs the user's actions as the simulator's console
// lines and paints what changed, at most 25 times a second. Every text comes
// from the simulator or the catalogue and is set as text, never as markup.

const KIND = ['Panel', 'Image', 'Label', 'Edit', 'Memo', 'List', 'Grid', 'Button', 'SpeedButton', 'Radio', 'Menu'];
const DEFAULT_COLOUR = 0xffffffff;
const $ = (id) => document.getElementById(id);

let M = null;             // the module
let layouts = {};         // assets/layout_LANG.json: each widget's font, colours and root, per language
let layout = null;        // the current language's (where widgets sit comes from the module)
let names = [];           // widget names by index
const byName = {};        // name -> index
const el = [];            // the page's element of each widget (or null)
const state = [];         // the last view of each widget
let catalogue = { exact: {}, patterns: [] };
let lang = 'zh';
let boardPtr = 0;
const BOARD_W = 856, BOARD_H = 578;

// ---- texts -----------------------------------------------------------------

function escapeRegex(s) { return s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&'); }

function tr(zh) {
  if (lang === 'zh' || !zh || /^[\x00-\x7f]*$/.test(zh)) return zh;
  const t = catalogue.exact[zh];
  if (t !== undefined) return t;
  for (const [re, en] of catalogue.patterns) {
    const m = re.exec(zh);
    if (m) return en.replace(/%(\d)/g, (_, n) => tr(m[Number(n)] ?? ''));
  }
  return zh;
}

// The page's own few texts, beside the window's catalogue.
const PAGE_TEXTS = {
  '模拟器出错，请重新载入页面。': 'The simulator failed; please reload the page.',
  '重新载入': 'Reload',
  '跟随': 'Follow',
  '导出时序 (VCD)': 'Export trace (VCD)',
  '导出时序 (CSV)': 'Export trace (CSV)',
  '导出时序 (PNG)': 'Export trace (PNG)',
};

function loadCatalogue(json) {
  catalogue.exact = { ...json.exact, ...PAGE_TEXTS };
  catalogue.patterns = json.patterns.map(([zh, en]) => {
    const re = new RegExp('^' + escapeRegex(zh).replace(/%(\d)/g, '(.*?)') + '$', 's');
    return [re, en];
  });
}

// ---- the module --------------------------------------------------------------

function crashed(error) {
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
  tick: ['orrin_tick', 'string', ['number', 'number']],
  timers: ['orrin_timers', 'string', []],
  view: ['orrin_view', 'string', ['number']],
  canvasPixels: ['orrin_canvas_pixels', 'number', []],
  names: ['orrin_names', 'string', []],
  clicks: ['orrin_clicks', 'string', []],
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

// Every call into the module goes through here: a fault inside it shows a
// message instead of leaving a dead page.
function call(fn, ...args) {
  const [name, ret, types] = API[fn];
  try {
    return M.ccall(name, ret, types, args.map((a) => (typeof a === 'boolean' ? Number(a) : a)));
  } catch (e) {
    crashed(e);
    throw e;
  }
}

function message(text) {
  $('dialog-text').textContent = text;
  $('dialog').hidden = false;
  $('dialog-ok').focus();
}

// One action of the user, as the console line the window's action is.
function act(line) {
  const r = JSON.parse(call('act', line));
  if (r.error) console.warn(line, r.error);
  if (r.warnings.length) message(r.warnings.map(tr).join('\n'));
  if (r.done.length) lab.done(r.done);
  syncTimers();
  paint();
  return r;
}

// ---- pictures of the board ---------------------------------------------------

function loadImage(src) {
  return new Promise((resolve, reject) => {
    const img = new Image();
    img.onload = () => resolve(img);
    img.onerror = () => reject(new Error('cannot load ' + src));
    img.src = src;
  });
}

// The board picture of a language, into the module's memory as 0x00BBGGRR.
async function boardPixels(language) {
  const img = await loadImage(`assets/board_${language}.png`);
  const c = document.createElement('canvas');
  c.width = BOARD_W;
  c.height = BOARD_H;
  const g = c.getContext('2d');
  g.drawImage(img, 0, 0);
  const rgba = g.getImageData(0, 0, BOARD_W, BOARD_H).data;
  if (!boardPtr) boardPtr = M._malloc(BOARD_W * BOARD_H * 4);
  const heap = M.HEAPU8;
  heap.set(rgba, boardPtr);
  for (let i = 3; i < rgba.length; i += 4) heap[boardPtr + i] = 0;
  return boardPtr;
}

function paintBoard() {
  const ptr = call('canvasPixels');
  const src = M.HEAPU8.subarray(ptr, ptr + BOARD_W * BOARD_H * 4);
  const img = new ImageData(BOARD_W, BOARD_H);
  img.data.set(src);
  for (let i = 3; i < img.data.length; i += 4) img.data[i] = 255;
  $('board').getContext('2d').putImageData(img, 0, 0);
}

function backgrounds() {
  $('central').style.backgroundImage = `url(assets/central_${lang}.png)`;
  $('work').style.backgroundImage = `url(assets/work_${lang}.png)`;
  names.forEach((n, i) => {
    if (el[i] && KIND[layout.widgets[n].kind] === 'Panel') el[i].style.backgroundImage = `url(assets/panels/${n}_${lang}.png)`;
  });
}

// ---- the widgets -------------------------------------------------------------

// A colour of the view (0x00BBGGRR), or one of the system's as the window has them.
const SYSTEM_COLOURS = { 0xff000000: 'rgb(200,200,200)', 0xff000008: '#000', 0xff00000f: 'rgb(240,240,240)' };
function colour(c, fallback) {
  if (c === DEFAULT_COLOUR || c === undefined) return fallback;
  if (c >>> 24 === 0xff) return SYSTEM_COLOURS[c] ?? fallback;
  const r = c & 255, g = (c >> 8) & 255, b = (c >> 16) & 255;
  return `rgb(${r},${g},${b})`;
}

// The console line of a click on each button or switch, from the module's
// command table.
let clickLines = {};

function lineOfClick(name) {
  return clickLines[name] || null;
}

function pointIn(e, target) {
  const r = target.getBoundingClientRect();
  return [Math.floor(e.clientX - r.left), Math.floor(e.clientY - r.top)];
}

function chooseColour() {
  const input = $('colour');
  input.onchange = () => {
    const rgb = input.value.slice(1).toUpperCase();
    act('wire-colour ' + rgb);
    localStorage.setItem('orrin.colour', rgb);
  };
  input.click();
}

const RAISED = ['Panel_NowHand', 'Panel_NowMicro', 'Label_NowXY', 'Label_ThisHoleName', 'Label_ThisHoleSign',
  'Label_KeyThisHoleName'];

function makeWidget(i, name, L) {
  const kind = KIND[L.kind];
  let e;
  switch (kind) {
    case 'Edit':
      e = document.createElement('input');
      e.className = 'w edit';
      e.maxLength = /^Edit_(Z|C|EN_INT)$/.test(name) ? 1 : 2;
      e.addEventListener('keydown', (ev) => {
        if (ev.key !== 'Enter') return;
        ev.preventDefault();
        act('edit ' + name.slice(5) + ' ' + e.value);
      });
      break;
    case 'Memo':
      e = document.createElement('div');
      e.className = 'w memo';
      break;
    case 'List':
      e = document.createElement('div');
      e.className = 'w list';
      e.addEventListener('scroll', () => { e.dataset.scroll = e.scrollTop; });
      break;
    case 'Grid':
      e = document.createElement('div');
      e.className = 'w grid';
      e.appendChild(document.createElement('table'));
      break;
    case 'Button':
      e = document.createElement('button');
      e.className = 'w button';
      break;
    case 'Radio': {
      e = document.createElement('label');
      e.className = 'w radio';
      const input = document.createElement('input');
      input.type = 'radio';
      input.name = 'mode';
      e.appendChild(input);
      e.appendChild(document.createElement('span'));
      break;
    }
    case 'Label':
      e = document.createElement('div');
      e.className = 'w label ' + (L.align || 'left') + (L.framed ? ' framed' : '');
      break;
    case 'Panel':
      e = document.createElement('div');
      e.className = 'w panel';
      break;
    default:
      e = document.createElement('div');
      e.className = 'w pic';
  }
  e.dataset.name = name;
  // The pictures behind the lamps lie at the bottom, the notes and hints on
  // top; on the board picture only the controller-mode panel takes the
  // mouse, so wires are drawn across lamps and labels.
  if (['Image2', 'Image10'].includes(name)) e.style.zIndex = -1;
  if (RAISED.includes(name)) e.style.zIndex = 2;
  if (L.container === 'Panel0' && name !== 'Panel_SetCtl') e.style.pointerEvents = 'none';

  const line = lineOfClick(name);
  if (line) {
    e.classList.add('clickable');
    e.addEventListener('click', (ev) => {
      ev.preventDefault();
      act(line);
    });
  }
  if (name === 'Button_SetColor' || name === 'Image_colorset') e.addEventListener('click', chooseColour);
  // A playback arrow held down repeats, as the window's: after a second,
  // ten steps a second, until it is let go.
  if (name === 'SpeedButton_BackLeft' || name === 'SpeedButton_BackRight') {
    let hold = null;
    const stop = () => { clearTimeout(hold); clearInterval(hold); hold = null; };
    e.addEventListener('mousedown', () => {
      stop();
      hold = setTimeout(() => { hold = setInterval(() => act(line), 100); }, 1000);
    });
    e.addEventListener('mouseup', stop);
    e.addEventListener('mouseleave', stop);
  }
  const k = /^Image_K(\d+)$/.exec(name);
  if (k) e.addEventListener('mousemove', (ev) => hover('hover-k ' + k[1] + ' ' + pointIn(ev, e).join(' ')));
  if (kind === 'Grid') bindGrid(e, name);
  return e;
}

// Mouse moves are many: one line per animation frame at most.
let pendingHover = null;
function hover(line) { pendingHover = line; }

function bindGrid(e, name) {
  const mem = name === 'StringGrid_MEM';
  e.addEventListener('focusout', (ev) => {
    const td = ev.target;
    if (td.tagName !== 'TD' || td.dataset.addr === undefined) return;
    const text = td.textContent.trim();
    if (text === td.dataset.shown) return;
    act((mem ? 'mem-cell ' : 'micro-cell ') + td.dataset.addr + ' ' + text);
  });
  e.addEventListener('keydown', (ev) => {
    if (ev.key === 'Enter' && ev.target.tagName === 'TD') {
      ev.preventDefault();
      ev.target.blur();
    }
  });
}

function applyGrid(e, name, w) {
  const table = e.firstChild;
  const cols = name === 'StringGrid_MEM' ? 16 : 8;
  if (table.rows.length !== w.rows) {
    table.textContent = '';
    for (let r = 0; r < w.rows; ++r) {
      const tr_ = table.insertRow();
      for (let c = 0; c < w.cols; ++c) {
        const td = tr_.insertCell();
        if (r === 0 || c === 0) td.className = 'fixed';
        else td.dataset.addr = ((r - 1) * cols + c - 1).toString(16).toUpperCase().padStart(2, '0');
      }
    }
  }
  for (let r = 0; r < w.rows; ++r) {
    for (let c = 0; c < w.cols; ++c) {
      const td = table.rows[r].cells[c];
      const text = tr(w.cells[r * w.cols + c]);
      if (document.activeElement !== td && td.textContent !== text) td.textContent = text;
      td.dataset.shown = text;
      const editable = w.enabled && r > 0 && c > 0;
      if (td.isContentEditable !== editable) td.contentEditable = editable ? 'true' : 'false';
      td.classList.toggle('cur', r === w.currentRow && c === w.currentCol && r > 0 && c > 0);
    }
  }
}

// A widget inside a hidden panel is hidden with it, at any depth.
function containerHidden(name) {
  for (let c = layout.widgets[name].container; c && layout.widgets[c]; c = layout.widgets[c].container)
    if (state[byName[c]] && !state[byName[c]].visible) return true;
  return false;
}

function apply(w) {
  const i = w.i, name = names[i], e = el[i];
  state[i] = w;
  if (!e) return;
  const L = layout.widgets[name];
  const kind = KIND[L.kind];
  switch (kind) {
    case 'Label': {
      const text = tr(w.text);
      const changed = e.textContent !== text;
      if (changed) {
        e.textContent = text;
        e.classList.toggle('lines', text.includes('\n'));
      }
      e.style.color = colour(w.fontColor, L.fg || '#000');
      e.style.backgroundColor = colour(w.color, L.bg || 'transparent');
      if (w.moved) {
        Object.assign(e.style, { left: w.x + 'px', top: w.y + 'px', width: 'auto' });
        e.classList.add('free');  // a hint sizes itself to its text
      }
      // Measuring costs a layout: only a new text is fitted.
      if (changed) fitText(e, L);
      break;
    }
    case 'Image':
    case 'SpeedButton':
      if (name === 'Image_WireDraw') break;
      if (name === 'Image_colorset' && w.color !== DEFAULT_COLOUR) {
        e.style.backgroundImage = 'none';
        e.style.background = `linear-gradient(${colour(w.color)}, ${colour(w.color)}) no-repeat 10px 9px / 70px 2px, #fff`;
      } else if (w.pic && w.pic !== 'None') {
        e.style.backgroundImage = `url(assets/pictures/${w.pic}.png)`;
      } else if (kind === 'SpeedButton') {
        e.style.backgroundImage = `url(assets/pictures/${name}.png)`;
      } else {
        e.style.backgroundImage = 'none';
      }
      break;
    case 'Edit':
      if (document.activeElement !== e && e.value !== w.text) e.value = w.text;
      e.readOnly = w.readOnly;
      e.style.color = colour(w.fontColor, '#000');
      if (w.color !== DEFAULT_COLOUR) e.style.backgroundColor = colour(w.color);
      break;
    case 'Memo':
      if (e.shownLines !== w.lines) e.textContent = w.lines.map(tr).join('\n');
      e.shownLines = w.lines;
      e.style.color = colour(w.fontColor, '#000');
      break;
    case 'List': {
      if (e.shownLines !== w.lines) {
        e.shownLines = w.lines;
        e.textContent = '';
        for (const l of w.lines) {
          const d = document.createElement('div');
          d.textContent = l;
          e.appendChild(d);
        }
      }
      // Only the line that was selected and the new one change; lines are
      // 15 pixels high, so the scrolling needs no measuring.
      const old = e.children[Number(e.dataset.selected ?? -1)];
      if (old) old.classList.remove('sel');
      const sel = e.children[w.selected];
      e.dataset.selected = w.selected;
      if (sel) {
        sel.classList.add('sel');
        const top = w.selected * 15, view = Number(e.dataset.scroll ?? 0);
        if (top < view || top > view + L.h - 30) {
          e.scrollTop = Math.max(0, top - L.h / 2);
          e.dataset.scroll = Math.max(0, top - L.h / 2);
        }
      }
      break;
    }
    case 'Grid':
      if (e.shownCells !== w.cells || e.shownEnabled !== w.enabled || e.shownCur !== w.currentRow * 100 + w.currentCol) {
        e.shownCells = w.cells;
        e.shownEnabled = w.enabled;
        e.shownCur = w.currentRow * 100 + w.currentCol;
        applyGrid(e, name, w);
      }
      break;
    case 'Button':
      e.textContent = tr(w.text);
      e.disabled = !w.enabled;
      break;
    case 'Radio':
      e.lastChild.textContent = tr(w.text);
      e.firstChild.checked = w.checked;
      e.firstChild.disabled = !w.enabled;
      e.classList.toggle('disabled', !w.enabled);
      e.style.backgroundColor = colour(w.color, 'transparent');
      break;
    case 'Panel':
      break;
  }
  e.style.display = w.visible && !containerHidden(name) ? '' : 'none';
}

// Longer texts (English) shrink to their window, as the window's fitting
// does; measured on a canvas, so that no layout is forced during a run.
const measure = document.createElement('canvas').getContext('2d');
function fitText(e, L) {
  if (e.classList.contains('lines')) return;
  let px = L.px;
  const width = (size) => {
    measure.font = `${L.bold ? 'bold ' : ''}${size}px "${L.font}", "WenQuanYi Micro Hei", sans-serif`;
    return measure.measureText(e.textContent).width;
  };
  while (px > 7 && width(px) > L.w - 2) --px;
  e.style.fontSize = px + 'px';
}

function applyLabels(labels) {
  document.querySelectorAll('.pointlabel').forEach((n) => n.remove());
  labels.forEach((l) => {
    if (!l.visible) return;
    const d = document.createElement('div');
    d.className = 'pointlabel';
    d.textContent = l.text;
    Object.assign(d.style, { left: l.x + 'px', top: l.y + 'px', color: colour(l.color, '#000') });
    d.addEventListener('mousemove', () => act('hover-label'));
    $('work').appendChild(d);
  });
}

// What changed since the last paint.
// Widgets of the work area scrolled out of sight wait until they come into
// view: nobody sees them change, and a run would restyle them every frame.
const pending = new Map();
let scrollTop = 0;
function inView(i) {
  const L = layout.widgets[names[i]];
  return !L || L.root !== 'work' || (L.y + L.h >= scrollTop && L.y <= scrollTop + layout.scroll[3]);
}

function paint(all = false) {
  const v = JSON.parse(call('view', all));
  for (const w of v.widgets) {
    // Lines and cells come only when they changed.
    if (w.lines === null) w.lines = state[w.i]?.lines ?? [];
    if (w.cells === null) w.cells = state[w.i]?.cells ?? [];
    if (inView(w.i)) {
      pending.delete(w.i);
      apply(w);
    } else {
      state[w.i] = w;
      pending.set(w.i, w);
    }
  }
  // A note panel's children follow it.
  if (v.widgets.some((w) => KIND[layout.widgets[names[w.i]]?.kind] === 'Panel'))
    for (const w of state) if (w && layout.widgets[names[w.i]]?.container) apply(w);
  if (v.labels) applyLabels(v.labels);
  if (v.canvas) paintBoard();
  drawTiming();
}

// Every widget where the layout puts it in the current language (the
// module's: the window's own layout), with the font the window gives it.
function place() {
  const at = JSON.parse(call('layout', lang === 'en'));
  names.forEach((name, i) => {
    const L = layout.widgets[name];
    const e = name === 'Image_WireDraw' ? $('board') : el[i];
    if (!L || !e) return;
    // A widget the layout does not place sits where the window left it.
    const P = L.container && layout.widgets[L.container];
    const [x, y, w, h] = at[name] ?? [L.x - (P ? P.x : 0), L.y - (P ? P.y : 0), L.w, L.h];
    Object.assign(e.style, { left: x + 'px', top: y + 'px' });
    if (name === 'Image_WireDraw') return;
    Object.assign(e.style, {
      width: w + 'px', height: h + 'px',
      fontFamily: `"${L.font}", "WenQuanYi Micro Hei", sans-serif`, fontSize: L.px + 'px',
      fontWeight: L.bold ? 'bold' : 'normal', color: L.fg || '#000',
    });
    if (L.bg) e.style.backgroundColor = L.bg;
  });
}

function build() {
  const central = $('central'), scroll = $('scroll'), work = $('work');
  Object.assign(central.style, { width: layout.central[0] + 'px', height: layout.central[1] + 'px' });
  const [sx, sy, sw, sh] = layout.scroll;
  Object.assign(scroll.style, { left: sx + 'px', top: sy + 'px', width: sw + 'px', height: sh + 'px' });
  Object.assign(work.style, { width: layout.work[0] + 'px', height: layout.work[1] + 'px' });
  // In the table's order and inside their panels, as the window makes
  // them: a later widget lies over an earlier one, a panel under its own.
  names.forEach((name, i) => {
    byName[name] = i;
    const L = layout.widgets[name];
    if (!L) return;
    const parent = L.container && layout.widgets[L.container] ? el[byName[L.container]] : L.root === 'work' ? work : central;
    const e = name === 'Image_WireDraw' ? $('board') : makeWidget(i, name, L);
    if (name === 'Image_WireDraw') e.style.zIndex = -1;
    else el[i] = e;
    parent.appendChild(e);
  });
  place();
  const board = $('board');
  scroll.addEventListener('scroll', () => {
    scrollTop = scroll.scrollTop;
    for (const [i, w] of pending) {
      if (!inView(i)) continue;
      pending.delete(i);
      apply(w);
    }
  });
  board.addEventListener('mousemove', (e) => hover('hover ' + pointIn(e, board).join(' ')));
  board.addEventListener('contextmenu', (e) => e.preventDefault());
  board.addEventListener('mouseup', (e) => {
    const [x, y] = pointIn(e, board);
    act('hover ' + x + ' ' + y);
    act('release ' + x + ' ' + y + (e.button === 2 ? ' right' : e.button === 1 ? ' middle' : ''));
  });
  const key = el[byName.Panel_KEY];
  if (key) key.addEventListener('mousemove', () => hover('hover-console'));
  central.addEventListener('mousemove', (e) => {
    if (e.target === central) hover('hover-console');
  });
}

// ---- timers ------------------------------------------------------------------

const timerDue = [0, 0, 0, 0];
// As the window does after every action: a timer turned off stops, one
// turned on starts counting from now (not from when it last ran).
function syncTimers(now = performance.now()) {
  const timers = JSON.parse(call('timers'));
  timers.forEach(([on, ms], k) => {
    if (!on) timerDue[k] = 0;
    else if (!timerDue[k]) timerDue[k] = now + ms;
  });
  return timers;
}
// As the window: the board is repainted at most 25 times a second; the
// timers' ticks between two paints are done at the next (the lamps change
// faster than anyone follows at 1400 small beats a second).
const FRAME_MS = 40;
let lastFrame = 0;
function frame(now) {
  if (now - lastFrame < FRAME_MS - 2) {
    requestAnimationFrame(frame);
    return;
  }
  lastFrame = now;
  if (pendingHover) {
    const line = pendingHover;
    pendingHover = null;
    act(line);
  }
  syncTimers(now).forEach(([on, ms], k) => {
    if (!on) return;
    // At most a quarter second of catching up after the page was hidden.
    const n = Math.min(Math.floor((now - timerDue[k]) / ms) + 1, Math.ceil(250 / ms));
    if (now < timerDue[k]) return;
    timerDue[k] = Math.max(timerDue[k] + n * ms, now - 250);
    const done = JSON.parse(call('tick', k, n));
    if (done.length) lab.done(done);
  });
  paint();
  requestAnimationFrame(frame);
}

// ---- files -------------------------------------------------------------------

let uploads = 0;
// The browser's file picker, the file into the module's file system, then
// the command that reads it (its dialog answered with that name).
function openFile(accept, command) {
  const picker = $('picker');
  picker.accept = accept;
  picker.value = '';
  picker.onchange = async () => {
    const f = picker.files[0];
    if (!f) return;
    const bytes = new Uint8Array(await f.arrayBuffer());
    const dir = '/upload/' + ++uploads;
    M.FS.mkdirTree(dir);
    // A '#' after a blank would start a comment in the console line.
    const path = dir + '/' + f.name.replace(/[\/\\\x00-\x1f#]/g, '_');
    M.FS.writeFile(path, bytes);
    act(command + ' ' + path);
  };
  picker.click();
}

function download(name, bytes, type = 'text/plain') {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(new Blob([bytes], { type }));
  a.download = name;
  document.body.appendChild(a);
  a.click();
  setTimeout(() => {
    URL.revokeObjectURL(a.href);
    a.remove();
  }, 1000);
}

// The command writes into the module's file system; the file is offered as
// a download. A picture is encoded again by the browser's own encoder.
async function saveFile(command, name) {
  const path = '/download/' + name;
  M.FS.mkdirTree('/download');
  try { M.FS.unlink(path); } catch (e) { /* not there yet */ }
  act(command + ' ' + path);
  let bytes;
  try { bytes = M.FS.readFile(path); } catch (e) { return; }
  if (name.endsWith('.png')) {
    const img = await loadImage(URL.createObjectURL(new Blob([bytes], { type: 'image/png' })));
    const c = document.createElement('canvas');
    c.width = img.width;
    c.height = img.height;
    c.getContext('2d').drawImage(img, 0, 0);
    c.toBlob((blob) => download(name, blob, 'image/png'), 'image/png');
    return;
  }
  download(name, bytes, name.endsWith('.svg') ? 'image/svg+xml' : 'text/plain');
}

// ---- companions: the listing, the timing diagram -----------------------------

function overlay(fill, onClose = () => {}) {
  let o = $('overlay');
  if (o) o.querySelector('.close').click();
  o = document.createElement('div');
  o.id = 'overlay';
  const close = document.createElement('button');
  close.className = 'close';
  close.textContent = '×';
  close.onclick = () => {
    o.remove();
    onClose();
  };
  o.appendChild(close);
  fill(o);
  document.body.appendChild(o);
}

function showListing() {
  const l = JSON.parse(call('listing'));
  overlay((o) => {
    const pre = document.createElement('pre');
    const pc = l.pc >= 0 ? l.pc.toString(16).toUpperCase().padStart(2, '0') + ':' : null;
    pre.textContent = l.lines.map((s) => (pc && s.startsWith(pc + ' ') ? '▶ ' : '  ') + s).join('\n');
    o.appendChild(pre);
  });
}

// The timing diagram as the window draws it: zoom, scroll, "fit all", a
// click shows that small beat on the board, and it follows a run.
const timing = { open: false, first: 0, beatWidth: 12, follow: true, lastDraw: 0 };
// Every row: the ruler, 43 rows of 18 pixels and a margin.
const DIAGRAM_W = 960, DIAGRAM_H = 30 + 43 * 18 + 4, LABEL_W = 64;

function drawTiming(force = false) {
  const box = $('timing');
  if (!timing.open || !box) return;
  const now = performance.now();
  if (!force && now - timing.lastDraw < 100) return;  // at most ten times a second
  timing.lastDraw = now;
  // 0 fits all, -1 follows the newest beats, else from that beat.
  const first = timing.first === 0 ? 0 : timing.follow ? -1 : Math.max(1, timing.first);
  const d = JSON.parse(call('diagram', first, timing.beatWidth, DIAGRAM_W, DIAGRAM_H));
  if (timing.first !== 0) timing.first = d.first;
  timing.shownFirst = d.first;
  timing.shownWidth = d.beatWidth;
  const img = box.querySelector('img');
  URL.revokeObjectURL(img.src);
  img.src = URL.createObjectURL(new Blob([d.svg], { type: 'image/svg+xml' }));
}

function showTiming() {
  timing.open = true;
  timing.first = 1;
  timing.follow = true;
  overlay((o) => {
    const box = document.createElement('div');
    box.id = 'timing';
    const bar = document.createElement('div');
    const button = (text, fn) => {
      const b = document.createElement('button');
      b.textContent = text;
      b.onclick = () => { fn(); drawTiming(true); };
      bar.appendChild(b);
    };
    const step = () => Math.max(1, Math.floor((DIAGRAM_W - LABEL_W) / timing.beatWidth / 2));
    button('+', () => { timing.beatWidth = Math.min(64, timing.beatWidth * 2); timing.first ||= timing.shownFirst; });
    button('−', () => { timing.beatWidth = Math.max(0.01, timing.beatWidth / 2); timing.first ||= timing.shownFirst; });
    button(tr('全部'), () => { timing.first = 0; timing.follow = false; });
    button('◀', () => { timing.follow = false; timing.first = Math.max(1, (timing.first || timing.shownFirst) - step()); });
    button('▶', () => { timing.follow = false; timing.first = (timing.first || timing.shownFirst) + step(); });
    button(tr('跟随'), () => { timing.follow = true; timing.first ||= timing.shownFirst; });
    button(tr('导出…'), () => saveFile('export-trace', 'trace.svg'));
    box.appendChild(bar);
    const img = document.createElement('img');
    img.alt = tr('时序图');
    img.width = DIAGRAM_W;
    img.height = DIAGRAM_H;
    img.addEventListener('click', (e) => {
      const x = e.offsetX;
      if (x < LABEL_W) return;
      act('show ' + (timing.shownFirst + Math.floor((x - LABEL_W) / timing.shownWidth)));
      drawTiming(true);
    });
    box.appendChild(img);
    o.appendChild(box);
  }, () => { timing.open = false; });
  drawTiming(true);
}

// ---- labs ----------------------------------------------------------------------

const lab = {
  info: null, doneCount: 0, hints: [], started: 0, times: [], choice: 0,
  async open(name) {
    const base = 'examples/labs/';
    const text = await (await fetch(base + name)).text();
    const r = JSON.parse(call('openLab', '/examples/labs/' + name, text));
    if (r.errors) {
      message(r.errors.join('\n'));
      return;
    }
    this.info = r;
    this.doneCount = 0;
    this.hints = r.steps.map(() => false);
    this.times = [];
    this.started = performance.now();
    localStorage.setItem('orrin.lab', name);
    syncTimers();
    paint(true);
    this.show();
  },
  done(steps) {
    if (!this.info) return;
    this.doneCount = Math.max(this.doneCount, ...steps.map(Number));
    while (this.times.length < this.doneCount) this.times.push(performance.now());
    this.show();
  },
  text(zh, en) { return lang === 'en' && en ? en : zh; },
  clock(ms) {
    const s = Math.floor(ms / 1000);
    return String(Math.floor(s / 60)).padStart(2, '0') + ':' + String(s % 60).padStart(2, '0');
  },
  show() {
    const side = $('side');
    side.textContent = '';
    if (!this.info) return;
    const i = this.info, n = this.doneCount, all = i.steps.length;
    const h = document.createElement('h2');
    h.textContent = this.text(i.title, i.titleEn);
    side.appendChild(h);
    const clock = document.createElement('div');
    clock.id = 'lab-clock';
    side.appendChild(clock);
    this.tickClock();
    if (n < all) {
      const s = i.steps[n];
      const cur = document.createElement('div');
      cur.className = 'current';
      cur.textContent = tr('第 %1 步').replace('%1', n + 1) + '\n' + this.text(s.zh, s.en);
      cur.style.whiteSpace = 'pre-wrap';
      side.appendChild(cur);
      const choices = this.text(s.choicesZh, s.choicesEn.length ? s.choicesEn : null) || s.choicesZh;
      choices.forEach((c, k) => {
        const b = document.createElement('button');
        b.textContent = k + 1 + '. ' + c;
        b.onclick = () => act('choose ' + (k + 1));
        side.appendChild(b);
      });
      if (s.hintZh) {
        if (this.hints[n]) {
          const hint = document.createElement('div');
          hint.textContent = tr('提示：') + this.text(s.hintZh, s.hintEn);
          side.appendChild(hint);
        } else {
          const b = document.createElement('button');
          b.textContent = tr('显示提示');
          b.onclick = () => { this.hints[n] = true; call('labHint'); this.show(); };
          side.appendChild(b);
        }
      }
    } else {
      const sum = document.createElement('div');
      sum.className = 'current';
      sum.style.whiteSpace = 'pre-wrap';
      // The summary is the module's, in the page's language, as the window shows it.
      sum.textContent = [tr('全部完成！')].concat(JSON.parse(call('labSummary', lang === 'en'))).join('\n');
      side.appendChild(sum);
    }
    const ol = document.createElement('ol');
    i.steps.forEach((s, k) => {
      const li = document.createElement('li');
      li.textContent = (k < n ? '✔ ' : '') + this.text(s.zh, s.en);
      li.className = k < n ? 'done' : k === n ? 'now' : '';
      ol.appendChild(li);
    });
    side.appendChild(ol);
  },
  tickClock() {
    const c = $('lab-clock');
    if (!c || !this.info) return;
    const end = this.doneCount >= this.info.steps.length ? this.times[this.times.length - 1] : performance.now();
    c.textContent = tr('用时 %1 · 已完成 %2/%3').replace('%1', this.clock(end - this.started))
      .replace('%2', this.doneCount).replace('%3', this.info.steps.length);
  },
};
setInterval(() => lab.tickClock(), 1000);

// ---- menus and keys ------------------------------------------------------------

const LABS = ['alu.lab', 'memory.lab', 'datapath.lab', 'fetch.lab', 'program.lab', 'interrupt.lab',
  'stuck_jack.lab', 'broken_wire.lab'];

function menus() {
  const bar = $('menubar');
  bar.textContent = '';
  const items = (list) => list;
  const spec = [
    ['文件', items([['退出', () => window.close()]])],
    ['连线', items([['读取连线文件', () => openFile('.txt', 'load-wires')],
      ['备份连线到文件', () => saveFile('save-wires', 'wires.txt')]])],
    ['内存', items([['TXT文件->内存', () => openFile('.txt', 'load-memory')],
      ['内存->TXT文件', () => saveFile('save-memory', 'memory.txt')],
      ['汇编文件->内存', () => openFile('.asm,.s,.txt', 'load-asm')],
      ['反汇编窗口', showListing]])],
    ['微程序', items([['读文件到微程序', () => openFile('.txt', 'load-micro')],
      ['备份微程序到文件', () => saveFile('save-micro', 'micro.txt')]])],
    ['查看', items([['时序图', showTiming],
      ['导出时序 (VCD)', () => saveFile('export-trace', 'trace.vcd')],
      ['导出时序 (CSV)', () => saveFile('export-trace', 'trace.csv')],
      ['导出时序 (PNG)', () => saveFile('export-trace', 'trace.png')]])],
    ['Language/语言', items([['English', () => setLanguage('en')], ['中文', () => setLanguage('zh')]])],
    ['实验', items(LABS.map((l) => [l.replace('.lab', ''), () => lab.open(l)]).concat([
      ['保存操作记录…', () => download('session.orrin', (lab.info ? `# replay with: orrin-run --lab ${localStorage.getItem('orrin.lab')} session.orrin\n` : '') + call('sessionText'))]]))],
  ];
  for (const [title, list] of spec) {
    const m = document.createElement('div');
    m.className = 'menu';
    m.textContent = title === 'Language/语言' ? title : tr(title);
    const box = document.createElement('div');
    box.className = 'items';
    for (const [text, fn] of list) {
      const it = document.createElement('div');
      it.className = 'item';
      it.textContent = /^[\x00-\x7f]*$/.test(text) || text === '中文' ? text : tr(text);
      it.onclick = (e) => {
        e.stopPropagation();
        m.classList.remove('open');
        fn();
      };
      box.appendChild(it);
    }
    m.appendChild(box);
    m.onclick = () => {
      const open = m.classList.contains('open');
      document.querySelectorAll('#menubar .menu').forEach((x) => x.classList.remove('open'));
      if (!open) m.classList.add('open');
    };
    bar.appendChild(m);
  }
}

const KEYS = { F5: 'qd', F6: 'pause', F7: 'step', F8: 'pulse', F9: 'clr', F12: 'power' };
function keys() {
  document.addEventListener('keydown', (e) => {
    const typing = e.target.tagName === 'INPUT' || e.target.isContentEditable;
    if (KEYS[e.key] && !typing) {
      e.preventDefault();
      act(KEYS[e.key]);
    } else if (e.altKey && (e.key === 'ArrowLeft' || e.key === 'ArrowRight')) {
      e.preventDefault();
      act(e.key === 'ArrowLeft' ? 'back' : 'forward');
    }
  });
  document.addEventListener('click', (e) => {
    if (!e.target.closest('#menubar')) document.querySelectorAll('#menubar .menu').forEach((x) => x.classList.remove('open'));
  });
  $('dialog-ok').onclick = () => { $('dialog').hidden = true; };
}

async function setLanguage(l) {
  lang = l;
  localStorage.setItem('orrin.lang', l);
  document.documentElement.lang = l;
  document.title = tr('Orrin 仿真软件');
  layout = layouts[l];
  place();
  call('rebase', await boardPixels(l));
  backgrounds();
  menus();
  paint(true);
  lab.show();
}

// ---- start -----------------------------------------------------------------------

async function start() {
  const stored = localStorage.getItem('orrin.lang');
  lang = stored === 'en' || stored === 'zh' ? stored : (navigator.language || '').startsWith('zh') ? 'zh' : 'en';
  const params = new URLSearchParams(location.search);
  if (params.get('lang') === 'en' || params.get('lang') === 'zh') lang = params.get('lang');
  const [zh, en] = await Promise.all(['zh', 'en'].map((l) => fetch(`assets/layout_${l}.json`).then((r) => r.json())));
  layouts = { zh, en };
  layout = layouts[lang];
  loadCatalogue(await fetch('assets/en.json').then((r) => r.json()));
  M = await createOrrin({ onAbort: crashed, tr: (text) => tr(text) });
  names = JSON.parse(call('names'));
  clickLines = JSON.parse(call('clicks'));
  build();
  call('start', await boardPixels(lang));
  document.documentElement.lang = lang;
  document.title = tr('Orrin 仿真软件');
  backgrounds();
  menus();
  keys();
  paint(true);
  const colour = localStorage.getItem('orrin.colour');
  if (colour && /^[0-9A-F]{6}$/.test(colour)) act('wire-colour ' + colour);
  // The lab the student had open last time.
  const last = localStorage.getItem('orrin.lab');
  if (LABS.includes(last)) await lab.open(last);
  requestAnimationFrame(frame);
  // The same engine as orrin-run: a console script on this board, and what
  // orrin-run prints for it.
  window.orrin = Object.freeze({
    run: (text) => { const out = call('run', String(text)); syncTimers(); paint(true); return out; },
    reset: () => { call('reset'); syncTimers(); paint(true); },
    act: (line) => act(String(line)),
    files: Object.freeze({
      write: (path, bytes) => { M.FS.mkdirTree(path.replace(/\/[^/]*$/, '') || '/'); M.FS.writeFile(path, bytes); },
      chdir: (path) => { M.FS.mkdirTree(path); M.FS.chdir(path); },
    }),
    ready: true,
  });
}

$('crashed-reload').onclick = () => location.reload();
start().catch(crashed);
