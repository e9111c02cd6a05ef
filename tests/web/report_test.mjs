// orrin-grade's class report in Debian's Chromium: a lab's class and a
// check's class are graded with --csv and --report, each page is opened from
// its file and looked at: it renders without a console error, its numbers
// are the CSV's, the table sorts, a lab's step times are drawn. Then the
// figures: a report of 1 000 submissions, its size and how fast it opens.
//   node report_test.mjs ORRIN_GRADE EXAMPLES_DIR OUT_DIR
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [grade, examples, out] = process.argv.slice(2);
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'}  ${what}`);
  if (!ok) failures++;
}

const work = fs.mkdtempSync(path.join(out, 'report-'));
// A CSV of the grader: simple fields, or quoted ones with "" inside.
function readCsv(file) {
  const rows = [];
  for (const line of fs.readFileSync(file, 'utf8').trimEnd().split('\n')) {
    const cells = [];
    for (const m of line.matchAll(/("(?:[^"]|"")*"|[^,]*)(,|$)/g)) {
      if (m.index === line.length && cells.length > 0 && m[0] === '') break;
      cells.push(m[1].startsWith('"') ? m[1].slice(1, -1).replaceAll('""', '"') : m[1]);
    }
    rows.push(cells);
  }
  return rows;
}
function run(args) {
  try {
    execFileSync(grade, args, { cwd: work, stdio: 'pipe' });
  } catch (e) {
    if (e.status !== 1) throw e;  // 1: some submission did not pass
  }
}

// A lab class: sessions saved by the window carry each step's time and hint.
const lab = path.join(examples, 'labs', 'alu.lab');
const finished = fs.readFileSync(path.join(examples, 'grading', 'lab', 'finished', 'session.orrin'), 'utf8');
const halfway = fs.readFileSync(path.join(examples, 'grading', 'lab', 'halfway', 'session.orrin'), 'utf8');
const students = {
  anna: ['5000 12000 20000 31000 45000', '0 1 0 0 0', finished],
  ben: ['9000 30000 41000 70000 99000', '0 0 0 1 1', finished],
  cleo: ['2000 4000 9000 - -', '1 0 0 0 0', halfway],
  dan: null,  // an older session: no record
  eve: ['3000 8000 15000 26000 38000', '0 0 0 0 0', finished],
};
for (const [name, record] of Object.entries(students)) {
  fs.mkdirSync(path.join(work, 'lab', name), { recursive: true });
  const head = record ? `# lab-done-ms: ${record[0]}\n# lab-hints: ${record[1]}\n` : '';
  fs.writeFileSync(path.join(work, 'lab', name, 'session.orrin'), head + (record ? record[2] : halfway));
}
const labFolders = Object.keys(students).map(n => `lab/${n}`);
run(['--lab', lab, '--csv', 'lab.csv', '--report', 'lab.html', '--lang', 'en', ...labFolders]);
run(['--lab', lab, '--report', 'lab_zh.html', ...labFolders]);

// A check's class: the shipped program check and its sample submissions.
fs.cpSync(path.join(examples, 'grading', 'program'), path.join(work, 'program'), { recursive: true });
const programFolders = ['badfile', 'endless', 'right', 'wrong'].map(n => `program/${n}`);
run(['--csv', 'program.csv', '--report', 'program.html', 'program/check.orrin', ...programFolders]);

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--font-render-hinting=none', '--disable-lcd-text', '--allow-file-access-from-files'],
});

async function open(file) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1200, height: 900 });
  const errors = [];
  page.on('console', m => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', e => errors.push(String(e)));
  page.on('requestfailed', r => { if (!r.url().startsWith('file:')) errors.push(`request ${r.url()}`); });
  const requests = [];
  page.on('request', r => requests.push(r.url()));
  const start = Date.now();
  await page.goto('file://' + path.join(work, file), { waitUntil: 'load' });
  const ms = Date.now() - start;
  return { page, errors, ms, requests };
}

// The table's rows as the page shows them.
const tableRows = page => page.$$eval('#submissions tbody tr', rows => rows.map(r =>
  [...r.cells].map(c => c.dataset.sort ?? c.textContent.trim())));

