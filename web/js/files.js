// Files on the page: the browser's picker puts a file into the module's
// file system and the command reads it; a command that saves writes into
// it and the file is offered as a download.
import { $, S, perform } from './module.js';
import { loadImage } from './board.js';

let uploads = 0;
export function openFile(accept, command) {
  const picker = $('picker');
  picker.accept = accept;
  picker.value = '';
  picker.onchange = async () => {
    const f = picker.files[0];
    if (!f) return;
    const bytes = new Uint8Array(await f.arrayBuffer());
    const dir = '/upload/' + ++uploads;
    S.M.FS.mkdirTree(dir);
    // A session records the name on a console line, where '#' would start a comment.
    const path = dir + '/' + f.name.replace(/[\/\\\x00-\x1f#]/g, '_');
    S.M.FS.writeFile(path, bytes);
    perform(command, path);
  };
  picker.click();
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
  const path = '/download/' + name;
  S.M.FS.mkdirTree('/download');
  try { S.M.FS.unlink(path); } catch (e) { /* not there yet */ }
  perform(command, path);
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
