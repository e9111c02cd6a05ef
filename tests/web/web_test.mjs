// The web page in Debian's Chromium, driven by puppeteer-core:
//   node tests/web/web_test.mjs SITE ORRIN_RUN ORRIN_SNAPSHOT [REPORT_DIR]
// 1. every golden script through window.orrin.run prints what orrin-run prints;
// 2. the ALU experiment done by real clicks and keys shows the lamps and texts
//    orrin-run shows for the same actions;
// 3. the page at start against the Qt window's screenshot: same size, the
//    share of differing pixels and where they are, bounded;
// 4. bad input: a refused file gives the window's message, a file name with
//    markup stays text, a broken module shows a message and a reload recovers;
// 5. figures, printed and not asserted: a continuous run's pace and processor
//    time, orrin.run over 1.4 M small beats, a cold load's bytes and time;
// 6. the screens students have: the page fills the browser window, a phone
//    sees the whole board, a finger hits a jack and holds an arrow, the
//    pictures are the page's language; a lab done from the page alone gives
//    a session zip that orrin-run replays; offline after one visit; a page
//    opened as a file says how to serve it; the browser asks before losing work.
import { execFileSync, spawn } from 'child_process';
import fs from 'fs';
import net from 'net';
import os from 'os';
import path from 'path';
import { fileURLToPath } from 'url';
import puppeteer from 'puppeteer-core';

const [site, orrinRun, orrinSnapshot, reportDir = os.tmpdir()] = process.argv.slice(2);
const top = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
let failures = 0;
const check = (ok, what) => {
  console.log((ok ? 'ok    ' : 'FAIL  ') + what);
  if (!ok) failures++;
};

function freePort() {
  return new Promise((resolve) => {
    const s = net.createServer().listen(0, '127.0.0.1', () => {
      const { port } = s.address();
      s.close(() => resolve(port));
    });
  });
}

const port = await freePort();
const server = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '--directory', site, String(port)],
  { stdio: 'ignore' });
const url = `http://127.0.0.1:${port}/`;
for (let i = 0; i < 50; i++) {
  try { await fetch(url); break; } catch { await new Promise((r) => setTimeout(r, 100)); }
}
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--font-render-hinting=none', '--disable-lcd-text'],
});

// Each page in a context of its own: no settings left by an earlier one.
async function open(query = '?lang=zh', viewport = { width: 1018, height: 362 }) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.on('pageerror', (e) => console.log('page error:', e.message));
  page.on('dialog', (d) => d.accept());
  await page.setViewport(viewport);
  await page.goto(url + query);
  await page.waitForFunction(() => window.orrin?.ready, { timeout: 30000 });
  return page;
}

function listFiles(dir) {
  return fs.readdirSync(dir, { withFileTypes: true }).flatMap((e) =>
    e.isDirectory() ? listFiles(path.join(dir, e.name)) : [path.join(dir, e.name)]);
}

