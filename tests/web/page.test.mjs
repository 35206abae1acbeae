// The page in a real browser (Debian's chromium, headless): typed text gives
// a picture and a stop reason, the downloaded files are byte for byte the
// command's files for the same values (for random texts and lengths too),
// the redraw is fast, the page is usable by keyboard and on a phone, and
// nothing is fetched from elsewhere.
//   TRACEMILL=build/tracemill TRACEMILL_SITE=build-web/site node --test tests/web/page.test.mjs
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import sweep from './compare_random.cjs';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const command = process.env.TRACEMILL || path.join(root, 'build/tracemill');
const site = process.env.TRACEMILL_SITE || path.join(root, 'build-web/site');
const work = mkdtempSync(path.join(tmpdir(), 'tracemill-web-'));
const sample = readFileSync(path.join(root, 'scripts/sample.txt'), 'utf8').replace(/\n$/, '');

let server, origin, browser;
const requests = [];
const errors = [];

before(async () => {
  // The page's own server, as scripts/web.sh runs it, on a free port.
  server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', site],
    { stdio: ['ignore', 'pipe', 'ignore'] });
  origin = await new Promise((resolve, reject) => {
    server.stdout.on('data', (d) => {
      const m = /port (\d+)/.exec(String(d));
      if (m) resolve(`http://127.0.0.1:${m[1]}`);
    });
    server.on('exit', () => reject(new Error('the server ended')));
  });
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-dev-shm-usage', '--lang=en-US'],
  });
});

after(async () => {
  await browser?.close();
  server?.kill();
  rmSync(work, { recursive: true, force: true });
});

async function openPage({ languages = ['en-US', 'en'], viewport = { width: 1100, height: 1000 } } = {}) {
  const page = await browser.newPage();
  page.on('request', (r) => requests.push(r.url()));
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.evaluateOnNewDocument((l) => {
    Object.defineProperty(navigator, 'languages', { get: () => l });
  }, languages);
  await page.setViewport(viewport);
  await page.goto(`${origin}/`);
  await page.waitForSelector('body[data-ready="true"]');
  return page;
}

// Replaces a field's value the way typing does.
async function fill(page, selector, value) {
  await page.click(selector, { clickCount: 3 });
  await page.keyboard.press('Backspace');
  if (value !== '') await page.type(selector, value);
}

// The picture's magenta (outline) pixels.
const outlinePixels = (page) => page.$eval('#canvas', (c) => {
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let n = 0;
  for (let i = 0; i < d.length; i += 4) if (d[i] > 200 && d[i + 1] < 80 && d[i + 2] > 200) ++n;
  return n;
});

// Clicks a download button and returns the file's bytes once the browser
// reports the download complete (the file can exist on disk before its last
// bytes are written, so its mere presence is not enough).
async function download(page, button, name) {
  const dir = mkdtempSync(path.join(work, 'dl-'));
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: dir, eventsEnabled: true });
  const finished = new Promise((resolve) => {
    cdp.on('Browser.downloadProgress', (e) => { if (e.state !== 'inProgress') resolve(e.state); });
    setTimeout(() => resolve('timed out'), 10000);
  });
  await page.click(button);
  const state = await finished;
  await cdp.detach();
  assert.equal(state, 'completed', `${name}: the download ${state}`);
  return readFileSync(path.join(dir, name));
}

// Where two files first differ, for a failure's message.
function firstDifference(ours, theirs) {
  const a = String(ours).split('\n'), b = String(theirs).split('\n');
  let i = 0;
  while (i < a.length && i < b.length && a[i] === b[i]) ++i;
  return `line ${i + 1} (of ${a.length} and ${b.length}): page ${JSON.stringify(a[i])}, command ${JSON.stringify(b[i])}`;
}

// The command's files for the same values, its messages in `lang`; rows are
// its TEXT arguments.
function commandFiles(text, args, lang = 'en') {
  const dxf = path.join(work, 'command.dxf'), svg = path.join(work, 'command.svg');
  const nc = path.join(work, 'command.nc');
  const run = spawnSync(command, ['--lang', lang, '--force', '-o', dxf, '--svg', svg, '--gcode', nc, ...args,
    '--', ...text.split('\n')]);
  return {
    status: run.status, stderr: String(run.stderr), dxf: readFileSync(dxf), svg: readFileSync(svg),
    gcode: readFileSync(nc),
  };
}

