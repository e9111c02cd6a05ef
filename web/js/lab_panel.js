// The lab beside the board: the module reads and follows the lab (its
// steps, hints, answers and summary); this panel shows what it says.
import { $, S, call, tr, trArgs, message, perform } from './module.js';
import { paint, fit } from './board.js';
import { syncTimers } from './input.js';

const lab = { info: null, name: '', doneCount: 0, hints: [], started: 0, times: [] };

const inLanguage = (zh, en) => (S.lang === 'en' && en ? en : zh);

function clock(ms) {
  const s = Math.floor(ms / 1000);
  return String(Math.floor(s / 60)).padStart(2, '0') + ':' + String(s % 60).padStart(2, '0');
}

export const labOpen = () => (lab.info ? lab.name : null);

// A shipped lab, from the module's own copy of the examples.
export async function openLab(name) {
  const text = await (await fetch('examples/labs/' + name)).text();
  const r = JSON.parse(call('openLab', '/examples/labs/' + name, text));
  if (r.errors) {
    message(r.errors.join('\n'));
    return;
  }
  Object.assign(lab, { info: r, name, doneCount: 0, hints: r.steps.map(() => false), times: [],
    started: performance.now() });
  localStorage.setItem('orrin.lab', name);
  syncTimers();
  paint(true);
  showLab();
}

export function labDone(steps) {
  if (!lab.info) return;
  lab.doneCount = Math.max(lab.doneCount, ...steps.map(Number));
  while (lab.times.length < lab.doneCount) lab.times.push(performance.now());
  showLab();
}

function add(parent, tag, text, className = '') {
  const e = document.createElement(tag);
  e.textContent = text;
  if (className) e.className = className;
  parent.appendChild(e);
  return e;
}

function showStep(side, s, n) {
  add(side, 'div', trArgs('第 %1 步', n + 1) + '\n' + inLanguage(s.zh, s.en), 'current').style.whiteSpace = 'pre-wrap';
  const choices = inLanguage(s.choicesZh, s.choicesEn.length ? s.choicesEn : null) || s.choicesZh;
  choices.forEach((c, k) => { add(side, 'button', k + 1 + '. ' + c).onclick = () => perform('choose', k + 1); });
  if (!s.hintZh) return;
  if (lab.hints[n]) {
    add(side, 'div', tr('提示：') + inLanguage(s.hintZh, s.hintEn));
  } else {
    add(side, 'button', tr('显示提示')).onclick = () => { lab.hints[n] = true; call('labHint'); showLab(); };
  }
}

export function showLab() {
  const side = $('side');
  const had = side.firstChild !== null;
  side.textContent = '';
  if (lab.info) fillLab(side);
  if (had !== (side.firstChild !== null)) fit();
}

function fillLab(side) {
  const i = lab.info, n = lab.doneCount, all = i.steps.length;
  add(side, 'h2', inLanguage(i.title, i.titleEn));
  add(side, 'div', '').id = 'lab-clock';
  tickClock();
  if (n < all) {
    showStep(side, i.steps[n], n);
  } else {
    // The summary is the module's, in the page's language, as the window shows it.
    const summary = [tr('全部完成！')].concat(JSON.parse(call('labSummary', S.lang === 'en'))).join('\n');
    add(side, 'div', summary, 'current').style.whiteSpace = 'pre-wrap';
  }
  const ol = add(side, 'ol', '');
  i.steps.forEach((s, k) => add(ol, 'li', (k < n ? '✔ ' : '') + inLanguage(s.zh, s.en), k < n ? 'done' : k === n ? 'now' : ''));
}

function tickClock() {
  const c = $('lab-clock');
  if (!c || !lab.info) return;
  const end = lab.doneCount >= lab.info.steps.length ? lab.times[lab.times.length - 1] : performance.now();
  c.textContent = trArgs('用时 %1 · 已完成 %2/%3', clock(end - lab.started), lab.doneCount, lab.info.steps.length);
}
setInterval(tickClock, 1000);
