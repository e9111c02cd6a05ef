// Files on the page. The session's folder (/session, the module's working
// folder) holds every file the student opens, under its own name: one picked
// from the computer or one of the shipped examples. So a session names its
// files as `load-memory sum.txt`, as a session of the window names the
// files beside it, and "save session" gives the session and those files in
// one zip that orrin-run replays. A command that saves writes there too and
// the file is offered as a download.
import { $, S, tr, perform } from './module.js';
import { loadImage } from './board.js';
import { zip } from './zip.js';

export const SESSION_DIR = '/session';

export function startFiles() {
  S.M.FS.mkdirTree(SESSION_DIR);
  S.M.FS.chdir(SESSION_DIR);
}

const exists = (path) => S.M.FS.analyzePath(path).exists;
const same = (a, b) => a.length === b.length && a.every((x, i) => x === b[i]);

// The name a file gets in the session's folder: its own, made safe for a
// console line (where '#' would start a comment); a different file of a name
// already there gets "-2", "-3" … so the earlier lines still find theirs.
function place(name, bytes) {
  const safe = name.replace(/[\/\\\x00-\x1f#]/g, '_').replace(/^\.+/, '_') || 'file.txt';
  const dot = safe.lastIndexOf('.');
  const [stem, ext] = dot > 0 ? [safe.slice(0, dot), safe.slice(dot)] : [safe, ''];
  for (let n = 1; ; ++n) {
    const candidate = n === 1 ? safe : `${stem}-${n}${ext}`;
    const path = SESSION_DIR + '/' + candidate;
    if (exists(path) && !same(S.M.FS.readFile(path), bytes)) continue;
    S.M.FS.writeFile(path, bytes);
    return candidate;
  }
}

function pickFromComputer(accept, command) {
  const picker = $('picker');
  picker.accept = accept;
  picker.value = '';
  picker.onchange = async () => {
    const f = picker.files[0];
    if (!f) return;
    perform(command, place(f.name, new Uint8Array(await f.arrayBuffer())));
  };
  picker.click();
}

// The shipped examples of a kind, as the module holds them.
function examplesOf(kind, accept) {
  const dir = '/examples/' + kind;
  if (!kind || !exists(dir)) return [];
  const endings = accept.split(',');
  return S.M.FS.readdir(dir).filter((n) => endings.some((x) => n.toLowerCase().endsWith(x))).sort()
    .map((n) => [n, dir + '/' + n]);
}

// Opening a file: the shipped examples of its kind to choose from, or one
// from the computer.
export function openFile(accept, command, kind) {
  const examples = examplesOf(kind, accept);
  if (!examples.length) return pickFromComputer(accept, command);
  const box = $('chooser');
  const list = box.querySelector('.examples');
  list.textContent = '';
  box.querySelector('h3').textContent = tr('打开示例文件');
  for (const [name, path] of examples) {
    const b = document.createElement('button');
    b.textContent = name;
    b.onclick = () => {
      box.hidden = true;
      perform(command, place(name, S.M.FS.readFile(path)));
    };
    list.appendChild(b);
  }
  const own = box.querySelector('.own');
  own.textContent = tr('从本机选择文件…');
  own.onclick = () => {
    box.hidden = true;
    pickFromComputer(accept, command);
  };
  const cancel = box.querySelector('.cancel');
  cancel.textContent = tr('取消');
  cancel.onclick = () => { box.hidden = true; };
  box.hidden = false;
  list.firstChild.focus();
}

export function download(name, bytes, type = 'text/plain') {
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

// A picture is encoded again by the browser's own encoder.
export async function saveFile(command, name) {
  const path = SESSION_DIR + '/' + name;
  try { S.M.FS.unlink(path); } catch (e) { /* not there yet */ }
  perform(command, name);
  let bytes;
  try { bytes = S.M.FS.readFile(path); } catch (e) { return; }
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

// The session and every file in its folder, in one zip.
export function saveSession(text) {
  const enc = new TextEncoder();
  const files = [['session.orrin', enc.encode(text)]];
  for (const n of S.M.FS.readdir(SESSION_DIR).sort()) {
    const path = SESSION_DIR + '/' + n;
    if (n !== '.' && n !== '..' && n !== 'session.orrin' && S.M.FS.isFile(S.M.FS.stat(path).mode))
      files.push([n, S.M.FS.readFile(path)]);
  }
  download('session.zip', zip(files), 'application/zip');
}