// Each case: the page's fields as typed, and the command's options for them.
const cases = [
  { name: 'defaults, the sample text', text: sample, fields: {}, args: [], stops: false },
  {
    name: 'frame calculation, closed contours, millimetres; a stroke too wide for W',
    text: 'EXIT 3\nWAVE',
    fields: { frameWidth: '24', frameHeight: '9', frameCharsPerRow: '6', frameRows: '2', frameLineWidthPercent: '30' },
    calculate: true, polylines: true, units: '1', stops: true,
    selects: { gcodeMachine: '1', gcodePath: '1' }, gcodeFrame: true,
    args: ['--frame-size', '24', '9', '--frame-grid', '6', '2', '--frame-percent', '20', '50', '30',
      '--polylines', '--units', 'mm', '--gcode-machine', 'laser', '--gcode-path', 'outline', '--gcode-frame'],
  },
  {
    name: 'a character without a glyph stops the run',
    text: 'AB\nCあD', stops: true, fields: { charWidth: '3', lineWidth: '0.25', lineSpacing: '1.5' },
    units: '2', selects: { gcodeMachine: '2' },
    args: ['--char-width', '3', '--line-width', '0.25', '--line-spacing', '1.5', '--units', 'in',
      '--gcode-machine', 'pen'],
  },
];

test('the downloads are the command\'s files, and the stop reason is the command\'s', async () => {
  const page = await openPage();
  await fill(page, '#name', 'plate');
  for (const c of cases) {
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    await fill(page, '#name', 'plate');
    for (const [id, v] of Object.entries(c.fields)) await fill(page, `#${id}`, v);
    if (c.calculate) await page.click('#calculate');
    if (c.polylines) await page.click('#polylines');
    if (c.units) await page.select('#units', c.units);
    for (const [id, v] of Object.entries(c.selects ?? {})) await page.select(`#${id}`, v);
    if (c.gcodeFrame) await page.click('#gcodeFrame');
    await page.type('#text', c.text);
    await page.waitForFunction(() => document.querySelector('#picture').dataset.redrawMs !== undefined);
    const expected = commandFiles(c.text, c.args);
    // The picture is there, and under it the reason the command gives.
    assert.ok(await outlinePixels(page) > 100, `${c.name}: no picture`);
    const stop = await page.$eval('#stop', (e) => e.textContent);
    assert.equal(expected.status, c.stops ? 1 : 0, `${c.name}: ${expected.stderr}`);
    if (c.stops) {
      assert.ok(stop.length > 0 && expected.stderr.startsWith(`${stop}\n`), `${c.name}: ${stop}`);
    } else {
      assert.equal(stop, '', c.name);
    }
    const dxf = await download(page, '#download-dxf', 'plate.dxf');
    assert.ok(dxf.equals(expected.dxf), `${c.name}: the DXF differs from the command's at ${firstDifference(dxf, expected.dxf)}`);
    const svg = await download(page, '#download-svg', 'plate.svg');
    assert.ok(svg.equals(expected.svg), `${c.name}: the SVG differs from the command's at ${firstDifference(svg, expected.svg)}`);
    const gcode = await download(page, '#download-gcode', 'plate.nc');
    assert.ok(gcode.equals(expected.gcode), `${c.name}: the G-code differs from the command's at ${firstDifference(gcode, expected.gcode)}`);
  }
  await page.close();
});

