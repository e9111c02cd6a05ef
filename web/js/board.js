// The board's widgets: made once from the layout, placed where the window
// places them in the page's language, and painted from what changed in the
// module's view (at most 25 times a second).
import { $, S, call, tr } from './module.js';
import { bindWidget, bindBoard } from './input.js';
import { drawTiming, drawListing } from './companions.js';

const KIND = ['Panel', 'Image', 'Label', 'Edit', 'Memo', 'List', 'Grid', 'Button', 'SpeedButton', 'Radio', 'Menu'];
export const kindOf = (name) => KIND[S.layout.widgets[name]?.kind];
export const DEFAULT_COLOUR = 0xffffffff;
const BOARD_W = 856, BOARD_H = 578;

const el = [];     // the page's element of each widget (or null)
const state = [];  // the last view of each widget
let boardPtr = 0;

// ---- pictures of the board ---------------------------------------------------

export function loadImage(src) {
  return new Promise((resolve, reject) => {
    const img = new Image();
    img.onload = () => resolve(img);
    img.onerror = () => reject(new Error('cannot load ' + src));
    img.src = src;
  });
}

// The board picture of a language, into the module's memory as 0x00BBGGRR.
export async function boardPixels(language) {
  const img = await loadImage(`assets/board_${language}.png`);
  const c = document.createElement('canvas');
  c.width = BOARD_W;
  c.height = BOARD_H;
  const g = c.getContext('2d');
  g.drawImage(img, 0, 0);
  const rgba = g.getImageData(0, 0, BOARD_W, BOARD_H).data;
  if (!boardPtr) boardPtr = S.M._malloc(BOARD_W * BOARD_H * 4);
  const heap = S.M.HEAPU8;
  heap.set(rgba, boardPtr);
  for (let i = 3; i < rgba.length; i += 4) heap[boardPtr + i] = 0;
  return boardPtr;
}

function paintBoard() {
  const ptr = call('canvasPixels');
  const src = S.M.HEAPU8.subarray(ptr, ptr + BOARD_W * BOARD_H * 4);
  const img = new ImageData(BOARD_W, BOARD_H);
  img.data.set(src);
  for (let i = 3; i < img.data.length; i += 4) img.data[i] = 255;
  $('board').getContext('2d').putImageData(img, 0, 0);
}

export function backgrounds() {
  $('central').style.backgroundImage = `url(assets/central_${S.lang}.png)`;
  $('work').style.backgroundImage = `url(assets/work_${S.lang}.png)`;
  S.names.forEach((n, i) => {
    if (el[i] && kindOf(n) === 'Panel') el[i].style.backgroundImage = `url(assets/panels/${n}_${S.lang}.png)`;
  });
}

// A colour of the view (0x00BBGGRR), or one of the system's as the window has them.
const SYSTEM_COLOURS = { 0xff000000: 'rgb(200,200,200)', 0xff000008: '#000', 0xff00000f: 'rgb(240,240,240)' };
export function colour(c, fallback) {
  if (c === DEFAULT_COLOUR || c === undefined) return fallback;
  if (c >>> 24 === 0xff) return SYSTEM_COLOURS[c] ?? fallback;
  const r = c & 255, g = (c >> 8) & 255, b = (c >> 16) & 255;
  return `rgb(${r},${g},${b})`;
}

// ---- the widgets -------------------------------------------------------------

const RAISED = ['Panel_NowHand', 'Panel_NowMicro', 'Label_NowXY', 'Label_ThisHoleName', 'Label_ThisHoleSign',
  'Label_KeyThisHoleName'];

