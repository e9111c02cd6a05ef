// The menu bar: the window's menus as the module lists them (an item that
// is a file command picks or saves its file), then the page's language and
// the course's labs.
import { $, S, call, tr } from './module.js';
import { openFile, saveFile, saveSession } from './files.js';
import { showListing, showTiming } from './companions.js';
import { openLab, labOpen } from './lab_panel.js';

let data = null;
let setLanguage = () => {};

// The items that open one of the page's own windows; a page is not quit
// (the browser closes its tab), so "退出" is not offered.
const PAGE_ITEMS = { N_Disassembly: showListing, N_TimingDiagram: showTiming };
const HIDDEN = ['N_Quit'];

// The timing diagram's exports, beside the window's diagram window.
const EXPORTS = ['VCD', 'CSV', 'PNG'];

function itemsOf(menu) {
  const items = menu.items.filter((it) => !HIDDEN.includes(it.name)).map((it) => [tr(it.text), it.command
    ? (it.save ? () => saveFile(it.command, it.file) : () => openFile(it.file, it.command, it.examples))
    : PAGE_ITEMS[it.name] ?? (() => {})]);
  if (menu.name === 'N_View')
    for (const x of EXPORTS) items.push([tr(`导出时序 (${x})`), () => saveFile('export-trace', 'trace.' + x.toLowerCase())]);
  return items;
}

// The session with the files it opened, replayed from the folder they are
// unpacked into: orrin-run session.orrin, or with its lab.
function session() {
  const head = labOpen() ? `# replay with: orrin-run --lab ${labOpen()} session.orrin\n` : '';
  saveSession(head + call('sessionText'));
  S.savedLines = call('sessionText');
}

export function buildMenus(onLanguage) {
  data ??= JSON.parse(call('menus'));
  setLanguage = onLanguage ?? setLanguage;
  const bar = $('menubar');
  bar.textContent = '';
  const spec = data.menus.map((m) => [tr(m.text), itemsOf(m)]);
  // Where the window quits, the page saves the session (with its files).
  const quitting = data.menus.findIndex((m) => m.items.some((it) => HIDDEN.includes(it.name)));
  if (quitting >= 0) spec[quitting][1].push([tr('保存操作记录…'), session]);
  spec.push(['Language/语言', [['English', () => setLanguage('en')], ['中文', () => setLanguage('zh')]]]);
  spec.push([tr('实验'), data.labs.map((l) => [l.replace('.lab', ''), () => openLab(l)])
    .concat([[tr('保存操作记录…'), session]])]);
  for (const [title, list] of spec) {
    const m = document.createElement('div');
    m.className = 'menu';
    m.textContent = title;
    const box = document.createElement('div');
    box.className = 'items';
    for (const [text, fn] of list) {
      const it = document.createElement('div');
      it.className = 'item';
      it.textContent = text;
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

export const courseLabs = () => (data ??= JSON.parse(call('menus'))).labs;

document.addEventListener('click', (e) => {
  if (!e.target.closest('#menubar')) document.querySelectorAll('#menubar .menu').forEach((x) => x.classList.remove('open'));
});