// Random texts and lengths (TRACEMILL_WEB_RANDOM of them, seed
// TRACEMILL_WEB_SEED or a new one): the page's core writes the command's DXF
// and SVG files byte for byte, down to the last printed digit of every sine.
test('random texts and lengths: the page writes the command\'s files', async () => {
  const page = await openPage();
  const count = Number(process.env.TRACEMILL_WEB_RANDOM || 1000);
  const seed = Number(process.env.TRACEMILL_WEB_SEED || Math.floor(Math.random() * 2 ** 32));
  console.log(`random texts and lengths: ${count} cases, seed ${seed}`);
  const dir = mkdtempSync(path.join(work, 'random-'));
  const differ = [];
  for (const c of sweep.randomCases(count, seed)) {
    const theirs = sweep.commandFiles(command, dir, c);
    // The file in base64, or null when there is none.
    const ours = await page.evaluate((c) => [1, 2].map((what) => {
      const status = core.ccall('tm_draw', 'number', ['number', ...Array(6).fill('string'), ...Array(5).fill('number'),
        'string'], [what, c.text, ...c.lengths, c.polylines ? 1 : 0, 0, 0, 0, 0, 'en']);
      if (status > 1) return null;
      const bytes = core.HEAPU8.subarray(core._tm_output(), core._tm_output() + core._tm_output_size());
      let s = '';
      for (let i = 0; i < bytes.length; i += 8192) s += String.fromCharCode(...bytes.subarray(i, i + 8192));
      return btoa(s);
    }), c);
    const where = `${JSON.stringify(c.text)} ${c.lengths.join(' ')}${c.polylines ? ' --polylines' : ''}`;
    if ((ours[0] === null) !== (theirs.status > 1)) differ.push(`status: ${where}`);
    ['dxf', 'svg'].forEach((format, k) => {
      if (ours[k] !== null && theirs.status <= 1 && !Buffer.from(ours[k], 'base64').equals(theirs[format])) {
        differ.push(`${format}: ${where}`);
      }
    });
  }
  assert.deepEqual(differ, [], `seed ${seed}`);
  await page.close();
});

// Numbers as typed: read and shown by the page exactly as by the command
// (its own number reading and printing stand in for the library's there).
test('the frame calculation reads and shows numbers as the command does', async () => {
  const page = await openPage();
  const texts = ['2.5', '1e-400', '4.9e-324', '1e-310', '2.2250738585072011e-308', '1e400',
    '1.7976931348623157e308', '1.7976931348623159e308', '0x10', '1.', '.5', '1e', '1e+', '+.5', '+-1',
    '00012', ' 1', '1 ', 'inf', 'nan', 'infinity', '1e+5', '1,5', '0', '0e-999', '7e-7', '1E3',
    '3.14159265358979323846264338327950288419716939937510', `0.${'0'.repeat(300)}1e305`,
    '123456789012345678901234567890'];
  for (const text of texts) {
    const page_ = await page.evaluate((t) => {
      const status = core.ccall('tm_frame', 'number', Array(8).fill('string'), [t, '5', '4', '3', '20', '50', '15', 'en']);
      return { status, output: core.UTF8ToString(core._tm_output()), message: core.UTF8ToString(core._tm_message()) };
    }, text);
    const run = spawnSync(command, ['--lang', 'en', '--frame-size', text, '5', '--frame-grid', '4', '3',
      '--print-frame']);
    const [stdout, stderr] = [String(run.stdout), String(run.stderr)];
    if (page_.status === 0) {
      assert.equal(run.status, 0, text);
      assert.deepEqual(stdout.trim().split('\n').map((l) => l.split(' ')[1]), page_.output.trim().split('\n'), text);
    } else if (page_.status === 5) {
      assert.ok(stderr.includes(`"${text}" is not a number`), `${text}: ${stderr}`);
    } else {
      assert.equal(stderr, `${page_.message}\n`, text);
    }
  }
  await page.close();
});

test('redrawing the picture for 1,000 characters takes under 50 ms', async () => {
  const page = await openPage();
  const row = sample.replace(/\n/g, ' ').slice(0, 40);
  const text = Array(25).fill(row).join('\n');
  assert.equal(text.replace(/\n/g, '').length, 1000);
  await page.$eval('#text', (e, t) => {
    e.value = t;
    e.dispatchEvent(new Event('input', { bubbles: true }));
  }, text);
  await page.waitForFunction(() => document.querySelector('#stop').textContent === '');
  const { redraw, core } = await page.evaluate(() => {
    window.tracemillBenchmark(3);  // warm up
    return window.tracemillBenchmark(20);
  });
  console.log(`redraw of 1,000 characters: ${redraw.toFixed(1)} ms, of which the core ${core.toFixed(1)} ms` +
    ' (means of 20, pixels included)');
  assert.ok(redraw < 50, `${redraw} ms`);
  if (process.env.TRACEMILL_SCREENSHOT) {
    await page.$eval('#text', (e) => {
      e.value = 'Tracemill 2026\nOVER (a+b)*[c/d] \\5';
      e.dispatchEvent(new Event('input', { bubbles: true }));
    });
    await new Promise((r) => setTimeout(r, 300));
    await page.screenshot({ path: process.env.TRACEMILL_SCREENSHOT, fullPage: true });
  }
  await page.close();
});