function makeWidget(name, L) {
  const kind = KIND[L.kind];
  let e;
  switch (kind) {
    case 'Edit':
      e = document.createElement('input');
      e.className = 'w edit';
      e.maxLength = /^Edit_(Z|C|EN_INT)$/.test(name) ? 1 : 2;
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
  bindWidget(e, name, kind);
  return e;
}

function applyGrid(e, name, w) {
  const table = e.firstChild;
  const cols = name === 'StringGrid_MEM' ? 16 : 8;
  if (table.rows.length !== w.rows) {
    table.textContent = '';
    for (let r = 0; r < w.rows; ++r) {
      const row = table.insertRow();
      for (let c = 0; c < w.cols; ++c) {
        const td = row.insertCell();
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
  const widgets = S.layout.widgets;
  for (let c = widgets[name].container; c && widgets[c]; c = widgets[c].container)
    if (state[S.byName[c]] && !state[S.byName[c]].visible) return true;
  return false;
}

function apply(w) {
  const i = w.i, name = S.names[i], e = el[i];
  state[i] = w;
  if (!e) return;
  const L = S.layout.widgets[name];
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
        e.style.backgroundImage = `url(assets/pictures/${S.lang}/${w.pic}.png)`;
      } else if (kind === 'SpeedButton') {
        e.style.backgroundImage = `url(assets/pictures/${S.lang}/${name}.png)`;
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

function applyLabels(labels, onHover) {
  document.querySelectorAll('.pointlabel').forEach((n) => n.remove());
  labels.forEach((l) => {
    if (!l.visible) return;
    const d = document.createElement('div');
    d.className = 'pointlabel';
    d.textContent = l.text;
    Object.assign(d.style, { left: l.x + 'px', top: l.y + 'px', color: colour(l.color, '#000') });
    d.addEventListener('mousemove', onHover);
    $('work').appendChild(d);
  });
}

// What changed since the last paint.
// Widgets of the work area scrolled out of sight wait until they come into
// view: nobody sees them change, and a run would restyle them every frame.
const pending = new Map();
let scrollTop = 0;
function inView(i) {
  const L = S.layout.widgets[S.names[i]];
  return !L || L.root !== 'work' || (L.y + L.h >= scrollTop && L.y <= scrollTop + S.layout.scroll[3] + S.grow[1]);
}

let labelHover = () => {};
export function paint(all = false) {
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
  if (v.widgets.some((w) => kindOf(S.names[w.i]) === 'Panel'))
    for (const w of state) if (w && S.layout.widgets[S.names[w.i]]?.container) apply(w);
  if (v.labels) applyLabels(v.labels, labelHover);
  if (v.canvas) paintBoard();
  drawTiming();
  drawListing();
}

// Every widget where the layout puts it in the current language (the
// module's: the window's own layout), with the font the window gives it.
export function place() {
  const at = JSON.parse(call('layout', S.lang === 'en'));
  S.names.forEach((name, i) => {
    const L = S.layout.widgets[name];
    const e = name === 'Image_WireDraw' ? $('board') : el[i];
    if (!L || !e) return;
    // A widget the layout does not place sits where the window left it.
    const P = L.container && S.layout.widgets[L.container];
    const [x, y, w, h] = at[name] ?? [L.x - (P ? P.x : 0), L.y - (P ? P.y : 0), L.w, L.h];
    // The console stays along the bottom edge of a work area grown to the page.
    const below = L.root === 'central' && !P && y >= S.layout.scroll[1] + S.layout.scroll[3];
    Object.assign(e.style, { left: x + 'px', top: y + (below ? S.grow[1] : 0) + 'px' });
    if (name === 'Image_WireDraw') return;
    Object.assign(e.style, {
      width: w + 'px', height: h + 'px',
      fontFamily: `"${L.font}", "WenQuanYi Micro Hei", sans-serif`, fontSize: L.px + 'px',
      fontWeight: L.bold ? 'bold' : 'normal', color: L.fg || '#000',
    });
    if (L.bg) e.style.backgroundColor = L.bg;
  });
}

// The work area takes the page's room (what the lab and a companion beside
// or below it leave), never less than the window's first size and never
// more than the board needs; the console moves down with its lower edge.
export function fit() {
  const L = S.layout, page = document.documentElement;
  const dock = $('dock'), side = $('side');
  const beside = (dock?.classList.contains('beside') ? dock.offsetWidth + 8 : 0) + (side.firstChild ? side.offsetWidth + 8 : 0);
  const below = dock?.classList.contains('below') ? dock.offsetHeight + 4 : 0;
  const [sx, sy, sw, sh] = L.scroll;
  const wide = Math.max(0, Math.min(page.clientWidth - beside - L.central[0], L.work[0] - sw + 20));
  const tall = Math.max(0, Math.min(page.clientHeight - $('menubar').offsetHeight - below - L.central[1], L.work[1] - sh + 20));
  S.grow = [wide, tall];
  Object.assign($('central').style, { width: L.central[0] + wide + 'px', height: L.central[1] + tall + 'px' });
  Object.assign($('scroll').style, { left: sx + 'px', top: sy + 'px', width: sw + wide + 'px', height: sh + tall + 'px' });
  place();
}

export const elementOf = (name) => el[S.byName[name]];

export function build(onLabelHover) {
  labelHover = onLabelHover;
  const layout = S.layout;
  const work = $('work');
  Object.assign(work.style, { width: layout.work[0] + 'px', height: layout.work[1] + 'px' });
  // In the table's order and inside their panels, as the window makes
  // them: a later widget lies over an earlier one, a panel under its own.
  S.names.forEach((name, i) => {
    S.byName[name] = i;
    const L = layout.widgets[name];
    if (!L) return;
    const parent = L.container && layout.widgets[L.container] ? el[S.byName[L.container]] : L.root === 'work' ? work : central;
    const e = name === 'Image_WireDraw' ? $('board') : makeWidget(name, L);
    if (name === 'Image_WireDraw') e.style.zIndex = -1;
    else el[i] = e;
    parent.appendChild(e);
  });
  fit();
  addEventListener('resize', fit);
  const scroll = $('scroll');
  scroll.addEventListener('scroll', () => {
    scrollTop = scroll.scrollTop;
    for (const [i, w] of pending) {
      if (!inView(i)) continue;
      pending.delete(i);
      apply(w);
    }
  });
  bindBoard();
}
