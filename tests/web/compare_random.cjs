// Random texts and lengths drawn by the browser build (run here under Node)
// and by the command, file for file: counts the DXF and SVG files that
// differ. Not part of the test command: the two builds' C libraries round
// the last bit of sin, cos and the like differently now and then, and this
// measures how often that reaches a file.
//   node --no-experimental-fetch tests/web/compare_random.cjs [cases] [seed]
// (TRACEMILL and TRACEMILL_SITE as for page.test.mjs)
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const root = path.resolve(__dirname, '../..');
const command = process.env.TRACEMILL || path.join(root, 'build/tracemill');
const site = process.env.TRACEMILL_SITE || path.join(root, 'build-web/site');
const cases = Number(process.argv[2] || 200);
let seed = Number(process.argv[3] || 12345) >>> 0;
const random = () => {  // xorshift32
  seed ^= seed << 13; seed >>>= 0; seed ^= seed >>> 17; seed ^= seed << 5; seed >>>= 0;
  return seed / 4294967296;
};
// A decimal of 1 to 15 significant digits, as a person might type it.
const typed = (v) => String(Number(v.toPrecision(1 + Math.floor(random() * 15))));

require(path.join(site, 'tracemill.js'))().then((core) => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tracemill-compare-'));
  const counts = { dxf: 0, svg: 0, differ: { dxf: 0, svg: 0 } };
  for (let i = 0; i < cases; ++i) {
    let text = '';
    for (let k = 5 + Math.floor(random() * 40); k > 0; --k) {
      text += random() < 0.08 ? '\n' : String.fromCharCode(33 + Math.floor(random() * 94));
    }
    const scale = 10 ** (Math.floor(random() * 8) - 3);
    const w = scale * (1 + random() * 4), h = w * (1 + random() * 2);
    const lengths = [typed(w), typed(h), typed(Math.min(w, h) * (0.01 + random() * 0.3)),
      typed(w * random()), typed(h * random())];
    const polylines = random() < 0.3;
    const dxf = path.join(dir, 'c.dxf'), svg = path.join(dir, 'c.svg');
    const options = ['--char-width', '--char-height', '--line-width', '--char-spacing', '--line-spacing']
      .flatMap((o, k) => [o, lengths[k]]);
    const run = spawnSync(command, ['--force', '-o', dxf, '--svg', svg, ...options,
      ...(polylines ? ['--polylines'] : []), '--', text]);
    for (const [format, what, file] of [['dxf', 1, dxf], ['svg', 2, svg]]) {
      const status = core.ccall('tm_draw', 'number',
        ['number', 'string', 'string', 'string', 'string', 'string', 'string', 'number', 'number', 'string'],
        [what, text, ...lengths, polylines ? 1 : 0, 0, 'en']);
      if (run.status > 1 || status > 1) {
        if (!(run.status > 1 && status > 1)) console.log('status differs:', JSON.stringify(text), lengths);
        continue;
      }
      const ours = Buffer.from(core.HEAPU8.subarray(core._tm_output(), core._tm_output() + core._tm_output_size()));
      ++counts[format];
      if (!ours.equals(fs.readFileSync(file))) {
        ++counts.differ[format];
        console.log(`${format} differs:`, JSON.stringify(text), lengths.join(' '), polylines ? '--polylines' : '');
      }
    }
  }
  fs.rmSync(dir, { recursive: true, force: true });
  console.log(`${cases} cases: ${counts.differ.dxf} of ${counts.dxf} DXF files and ` +
    `${counts.differ.svg} of ${counts.svg} SVG files differ from the command's`);
});
