// The user's hands on the board: clicks, typing, the mouse over the board,
// the keys, and the timers the board runs on, each performed as a command
// of the module's table.
import { $, S, call, perform } from './module.js';
import { paint, elementOf } from './board.js';
import { labDone } from './lab_panel.js';

function pointIn(e, target) {
  const r = target.getBoundingClientRect();
  return [Math.floor(e.clientX - r.left), Math.floor(e.clientY - r.top)];
}

// A finger is wider than the mouse's point: a touch within 12 CSS pixels of
// a jack is taken at the jack's centre, so the board's own test (a few
// pixels, for the mouse) finds it.
const TOUCH_REACH = 12;
function onBoard(e, board) {
  const [x, y] = pointIn(e, board);
  if (e.pointerType !== 'touch') return [x, y];
  let best = [x, y], reach = TOUCH_REACH * TOUCH_REACH;
  for (const [, jx, jy] of S.jacks) {
    const d = (jx - x) ** 2 + (jy - y) ** 2;
    if (d <= reach) [best, reach] = [[jx, jy], d];
  }
  return best;
}

// Mouse moves are many: one command per animation frame at most.
let pendingHover = null;
const hover = (...words) => { pendingHover = words; };
export const hoverLabel = () => perform('hover-label');

function chooseColour() {
  const input = $('colour');
  input.onchange = () => {
    const rgb = input.value.slice(1).toUpperCase();
    perform('wire-colour', rgb);
    localStorage.setItem('orrin.colour', rgb);
  };
  input.click();
}

function bindGrid(e, name) {
  const command = name === 'StringGrid_MEM' ? 'mem-cell' : 'micro-cell';
  e.addEventListener('focusout', (ev) => {
    const td = ev.target;
    if (td.tagName !== 'TD' || td.dataset.addr === undefined) return;
    const text = td.textContent.trim();
    if (text === td.dataset.shown) return;
    perform(command, td.dataset.addr, text);
  });
  e.addEventListener('keydown', (ev) => {
    if (ev.key === 'Enter' && ev.target.tagName === 'TD') {
      ev.preventDefault();
      ev.target.blur();
    }
  });
}

// What a widget does when used: its click's command, typing, hovering.
export function bindWidget(e, name, kind) {
  const click = S.clicks[name];
  if (click) {
    e.classList.add('clickable');
    e.addEventListener('click', (ev) => {
      ev.preventDefault();
      perform(...click);
    });
  }
  if (kind === 'Edit') {
    e.addEventListener('keydown', (ev) => {
      if (ev.key !== 'Enter') return;
      ev.preventDefault();
      perform('edit', name.slice(5), e.value);
    });
  }
  if (name === 'Button_SetColor' || name === 'Image_colorset') e.addEventListener('click', chooseColour);
  // A playback arrow held down repeats, as the window's: after a second,
  // ten steps a second, until it is let go.
  // A long press of a finger does the same.
  if (name === 'SpeedButton_BackLeft' || name === 'SpeedButton_BackRight') {
    let hold = null;
    const stop = () => { clearTimeout(hold); clearInterval(hold); hold = null; };
    e.addEventListener('pointerdown', () => {
      stop();
      hold = setTimeout(() => { hold = setInterval(() => perform(...click), 100); }, 1000);
    });
    for (const end of ['pointerup', 'pointercancel', 'pointerleave']) e.addEventListener(end, stop);
    e.addEventListener('contextmenu', (ev) => ev.preventDefault());
  }
  // Hints show on hover, and on a tap where there is no hover.
  const k = /^Image_K(\d+)$/.exec(name);
  if (k) for (const ev of ['pointermove', 'pointerdown']) e.addEventListener(ev, (p) => hover('hover-k', k[1], ...pointIn(p, e)));
  if (kind === 'Grid') bindGrid(e, name);
}

// The board's picture takes the wiring; the console around it its hints.
export function bindBoard() {
  const board = $('board'), central = $('central');
  for (const ev of ['pointermove', 'pointerdown']) board.addEventListener(ev, (e) => hover('hover', ...onBoard(e, board)));
  board.addEventListener('contextmenu', (e) => e.preventDefault());
  board.addEventListener('pointerleave', (e) => { if (e.pointerType === 'mouse') hover('leave'); });
  board.addEventListener('pointerup', (e) => {
    const [x, y] = onBoard(e, board);
    perform('hover', x, y);
    const button = e.button === 2 ? ['right'] : e.button === 1 ? ['middle'] : [];
    perform('release', x, y, ...button);
  });
  const key = elementOf('Panel_KEY');
  if (key) for (const ev of ['pointermove', 'pointerdown']) key.addEventListener(ev, () => hover('hover-console'));
  central.addEventListener('pointermove', (e) => {
    if (e.target === central) hover('hover-console');
  });
}

// The console's keys, as the module names them ("F5", "Alt+Left"), except
// while typing into a field or a cell, where every key is the field's.
export function bindKeys() {
  const keys = JSON.parse(call('keys'));
  const ARROWS = { ArrowLeft: 'Left', ArrowRight: 'Right', ArrowUp: 'Up', ArrowDown: 'Down' };
  document.addEventListener('keydown', (e) => {
    const name = (e.ctrlKey ? 'Ctrl+' : '') + (e.altKey ? 'Alt+' : '') + (e.shiftKey ? 'Shift+' : '') +
      (ARROWS[e.key] ?? e.key);
    const command = keys[name];
    if (!command) return;
    const typing = e.target.tagName === 'INPUT' || e.target.isContentEditable;
    if (typing && !e.altKey) return;
    e.preventDefault();
    perform(...command);
  });
}

// ---- timers ------------------------------------------------------------------

const timerDue = [0, 0, 0, 0];
// As the window does after every action: a timer turned off stops, one
// turned on starts counting from now (not from when it last ran).
export function syncTimers(now = performance.now()) {
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
export function frame(now) {
  if (now - lastFrame < FRAME_MS - 2) {
    requestAnimationFrame(frame);
    return;
  }
  lastFrame = now;
  if (pendingHover) {
    const words = pendingHover;
    pendingHover = null;
    perform(...words);
  }
  syncTimers(now).forEach(([on, ms], k) => {
    if (!on) return;
    // At most a quarter second of catching up after the page was hidden.
    const n = Math.min(Math.floor((now - timerDue[k]) / ms) + 1, Math.ceil(250 / ms));
    if (now < timerDue[k]) return;
    timerDue[k] = Math.max(timerDue[k] + n * ms, now - 250);
    const done = JSON.parse(call('tick', k, n));
    if (done.length) labDone(done);
  });
  paint();
  requestAnimationFrame(frame);
}