test('keyboard, labels, language and a phone-sized screen', async () => {
  const page = await openPage({ languages: ['ja-JP', 'en'], viewport: { width: 375, height: 740 } });
  // Japanese texts for a Japanese browser.
  assert.equal(await page.$eval('label[for="charWidth"]', (e) => e.textContent), '文字幅(W)');
  // Every field has its label.
  assert.deepEqual(await page.$$eval('input, select, textarea',
    (els) => els.filter((e) => e.labels.length === 0).map((e) => e.id)), []);
  // Tab walks the fields in the dialog's order.
  await page.focus('#name');
  const order = ['name'];
  for (let i = 0; i < 22; ++i) {
    await page.keyboard.press('Tab');
    order.push(await page.evaluate(() => document.activeElement.id));
  }
  assert.deepEqual(order, ['name', 'charWidth', 'charHeight', 'lineWidth', 'charSpacing', 'lineSpacing',
    'text', 'download-dxf', 'download-svg', 'download-gcode', 'frameWidth', 'frameHeight', 'frameCharsPerRow',
    'frameRows', 'frameLineWidthPercent', 'frameCharSpacingPercent', 'frameLineSpacingPercent', 'calculate',
    'polylines', 'units', 'gcodeMachine', 'gcodePath', 'gcodeFrame']);
  // Typed by keyboard alone: a text, then the lengths from the frame.
  await page.focus('#text');
  await page.keyboard.type('1/2');
  await page.focus('#frameCharsPerRow');
  await page.keyboard.press('Backspace');
  await page.keyboard.type('-3');  // digits only: the sign is dropped
  await page.focus('#calculate');
  await page.keyboard.press('Enter');
  assert.equal(await page.$eval('#frameCharsPerRow', (e) => e.value), '3');
  const shown = spawnSync(command, ['--frame-grid', '3', '1', '--print-frame']).stdout.toString();
  const lengths = await page.$$eval('fieldset.lengths input', (els) => els.map((e) => e.value));
  assert.equal(shown, ['char-width', 'char-height', 'line-width', 'char-spacing', 'line-spacing']
    .map((o, k) => `--${o} ${lengths[k]}\n`).join(''));
  await page.waitForFunction(() => document.querySelector('#picture').dataset.redrawMs !== undefined);
  assert.ok(await outlinePixels(page) > 50);
  // The stop reason in Japanese, as the command gives it in Japanese.
  await page.focus('#text');
  await page.keyboard.type('あ');
  await page.waitForFunction(() => document.querySelector('#stop').textContent !== '');
  const stop = await page.$eval('#stop', (e) => e.textContent);
  const run = spawnSync(command, ['--lang', 'ja', '--frame-grid', '3', '1', '-o', path.join(work, 'ja.dxf'),
    '--force', '--', '1/2あ']);
  assert.ok(String(run.stderr).startsWith(`${stop}\n\u3000`), `${stop} / ${run.stderr}`);
  // Nothing wider than the phone's screen.
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth));
  if (process.env.TRACEMILL_SCREENSHOT) {
    await page.screenshot({ path: process.env.TRACEMILL_SCREENSHOT.replace(/\.png$/, '-phone.png'), fullPage: true });
  }
  await page.close();
});

test('every request the pages made went to the loopback server, without errors', () => {
  assert.deepEqual(errors, []);
  assert.ok(requests.length >= 4);
  assert.deepEqual(requests.filter((u) => !u.startsWith(`${origin}/`) && !u.startsWith('blob:')), []);
});