try {
  // ---- 1. golden scripts ----------------------------------------------------
  {
    const page = await open();
    const golden = [];
    for (const f of fs.readdirSync(path.join(top, 'tests/scripts')).filter((f) => f.endsWith('.orrin')))
      golden.push([path.join(top, 'tests/scripts', f), '/t/scripts']);
    for (const f of fs.readdirSync(path.join(top, 'examples/wiring')).filter((f) => f.endsWith('.orrin')))
      golden.push([path.join(top, 'examples/wiring', f), '/examples/wiring']);
    // The scripts' own files, where their relative names find them.
    const files = listFiles(path.join(top, 'tests/scripts/files')).map((f) =>
      ['/t/scripts/files/' + path.relative(path.join(top, 'tests/scripts/files'), f), [...fs.readFileSync(f)]]);
    let same = 0;
    for (const [script, dir] of golden) {
      const expected = script.replace(/\.orrin$/, '.expected');
      if (!fs.existsSync(expected)) continue;
      const out = await page.evaluate((text, dir, files) => {
        for (const [p, bytes] of files) window.orrin.files.write(p, new Uint8Array(bytes));
        window.orrin.files.chdir(dir);
        window.orrin.reset();
        return window.orrin.run(text);
      }, fs.readFileSync(script, 'utf8'), dir, files);
      const native = execFileSync(orrinRun, [script], { cwd: path.dirname(script), encoding: 'utf8' });
      const ok = out === native && native === fs.readFileSync(expected, 'utf8');
      if (ok) same++;
      check(ok, 'golden ' + path.relative(top, script));
    }
    console.log(`golden scripts equal in the browser: ${same}`);
    await page.close();
  }

  // ---- 2. the ALU experiment by clicks ---------------------------------------
  {
    const page = await open();
    const click = async (name) => page.click(`[data-name="${name}"]`);
    // The wiring through the menu and the browser's file picker.
    await page.click('#menubar .menu:nth-child(2)');
    await page.click('#menubar .menu.open .item:nth-child(1)');
    // The shipped wirings are offered first; this one comes from the computer.
    await page.waitForSelector('#chooser:not([hidden])');
    const offered = await page.$$eval('#chooser .examples button', (bs) => bs.map((b) => b.textContent));
    check(offered.includes('alu.txt') && offered.includes('microprogram.txt'), 'the shipped wirings are offered: ' + offered.join(' '));
    const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#chooser .own')]);
    await chooser.accept([path.join(top, 'examples/wiring/alu.txt')]);
    await page.waitForFunction(() => document.querySelector('[data-name="Label_LineCount"]').textContent === '15');
    await click('RadioButtonHandLine');
    await page.keyboard.press('F12');
    const script = ['load-wires ' + path.join(top, 'examples/wiring/alu.txt'), 'mode independent', 'power'];
    const steps = [];
    const lever = (kind, n) => steps.push([`Image_${kind}${n}`, `${kind === 'SD' ? 'sd' : 'k'} ${n}`]);
    [0, 2, 4, 5].forEach((n) => lever('SD', n));
    [11, 12].forEach((n) => lever('K', n));
    for (let i = 0; i < 6; i++) steps.push(['F7', 'step']);
    [0, 1, 2, 3, 4, 5, 6].forEach((n) => lever('SD', n));
    lever('K', 2);
    for (let i = 0; i < 6; i++) steps.push(['Button_OneLittleStep', 'step']);
    [11, 2, 0, 4, 7, 9, 10, 13, 14].forEach((n) => lever('K', n));
    for (let i = 0; i < 4; i++) steps.push(['F7', 'step']);
    for (const [target, line] of steps) {
      if (target === 'F7') await page.keyboard.press('F7');
      else await click(target);
      script.push(line);
    }
    await new Promise((r) => setTimeout(r, 100));
    // Every lamp, picture and text of the board against orrin-run's print,
    // the whole work area scrolled through as a student looks at it.
    await page.evaluate(async () => {
      const scroll = document.getElementById('scroll');
      for (let y = 0; y <= scroll.scrollHeight; y += 100) {
        scroll.scrollTop = y;
        await new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)));
      }
      scroll.scrollTop = 0;
    });
    const shown = await page.evaluate(() => {
      const out = {};
      for (const e of document.querySelectorAll('[data-name]')) {
        const n = e.dataset.name;
        if (n.startsWith('Label_')) out[n] = e.textContent;
        else if (n.startsWith('Image_') && n !== 'Image_colorset') {
          const m = /pictures\/(?:zh|en)\/([^./]+)\.png/.exec(e.style.backgroundImage);
          out[n] = m ? m[1] : 'None';
        }
      }
      return out;
    });
    const names = Object.keys(shown);
    const printed = execFileSync(orrinRun, [], { input: script.join('\n') + '\nprint ' + names.join(' ') + '\n', encoding: 'utf8' });
    const native = Object.fromEntries(printed.trim().split('\n').filter((l) => /^(Label|Image)_/.test(l)).map((l) => {
      const k = l.indexOf('=');
      return [l.slice(0, k), l.slice(k + 1)];
    }));
    const differ = names.filter((n) => native[n] !== undefined && native[n].replaceAll('|', '\n') !== shown[n]);
    check(differ.length === 0 && names.length > 400, `ALU experiment by clicks: ${names.length} lamps and texts as orrin-run shows them` +
      (differ.length ? '; differ: ' + differ.slice(0, 8).map((n) => `${n} page=${JSON.stringify(shown[n])} run=${JSON.stringify(native[n])}`).join(', ') : ''));
    check(shown.Label_SDNum !== undefined && native.Image_LDC !== undefined, 'the comparison saw the data switches and the control lamps');
    await page.close();
  }

  // ---- 2b. a lab in the page: opened from its menu, followed to its end ---------
  {
    const page = await open();
    await page.click('#menubar .menu:nth-child(7)');
    await page.click('#menubar .menu.open .item:nth-child(1)');
    await page.waitForFunction(() => document.querySelector('#side h2')?.textContent === '运算器实验');
    const lines = fs.readFileSync(path.join(top, 'examples/labs/alu.solution.orrin'), 'utf8').split('\n')
      .filter((l) => l.trim() && !l.startsWith('#'));
    await page.evaluate((ls) => ls.forEach((l) => window.orrin.act(l)), lines);
    const side = await page.$eval('#side', (e) => e.textContent);
    check(side.includes('全部完成') && (side.match(/✔/g) || []).length === 5, 'the ALU lab in the page: every step ticked, the summary shown');
    // The summary is the lab's own, as the window shows it: the totals too.
    check(side.includes('共用时') && side.includes('完成 5/5 步'), 'the page\'s lab summary has the totals: ' + JSON.stringify(side.slice(-120)));
    // The grids outline their current cell (the memory's at AR, the store's at uAR).
    await page.evaluate(() => document.querySelector('[data-name="StringGrid_MEM"]')?.scrollIntoView());
    await new Promise((r) => setTimeout(r, 300));
    const outlined = await page.evaluate(() => document.querySelectorAll('.grid td.cur').length);
    check(outlined >= 1, `a grid outlines its current cell (${outlined} outlined)`);
    // The timing diagram of those beats: a click on it shows that beat on the board.
    await page.click('#menubar .menu:nth-child(5)');
    await page.click('#menubar .menu.open .item:nth-child(1)');
    await page.waitForSelector('#timing img');
    const img = await page.$('#timing img');
    await img.click({ offset: { x: 64 + 20, y: 100 } });
    // Docked below the board, the diagram leaves the board in sight.
    const [boardBox, dockBox] = await page.evaluate(() => [document.getElementById('central'), document.getElementById('dock')]
      .map((e) => { const r = e.getBoundingClientRect(); return [r.top, r.bottom]; }));
    check(dockBox[0] >= boardBox[1] - 1, `the timing diagram lies below the board (board ends ${boardBox[1]}, diagram starts ${dockBox[0]})`);
    const stepLabel = await page.evaluate(() => window.orrin.run('dump'));
    check(/^step=(\d+)\/18 /.test(stepLabel) && !stepLabel.startsWith('step=18/18'),
      'a click on the timing diagram shows that small beat: ' + stepLabel.split(' ')[0]);
    await page.close();
  }

  // ---- 3. the page against the window --------------------------------------------
  for (const lang of ['zh', 'en']) {
    const page = await open('?lang=' + lang);
    await new Promise((r) => setTimeout(r, 300));
    const pageShot = path.join(reportDir, `web_${lang}.png`);
    const windowShot = path.join(reportDir, `window_${lang}.png`);
    const diffShot = path.join(reportDir, `diff_${lang}.png`);
    await page.screenshot({ path: pageShot });
    execFileSync(orrinSnapshot, ['--lang', lang, '--window', windowShot],
      { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, stdio: 'ignore' });
    const size = (f) => execFileSync('identify', ['-format', '%wx%h', f], { encoding: 'utf8' });
    check(size(pageShot) === size(windowShot), `${lang}: the page and the window are the same size (${size(pageShot)}, ${size(windowShot)})`);
    // Pixels differing by more than a tenth of the range, in all and in tiles.
    const ae = (extra = []) => {
      try {
        return Number(execFileSync('compare', ['-metric', 'AE', '-fuzz', '10%', ...extra, pageShot, windowShot, diffShot],
          { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] }));
      } catch (e) {
        return Number(String(e.stderr).trim().split(' ')[0]);
      }
    };
    const [w, h] = size(pageShot).split('x').map(Number);
    const total = ae();
    const share = total / (w * h);
    const tiles = [];
    for (let ty = 0; ty < 2; ty++) {
      for (let tx = 0; tx < 4; tx++) {
        const tw = Math.ceil(w / 4), th = Math.ceil(h / 2);
        const crop = `${tw}x${th}+${tx * tw}+${ty * th}`;
        const n = Number(execFileSync('convert', [pageShot, windowShot, '-crop', crop, '+repage', '-fuzz', '10%',
          '-compose', 'difference', '-composite', '-threshold', '10%', '-format', '%[fx:mean*w*h]', 'info:'], { encoding: 'utf8' }));
        tiles.push(`${crop}: ${(100 * n / (tw * th)).toFixed(1)} %`);
      }
    }
    console.log(`${lang}: ${(100 * share).toFixed(1)} % of the pixels differ; by tile: ${tiles.join(', ')}`);
    check(share < 0.06, `${lang}: the page at start looks like the window (${(100 * share).toFixed(1)} % of pixels differ, bound 6 %)`);
    await page.close();
  }

  // ---- 4. bad input ----------------------------------------------------------------
  {
    const page = await open();
    const bad = path.join(os.tmpdir(), '<img src=x onerror="window.pwned=1">.txt');
    fs.writeFileSync(bad, 'not a wire file\r\n');
    await page.click('#menubar .menu:nth-child(2)');
    await page.click('#menubar .menu.open .item:nth-child(1)');
    await page.waitForSelector('#chooser:not([hidden])');
    const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#chooser .own')]);
    await chooser.accept([bad]);
    await page.waitForSelector('#dialog:not([hidden])');
    const text = await page.$eval('#dialog-text', (e) => e.textContent);
    // Not one wire in it: refused before the question, with the window's message.
    check(text.includes('连线文件中没有一条能读出的连线，连线未改变：'), 'a refused wire file gives the window\'s message: ' + JSON.stringify(text));
    check(await page.evaluate(() => !window.pwned && !document.querySelector('#dialog img')), 'a file name with markup stays text');
    fs.unlinkSync(bad);
    await page.close();
  }

  // ---- 4b. an English page asks its questions in English ----------------------
  {
    const page = await open('?lang=en');
    const asked = [];
    page.on('dialog', (d) => asked.push(d.message()));
    await page.evaluate(() => window.orrin.act('wire K0 LDC'));
    await page.click('[data-name="Button_delLine"]');
    await new Promise((r) => setTimeout(r, 300));
    check(asked.length === 1 && asked[0] === 'Clearing the wires cannot be undone. Continue?',
      'an English page asks in English: ' + JSON.stringify(asked));
    // The menus are the window's, as the module lists them, in the page's language.
    const menus = await page.$$eval('#menubar .menu', (ms) => ms.map((m) => m.firstChild.textContent));
    const view = await page.$$eval('#menubar .menu:nth-child(5) .item', (is) => is.map((i) => i.textContent));
    check(menus.join('|') === 'File|Wires|Memory|Microprogram|View|Language/语言|Lab' &&
      view.join('|') === 'Timing diagram|Export trace (VCD)|Export trace (CSV)|Export trace (PNG)',
    'the menus come from the module, in English: ' + JSON.stringify([menus, view]));
    // A value typed into a field or a cell reaches the board whole, a '#' in it too.
    await page.evaluate(() => window.orrin.act('power'));
    await page.evaluate(() => {
      const e = document.querySelector('[data-name="Edit_R1"]');
      e.focus();
      e.value = '#5';
      e.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true }));
    });
    const typed = await page.evaluate(() => / R1=(\w\w) /.exec(window.orrin.run('dump'))[1]);
    check(typed !== '00', 'a typed "#5" is not cut at its "#" (R1 = ' + typed + ')');
    await page.close();

    // A module that cannot start: a message, and the page works after a reload.
    const broken = await browser.newPage();
    await broken.setRequestInterception(true);
    let breakIt = true;
    broken.on('request', (r) => {
      if (breakIt && r.url().endsWith('orrin.wasm')) r.respond({ status: 200, contentType: 'application/wasm', body: 'garbage' });
      else r.continue();
    });
    await broken.goto(url);
    await broken.waitForSelector('#crashed:not([hidden])', { timeout: 20000 });
    check(true, 'a broken module shows a message');
    breakIt = false;
    await Promise.all([broken.waitForNavigation(), broken.click('#crashed-reload')]);
    await broken.waitForFunction(() => window.orrin?.ready, { timeout: 30000 });
    check(await broken.evaluate(() => window.orrin.run('dump').startsWith('step=0/0')), 'after a reload the page works');
    await broken.close();
  }

  // ---- 6. the screens students have --------------------------------------------
  {
    // The page's own language in its pictures.
    for (const lang of ['zh', 'en']) {
      const page = await open('?lang=' + lang);
      const dirs = await page.$$eval('[data-name^="Image"]', (es) => [...new Set(es.map((e) =>
        /pictures\/(\w+)\//.exec(e.style.backgroundImage)?.[1]).filter(Boolean))]);
      check(dirs.join() === lang, `${lang}: every picture is the ${lang} one (${dirs.join(' ')})`);
      if (lang === 'en') {
        const differ = await page.evaluate(async () => {
          const get = async (l) => new Uint8Array(await (await fetch(`assets/pictures/${l}/Image3_NOHand.png`)).arrayBuffer()).join();
          return (await get('zh')) !== (await get('en'));
        });
        check(differ, 'the controller\'s drawing differs between the languages');
      }
      await page.close();
    }

    // A laptop's window: the work area takes the room, the console sits on
    // the bottom edge, nothing runs off to the side.
    {
      const page = await open('?lang=zh', { width: 1366, height: 768 });
      const [power, scrollBox, overflow] = await page.evaluate(() => [
        document.querySelector('[data-name="SpeedButtonPOWER"]').getBoundingClientRect().bottom,
        document.getElementById('scroll').getBoundingClientRect().height,
        document.documentElement.scrollWidth - innerWidth]);
      check(power <= 768 && power > 700 && scrollBox > 600 && overflow <= 0,
        `1366×768: the work area fills the page (scroll box ${scrollBox} px tall, POWER ends at ${power}, overflow ${overflow})`);
      await page.screenshot({ path: path.join(reportDir, 'page_1366x768_zh.png') });
      await page.close();
    }
    // A phone: the board scaled to its width, the console in sight.
    {
      const page = await open('?lang=zh', { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 2 });
      const [width, power, inner] = await page.evaluate(() => [innerWidth,
        document.querySelector('[data-name="SpeedButtonPOWER"]').getBoundingClientRect().bottom, innerHeight]);
      check(width >= 780 && width <= 1100 && power <= inner, `390×844: the board at the phone's width (layout ${width} px wide, POWER at ${power} of ${inner})`);
      await page.close();
    }
    // A tablet: a finger 9 px beside each jack draws the wire; a long press
    // on an arrow steps back several beats.
    {
      const page = await open('?lang=zh', { width: 1024, height: 768, hasTouch: true });
      const { jacks, board } = await page.evaluate(async () => {
        const { S } = await import('./js/module.js');
        const r = document.getElementById('board').getBoundingClientRect();
        return { jacks: S.jacks, board: [r.left, r.top] };
      });
      const at = (n) => jacks.find((j) => j[0] === n);
      const [, kx, ky] = at(0), [, lx, ly] = at(73);  // K0 -> LDC
      await page.touchscreen.tap(board[0] + kx + 9, board[1] + ky);
      await page.touchscreen.tap(board[0] + lx, board[1] + ly - 9);
      await new Promise((r) => setTimeout(r, 200));
      const wires = await page.$eval('[data-name="Label_LineCount"]', (e) => e.textContent);
      check(wires === '1', 'a finger 9 px from each jack draws the wire (' + wires + ' wire)');
      // The mouse keeps its own reach: 9 px off is no jack.
      await page.evaluate(() => window.orrin.act('clear-wires'));
      await page.mouse.click(board[0] + kx + 9, board[1] + ky);
      await page.mouse.click(board[0] + lx, board[1] + ly - 9);
      const byMouse = await page.$eval('[data-name="Label_LineCount"]', (e) => e.textContent);
      check(byMouse === '0', 'the mouse 9 px off a jack draws no wire (' + byMouse + ')');
      await page.evaluate(() => { window.orrin.act('power'); for (let i = 0; i < 30; i++) window.orrin.act('step'); });
      const arrow = await page.$('[data-name="SpeedButton_BackLeft"]');
      const b = await arrow.boundingBox();
      await page.touchscreen.touchStart(b.x + b.width / 2, b.y + b.height / 2);
      await new Promise((r) => setTimeout(r, 1700));
      await page.touchscreen.touchEnd();
      const pos = await page.evaluate(() => Number(/step=(\d+)\//.exec(window.orrin.run('dump'))[1]));
      check(pos <= 26, `a long press on the back arrow repeats (at beat ${pos} of 30)`);
      await page.screenshot({ path: path.join(reportDir, 'page_1024x768_touch_zh.png') });
      await page.close();
    }

    // The program lab from the page alone: the shipped sum.txt, then the
    // session's zip replayed by orrin-run.
    {
      const page = await open();
      const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'orrin-dl-'));
      const cdp = await browser.target().createCDPSession();
      await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads, browserContextId: page.browserContext().id });
      await page.evaluate(async () => { const { openLab } = await import('./js/lab_panel.js'); await openLab('program.lab'); });
      await page.keyboard.press('F12');
      await page.click('#menubar .menu:nth-child(3)');
      await page.click('#menubar .menu.open .item:nth-child(1)');
      await page.waitForSelector('#chooser:not([hidden])');
      await page.evaluate(() => [...document.querySelectorAll('#chooser .examples button')].find((b) => b.textContent === 'sum.txt').click());
      const recorded = await page.evaluate(async () => { const { call } = await import('./js/module.js'); return call('sessionText'); });
      check(/^load-memory sum\.txt$/m.test(recorded) && !recorded.includes('/upload/'), 'the page records the file by its own name: ' +
        JSON.stringify(recorded.split('\n').filter((l) => l.startsWith('load-memory'))));
      await page.evaluate(() => ['qd', 'run', 'mem-cell 20 03', 'mem-save', 'clr', 'qd', 'run'].forEach((l) => window.orrin.act(l)));
      const side = await page.$eval('#side', (e) => e.textContent);
      check(side.includes('全部完成'), 'the program lab is done in the page alone');
      await page.click('#menubar .menu:nth-child(7)');
      await page.evaluate(() => [...document.querySelectorAll('#menubar .menu.open .item')].find((i) => i.textContent.startsWith('保存操作记录')).click());
      const zipFile = path.join(downloads, 'session.zip');
      for (let i = 0; i < 50 && !fs.existsSync(zipFile); i++) await new Promise((r) => setTimeout(r, 100));
      const unpacked = path.join(downloads, 'unpacked');
      execFileSync('python3', ['-c', 'import sys,zipfile; z=zipfile.ZipFile(sys.argv[1]); assert z.testzip() is None; z.extractall(sys.argv[2])', zipFile, unpacked]);
      const inZip = fs.readdirSync(unpacked).sort();
      let replay = '';
      try {
        replay = execFileSync(orrinRun, ['--lab', path.join(top, 'examples/labs/program.lab'), 'session.orrin'], { cwd: unpacked, encoding: 'utf8' });
      } catch (e) { replay = String(e.stdout) + String(e.stderr); }
      check(inZip.join() === 'session.orrin,sum.txt' && replay.includes('lab: 4 of 4 steps done'),
        `the session's zip (${inZip.join(' ')}) replays to every step: ${JSON.stringify(replay.trim().split('\n').pop())}`);
      // "退出" is not offered, and the browser asks before a reload loses work.
      const fileMenu = await page.$$eval('#menubar .menu:nth-child(1) .item', (is) => is.map((i) => i.textContent));
      check(!fileMenu.includes('退出') && fileMenu.includes('保存操作记录…'), 'the page offers no 退出, its File menu saves the session: ' + fileMenu.join(' '));
      const asked = [];
      page.on('dialog', (d) => asked.push(d.type()));
      // A data switch (the levers lie under the microprogram mode's notice).
      await page.click('[data-name="Image_SD3"]');
      await page.reload({ waitUntil: 'domcontentloaded' }).catch(() => {});
      await new Promise((r) => setTimeout(r, 500));
      check(asked.includes('beforeunload'), 'the browser asks before a reload loses work: ' + JSON.stringify(asked));
      fs.rmSync(downloads, { recursive: true, force: true });
      await page.close();
    }

    // Installable: Chromium reads the manifest without an error.
    {
      const page = await open();
      const cdp = await page.createCDPSession();
      const m = await cdp.send('Page.getAppManifest');
      check(m.errors.length === 0 && m.data.includes('"Orrin'), 'the web app manifest reads without errors: ' + JSON.stringify(m.errors));
      await page.close();
    }

    // Offline after one visit: the page and a lab never opened.
    {
      const page = await open();
      await page.evaluate(async () => { await navigator.serviceWorker.ready; });
      for (let i = 0; i < 100 && !(await page.evaluate(() => !!navigator.serviceWorker.controller)); i++)
        await new Promise((r) => setTimeout(r, 100));
      await page.setOfflineMode(true);
      await page.reload();
      await page.waitForFunction(() => window.orrin?.ready, { timeout: 30000 });
      await page.evaluate(async () => { const { openLab } = await import('./js/lab_panel.js'); await openLab('fetch.lab'); });
      const title = await page.$eval('#side h2', (e) => e.textContent).catch(() => '');
      check(title !== '', 'offline after one visit: the page and a lab never opened (' + title + ')');
      await page.close();
    }

    // Opened as a file: how to serve it, in both languages.
    {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.goto('file://' + path.resolve(site, 'index.html'));
      const said = await page.$eval('#served', (e) => (e.hidden ? '' : e.textContent));
      check(said.includes('网页服务器') && said.includes('web server'), 'a page opened as a file says how to serve it, in both languages');
      await page.close();
    }
  }

  // ---- 5. figures ------------------------------------------------------------------
  {
    // A cold load: bytes over the network until the board is ready, and the
    // time to ready; then the same page again from the offline copy.
    const context = await browser.createBrowserContext();
    const cold = await context.newPage();
    await cold.setViewport({ width: 1366, height: 768 });
    const cdp = await cold.createCDPSession();
    await cdp.send('Network.enable');
    let bytes = 0;
    cdp.on('Network.loadingFinished', (e) => { bytes += e.encodedDataLength; });
    await cold.goto(url + '?lang=zh');
    await cold.waitForFunction(() => window.orrin?.ready, { timeout: 30000 });
    // What came over the network by the time the board was ready, as the page counts it.
    const [readyAt, untilReady] = await cold.evaluate(() => {
      const at = window.orrin.readyAt;
      const entries = [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')];
      return [at, entries.filter((e) => e.responseEnd <= at).reduce((sum, e) => sum + e.transferSize, 0)];
    });
    await cold.evaluate(async () => { await navigator.serviceWorker.ready; });
    await new Promise((r) => setTimeout(r, 2000));
    const withCopy = bytes;
    bytes = 0;
    await cold.reload();
    await cold.waitForFunction(() => window.orrin?.ready, { timeout: 30000 });
    const again = await cold.evaluate(() => window.orrin.readyAt);
    console.log(`figure: cold load ${(untilReady / 1e6).toFixed(2)} MB until ready in ${readyAt.toFixed(0)} ms; ` +
      `with the offline copy ${(withCopy / 1e6).toFixed(2)} MB in all; again from the copy ${again.toFixed(0)} ms, ` +
      `${(bytes / 1e6).toFixed(2)} MB over the network`);
    await context.close();
  }
  {
    // On a laptop's screen, where the page shows the most of the board.
    const page = await open('?lang=zh', { width: 1366, height: 768 });
    const script = fs.readFileSync(path.join(top, 'bench/headless_run.orrin'), 'utf8');
    const ms = await page.evaluate((s) => {
      window.orrin.reset();
      const t0 = performance.now();
      window.orrin.run(s);
      return performance.now() - t0;
    }, script);
    console.log(`figure: orrin.run over 1 400 000 small beats: ${(ms / 1000).toFixed(2)} s = ${Math.round(1.4e6 / (ms / 1000))} small beats/s`);
    await page.evaluate(() => {
      window.orrin.reset();
      for (const l of ['mode microprogram', 'power', 'clr', 'qd']) window.orrin.act(l);
    });
    // Beats and time read inside the page, together, so no round trip counts.
    const look = () => page.evaluate(() => [Number(/step=\d+\/(\d+)/.exec(window.orrin.run('dump'))[1]), performance.now()]);
    const m0 = await page.metrics(), [b0, t0] = await look();
    await new Promise((r) => setTimeout(r, 10000));
    const m1 = await page.metrics(), [b1, t1] = await look();
    const secs = (t1 - t0) / 1000;
    const pace = (b1 - b0) / secs;
    const cpu = (m1.TaskDuration - m0.TaskDuration) / secs;
    console.log(`figure: continuous run ${pace.toFixed(0)} small beats/s = ${(100 * pace / 1400).toFixed(1)} % of pace, ` +
      `${(100 * cpu).toFixed(1)} % of one core (renderer main thread)`);
    await page.close();
  }
} finally {
  await browser.close();
  server.kill();
}
console.log(failures ? `web: ${failures} failed` : 'web: all passed');
process.exit(failures ? 1 : 0);