for (const [file, csvFile, isLab] of [['lab.html', 'lab.csv', true], ['program.html', 'program.csv', false]]) {
  const { page, errors, requests } = await open(file);
  check(errors.length === 0, `${file}: no console error (${errors.join('; ')})`);
  check(requests.every(u => u.startsWith('file:')), `${file}: nothing fetched from a network`);
  const csv = readCsv(path.join(work, csvFile));
  const head = csv[0], rows = csv.slice(1);
  const col = name => head.indexOf(name);
  // The summary's counts are the CSV's.
  const counts = await page.$$eval('#summary .count', bs => Object.fromEntries(bs.map(b => [b.dataset.status, +b.textContent])));
  for (const status of ['passed', 'failed', 'error', 'timeout'])
    check(counts[status] === rows.filter(r => r[col('status')] === status).length,
          `${file}: ${status} ${counts[status]} as in the CSV`);
  // Every row: status, passed, failed and points as in the CSV.
  const shown = await tableRows(page);
  check(shown.length === rows.length, `${file}: a row per submission (${shown.length})`);
  rows.forEach((r, i) => {
    const s = shown[i] ?? [];
    const same = s[0] === r[col('submission')] && s[1] === r[col('status')] && s[2] === r[col('passed')] &&
      s[3] === r[col('failed')] && `${s[4]}/${r[col('points')].split('/')[1]}` === r[col('points')];
    check(same, `${file}: ${r[0]} as in the CSV (${s.slice(0, 5).join(' ')})`);
  });
  // Each case's share passed: a lab's step N by those with at least N steps done.
  if (isLab) {
    const passed = await page.$$eval('#cases tr.case td[data-passed]', tds => tds.map(t => +t.dataset.passed));
    const want = passed.map((_, n) => rows.filter(r => +r[col('passed')] >= n + 1).length);
    check(JSON.stringify(passed) === JSON.stringify(want), `${file}: each step's share (${passed})`);
    const boxes = await page.$$eval('#cases svg.box', s => s.length);
    check(boxes === 5, `${file}: every step's times drawn (${boxes})`);
    const medians = await page.$eval('#cases tbody', b => b.textContent);
    // Step 1 took anna 5 s, ben 9 s, cleo 2 s, eve 3 s: median 4 s.
    check(medians.includes('00:04 (00:02'), `${file}: step 1's median and quartiles`);
  }
  // The table sorts by points, up then down, numbers as numbers.
  await page.click('#submissions th:nth-child(5) button');
  let points = (await tableRows(page)).map(r => +r[4]);
  check(points.every((p, i) => i === 0 || points[i - 1] <= p), `${file}: sorted by points up (${points})`);
  await page.click('#submissions th:nth-child(5) button');
  points = (await tableRows(page)).map(r => +r[4]);
  check(points.every((p, i) => i === 0 || points[i - 1] >= p), `${file}: and down (${points})`);
  await page.click('#submissions th:nth-child(1) button');
  const names = (await tableRows(page)).map(r => r[0]);
  check(names.join() === [...names].sort((a, b) => a.localeCompare(b)).join(), `${file}: sorted by name`);
  await page.screenshot({ path: path.join(out, file.replace('.html', '.png')), fullPage: true });
  await page.close();
}
{
  const { page, errors } = await open('lab_zh.html');
  check(errors.length === 0 && (await page.$eval('h1', h => h.textContent)).startsWith('班级成绩'),
        'lab_zh.html: in Chinese');
  await page.close();
}

// The figures: 1 000 submissions of the program check.
const big = [];
for (let i = 0; i < 1000; i++) {
  const name = `class/s${String(i).padStart(4, '0')}`;
  fs.mkdirSync(path.join(work, name), { recursive: true });
  fs.copyFileSync(path.join(work, 'program', i % 3 ? 'right' : 'wrong', 'prog.txt'), path.join(work, name, 'prog.txt'));
  big.push(name);
}
const started = Date.now();
run(['-j', '2', '--csv', 'big.csv', '--report', 'big.html', 'program/check.orrin', ...big]);
const gradeMs = Date.now() - started;
const size = fs.statSync(path.join(work, 'big.html')).size;
const opens = [];
for (let i = 0; i < 3; i++) {
  const { page, errors, ms } = await open('big.html');
  if (i === 0) check(errors.length === 0, 'big.html: no console error');
  opens.push(ms);
  if (i === 0) {
    const n = await page.$$eval('#submissions tbody tr', r => r.length);
    check(n === 1000, 'big.html: 1000 rows');
  }
  await page.close();
}
console.log(`figure: report of 1000 submissions: ${(size / 1024).toFixed(0)} kB, opens in ${opens.join(', ')} ms` +
            ` (grading with the report: ${(gradeMs / 1000).toFixed(1)} s at -j 2)`);
check(size <= 1024 * 1024, 'big.html: at most 1 MB');

await browser.close();
fs.rmSync(work, { recursive: true, force: true });
console.log(failures ? `report: ${failures} failed` : 'report: all passed');
process.exit(failures ? 1 : 0);
