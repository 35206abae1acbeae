// Random texts and lengths drawn by the browser build and by the command,
// file for file. The browser test (page.test.mjs) draws a sample of them in
// the page; run alone, this draws many more with the module under Node and
// counts the DXF and SVG files that differ (0 expected: the core's sines,
// cosines and the like are correctly rounded, so both builds print the same
// bits).
//   node --no-experimental-fetch tests/web/compare_random.cjs [cases] [seed]
// (TRACEMILL and TRACEMILL_SITE as for page.test.mjs)
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

// Cases from a seeded generator (xorshift32): each a text of 5 to 44 printable
// characters and line breaks, the five lengths as typed (1 to 15 significant
// digits, cells from 1e-3 to 1e4), and sometimes closed contours.
function randomCases(count, seed) {
  let s = seed >>> 0 || 1;
  const random = () => {
    s ^= s << 13; s >>>= 0; s ^= s >>> 17; s ^= s << 5; s >>>= 0;
    return s / 4294967296;
  };
  const typed = (v) => String(Number(v.toPrecision(1 + Math.floor(random() * 15))));
  const cases = [];
  for (let i = 0; i < count; ++i) {
    let text = '';
    for (let k = 5 + Math.floor(random() * 40); k > 0; --k) {
      text += random() < 0.08 ? '\n' : String.fromCharCode(33 + Math.floor(random() * 94));
    }
    const scale = 10 ** (Math.floor(random() * 8) - 3);
    const w = scale * (1 + random() * 4), h = w * (1 + random() * 2);
    const lengths = [typed(w), typed(h), typed(Math.min(w, h) * (0.01 + random() * 0.3)),
      typed(w * random()), typed(h * random())];
    cases.push({ text, lengths, polylines: random() < 0.3 });
  }
  return cases;
}

// The command's DXF and SVG files for a case (null where it wrote none),
// written into dir, and its exit status.
function commandFiles(command, dir, c) {
  const dxf = path.join(dir, 'c.dxf'), svg = path.join(dir, 'c.svg');
  const options = ['--char-width', '--char-height', '--line-width', '--char-spacing', '--line-spacing']
    .flatMap((o, k) => [o, c.lengths[k]]);
  fs.rmSync(dxf, { force: true });
  fs.rmSync(svg, { force: true });
  const run = spawnSync(command, ['--force', '-o', dxf, '--svg', svg, ...options,
    ...(c.polylines ? ['--polylines'] : []), '--', c.text]);
  const read = (f) => (run.status <= 1 && fs.existsSync(f) ? fs.readFileSync(f) : null);
  return { status: run.status, dxf: read(dxf), svg: read(svg) };
}

module.exports = { randomCases, commandFiles };

if (require.main === module) {
  const root = path.resolve(__dirname, '../..');
  const command = process.env.TRACEMILL || path.join(root, 'build/tracemill');
  const site = process.env.TRACEMILL_SITE || path.join(root, 'build-web/site');
  const count = Number(process.argv[2] || 200);
  const seed = Number(process.argv[3] || 12345);
  require(path.join(site, 'tracemill.js'))().then((core) => {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tracemill-compare-'));
    const counts = { dxf: 0, svg: 0, differ: { dxf: 0, svg: 0 } };
    for (const c of randomCases(count, seed)) {
      const theirs = commandFiles(command, dir, c);
      for (const [format, what] of [['dxf', 1], ['svg', 2]]) {
        const status = core.ccall('tm_draw', 'number',
          ['number', ...Array(6).fill('string'), ...Array(5).fill('number'), 'string'],
          [what, c.text, ...c.lengths, c.polylines ? 1 : 0, 0, 0, 0, 0, 'en']);
        if (theirs.status > 1 || status > 1) {
          if (!(theirs.status > 1 && status > 1)) console.log('status differs:', JSON.stringify(c.text), c.lengths);
          continue;
        }
        const ours = Buffer.from(core.HEAPU8.subarray(core._tm_output(), core._tm_output() + core._tm_output_size()));
        ++counts[format];
        if (!theirs[format] || !ours.equals(theirs[format])) {
          ++counts.differ[format];
          console.log(`${format} differs:`, JSON.stringify(c.text), c.lengths.join(' '), c.polylines ? '--polylines' : '');
        }
      }
    }
    fs.rmSync(dir, { recursive: true, force: true });
    console.log(`${count} cases: ${counts.differ.dxf} of ${counts.dxf} DXF files and ` +
      `${counts.differ.svg} of ${counts.svg} SVG files differ from the command's`);
  });
}
