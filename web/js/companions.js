// The board's companions on the page: the listing of the memory (it follows
// PC), and the timing diagram as the window draws it (zoom, scroll, "fit
// all"; a click shows that small beat on the board; it follows a run).
import { $, call, tr, perform } from './module.js';
import { saveFile } from './files.js';
import { fit } from './board.js';

// A companion of the board docked beside it (the listing) or below it (the
// diagram): the board stays in sight, so a clicked beat is seen at once.
function dock(where, fill, onClose = () => {}) {
  let d = $('dock');
  if (d) d.querySelector('.close').click();
  d = document.createElement('div');
  d.id = 'dock';
  d.className = where;
  const close = document.createElement('button');
  close.className = 'close';
  close.textContent = '×';
  close.onclick = () => {
    d.remove();
    onClose();
    fit();
  };
  d.appendChild(close);
  fill(d);
  $('page').appendChild(d);
  fit();
}

// The listing follows PC: redrawn when the memory or PC changed, its PC line
// kept in view.
const listing = { open: false, shown: '', lastDraw: 0 };
export function drawListing(force = false) {
  const pre = $('listing');
  if (!listing.open || !pre) return;
  const now = performance.now();
  if (!force && now - listing.lastDraw < 200) return;
  listing.lastDraw = now;
  const json = call('listing');
  if (json === listing.shown) return;
  listing.shown = json;
  const l = JSON.parse(json);
  const pc = l.pc >= 0 ? l.pc.toString(16).toUpperCase().padStart(2, '0') + ':' : null;
  pre.textContent = '';
  let at = null;
  for (const s of l.lines) {
    const line = document.createElement('div');
    const here = pc && s.startsWith(pc + ' ');
    line.textContent = (here ? '▶ ' : '  ') + s;
    if (here) at = line;
    pre.appendChild(line);
  }
  const box = $('dock');
  if (at && (at.offsetTop < box.scrollTop || at.offsetTop + at.offsetHeight > box.scrollTop + box.clientHeight))
    box.scrollTop = at.offsetTop - box.clientHeight / 2;
}

export function showListing() {
  listing.open = true;
  listing.shown = '';
  dock('beside', (d) => {
    const pre = document.createElement('pre');
    pre.id = 'listing';
    d.appendChild(pre);
  }, () => { listing.open = false; });
  drawListing(true);
}

const timing = { open: false, first: 0, beatWidth: 12, follow: true, lastDraw: 0 };
// Every row: the ruler, 43 rows of 18 pixels and a margin.
const DIAGRAM_W = 960, DIAGRAM_H = 30 + 43 * 18 + 4, LABEL_W = 64;

export function drawTiming(force = false) {
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

export function showTiming() {
  timing.open = true;
  timing.first = 1;
  timing.follow = true;
  dock('below', (o) => {
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
      perform('show', timing.shownFirst + Math.floor((x - LABEL_W) / timing.shownWidth));
      drawTiming(true);
    });
    box.appendChild(img);
    o.appendChild(box);
  }, () => { timing.open = false; });
  drawTiming(true);
}
