// The page: the fields, a live picture of the drawing, and downloads of the
// files the command writes for the same values. All drawing is done by the
// core compiled to WebAssembly (tracemill.js / tracemill.wasm); nothing leaves
// the page.
'use strict';

// The page's texts. The core's own messages (why a character stops the run,
// why values cannot be drawn) come from the core.
const TEXTS = {
  en: {
    intro: 'Type a text: its outline drawing appears below, and the buttons save the DXF ' +
      'drawing, its SVG picture and a G-code program, the same files the tracemill command writes.',
    name: 'File name', lengths: 'Lengths (drawing units)',
    charWidth: 'Character width', charHeight: 'Character height', lineWidth: 'Stroke width',
    charSpacing: 'Character spacing', lineSpacing: 'Line spacing', text: 'Text',
    downloadDxf: 'Download DXF', downloadSvg: 'Download SVG', downloadGcode: 'Download G-code',
    frame: 'Frame calculation', frameWidth: 'Frame width', frameHeight: 'Frame height',
    frameCharsPerRow: 'Characters per row', frameRows: 'Rows',
    frameLineWidthPercent: 'Stroke %', frameCharSpacingPercent: 'Character spacing %',
    frameLineSpacingPercent: 'Line spacing %', calculate: 'Calculate lengths',
    output: 'File', polylines: 'Closed contours', units: 'Units', unitsNone: 'none',
    gcodeMachine: 'G-code for', machineMill: 'a mill or engraver', machineLaser: 'a laser',
    machinePen: 'a pen plotter', gcodePath: 'G-code path', pathSkeleton: 'pen paths', pathOutline: 'outline',
    gcodeFrame: 'Cut the frame too',
    help: 'Help', pictureLabel: 'Picture of the drawing',
    notNumber: (field, text) => `${field}: "${text}" is not a number.`,
    notCount: (field, text) => `${field}: "${text}" is not a whole number from 0 to 2147483647.`,
    saved: (file) => `Saved ${file}.`,
    loading: 'Loading…', noEngine: 'The drawing engine could not be loaded.',
    helpText: [
      'Each character is drawn as the path of a round pen\'s centre (cyan, colour 4) and the ' +
      'outline of the area the pen sweeps (magenta, colour 6), framed and centred on the origin.',
      'Character width and height are the size of one cell; the stroke width is the pen\'s ' +
      'diameter; the spacings are the gaps between cells and between rows. Numbers are written ' +
      'with a point, as in 2.1.',
      'Frame calculation fills in the five lengths for a frame of the given size holding the ' +
      'given number of rows and characters per row.',
      'Closed contours writes each outline as closed polylines (for cutting and filling); Units ' +
      'records millimetres or inches in the file.',
      'Download G-code writes a machine program: the pen paths (engraving, plotting) or the ' +
      'outline, in a short order, with the command\'s default feed, depth and power; its ' +
      'numbers are millimetres unless Units is inch.',
      'When a character cannot be drawn, the reason appears under the picture; the file then ' +
      'holds everything before it.'],
  },
  ja: {
    intro: '文字を入力すると、その図形が下に表示されます。ボタンで DXF ファイル、SVG の図と' +
      'Gコード を保存できます（tracemill コマンドと同じファイルです）。',
    name: 'ファイル名(F)', lengths: '寸法',
    charWidth: '文字幅(W)', charHeight: '文字高(E)', lineWidth: '線幅(L)',
    charSpacing: '文字間隔(I)', lineSpacing: '行間隔(S)', text: '文字(T)',
    downloadDxf: 'DXF を保存', downloadSvg: 'SVG を保存', downloadGcode: 'Gコード を保存',
    frame: '枠計算', frameWidth: '枠幅(B)', frameHeight: '枠高(A)',
    frameCharsPerRow: '枠行文字数(N)', frameRows: '枠行数(V)',
    frameLineWidthPercent: '枠線幅％(D)', frameCharSpacingPercent: '枠文字間隔％(G)',
    frameLineSpacingPercent: '枠行間隔％(O)', calculate: '枠計算(C)',
    output: 'ファイル', polylines: '閉じた輪郭(P)', units: '単位(U)', unitsNone: 'なし',
    gcodeMachine: 'Gコード(K)', machineMill: 'ミル', machineLaser: 'レーザー', machinePen: 'ペン',
    gcodePath: '経路(R)', pathSkeleton: '中心線', pathOutline: '輪郭', gcodeFrame: '枠も切る(X)',
    help: 'ヘルプ(H)', pictureLabel: '図形',
    notNumber: (field, text) => `${field}: "${text}" は数値ではありません。`,
    notCount: (field, text) => `${field}: "${text}" は 0 から 2147483647 までの整数ではありません。`,
    saved: (file) => `${file} を保存しました。`,
    loading: '読み込み中…', noEngine: '描画の部品を読み込めませんでした。',
    helpText: [
      '文字ごとに、ペンの中心が通る線（色 4、水色）と、線幅のペンがなぞった範囲の輪郭' +
      '（色 6、赤紫）を描きます。文字の並び全体は枠で囲まれ、原点を中心に置かれます。',
      '文字幅・文字高は 1 文字の枠の大きさ、線幅はペンの太さ（直径）、文字間隔・行間隔は' +
      '文字の間と行の間の隙間です。数値は 2.1 のように小数点で書きます。',
      '枠計算は、枠幅 × 枠高 の枠に 枠行数 の行を 1 行 枠行文字数 の文字で並べるように、' +
      '五つの寸法を求めます。',
      '閉じた輪郭は、輪郭を閉じたポリラインで書き出します（切り抜きや塗りつぶし用）。' +
      '単位は mm か inch をファイルに書き込みます。',
      'Gコード を保存 は、中心線（彫刻・ペン描き）か輪郭を、移動の短い順に加工する' +
      'プログラムを書き出します。送り・深さ・出力はコマンドの既定値です。単位が inch でなければ mm です。',
      '描けない文字があるときは、その理由が図の下に出ます。ファイルにはその前までが入ります。'],
  },
};

// The browser's first language that the page has texts for.
function pageLanguage() {
  const wanted = navigator.languages && navigator.languages.length ? navigator.languages
    : [navigator.language || 'en'];
  for (const tag of wanted) {
    const base = String(tag).toLowerCase().split('-')[0];
    if (base in TEXTS) return base;
  }
  return 'en';
}

const lang = pageLanguage();
const T = TEXTS[lang];

// What the core's calls answer (see src/web/bridge.cpp).
const Status = { AllDrawn: 0, Stopped: 1, Invalid: 2, NotJoined: 3, Empty: 4, BadField: 5 };
const LENGTHS = ['charWidth', 'charHeight', 'lineWidth', 'charSpacing', 'lineSpacing'];
const FRAME = ['frameWidth', 'frameHeight', 'frameCharsPerRow', 'frameRows',
  'frameCharSpacingPercent', 'frameLineSpacingPercent', 'frameLineWidthPercent'];
// The files the page saves: what the core is asked for, the name's suffix and
// the type.
const FORMATS = {
  dxf: { what: 1, suffix: '.dxf', type: 'application/dxf' },
  svg: { what: 2, suffix: '.svg', type: 'image/svg+xml' },
  gcode: { what: 3, suffix: '.nc', type: 'text/plain' },
};

const $ = (id) => document.getElementById(id);
let core = null;

// A message of the core ends in a line break and an ideographic space that
// indent the text after it; shown alone, they are dropped.
const trimmed = (m) => m.replace(/[\n\u3000]+$/u, '');
const fieldName = (id) => T[id].replace(/\(.\)$/u, '');

function applyTexts() {
  document.documentElement.lang = lang;
  for (const el of document.querySelectorAll('[data-text]')) {
    const v = T[el.dataset.text];
    if (Array.isArray(v)) {
      el.replaceChildren(...v.map((p) => Object.assign(document.createElement('p'), { textContent: p })));
    } else {
      el.textContent = v;
    }
  }
  for (const el of document.querySelectorAll('[data-text-label]')) {
    el.setAttribute('aria-label', T[el.dataset.textLabel]);
  }
}

// Calls the core's tm_draw with the fields as they are.
function draw(what) {
  return core.ccall('tm_draw', 'number',
    ['number', 'string', 'string', 'string', 'string', 'string', 'string', 'number', 'number',
      'number', 'number', 'number', 'string'],
    [what, $('text').value, ...LENGTHS.map((id) => $(id).value),
      $('polylines').checked ? 1 : 0, Number($('units').value),
      Number($('gcodePath').value), Number($('gcodeMachine').value), $('gcodeFrame').checked ? 1 : 0, lang]);
}

function badFieldMessage() {
  const id = LENGTHS[core._tm_field()];
  return T.notNumber(fieldName(id), $(id).value);
}

// The picture: the entities of the drawing, zoomed to fit, y up; the frame
// dashed, the skeleton cyan, the outline magenta, as the dialog shows them.
const COLOURS = { frame: '#009696', 4: '#00ffff', 6: '#ff00ff' };
const STRIDE = 7;

function paint(data) {
  const canvas = $('canvas');
  const ratio = window.devicePixelRatio || 1;
  const width = Math.max(1, Math.round(canvas.clientWidth * ratio));
  const height = Math.max(1, Math.round(canvas.clientHeight * ratio));
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  const ctx = canvas.getContext('2d');
  ctx.fillStyle = '#101418';
  ctx.fillRect(0, 0, width, height);
  if (!data || data.length < 2 + 4 * STRIDE) return;
  const x0 = data[0], y0 = data[1];
  const margin = 8 * ratio;
  const s = Math.min((width - 2 * margin) / (-2 * x0), (height - 2 * margin) / (2 * y0));
  if (!(s > 0) || !Number.isFinite(s)) return;
  const ox = width / 2, oy = height / 2;  // the origin is the block's centre
  const paths = { frame: new Path2D(), 4: new Path2D(), 6: new Path2D() };
  const n = (data.length - 2) / STRIDE;
  for (let i = 0; i < n; ++i) {
    const k = 2 + i * STRIDE;
    const path = i < 4 ? paths.frame : paths[data[k + 1]];
    const a = ox + s * data[k + 2], b = oy - s * data[k + 3];
    switch (data[k]) {
      case 0:
        path.moveTo(a, b);
        path.lineTo(ox + s * data[k + 4], oy - s * data[k + 5]);
        break;
      case 1: {
        // Anticlockwise in the drawing is clockwise on the screen (y down).
        const r = s * data[k + 4];
        const start = -data[k + 5] * Math.PI / 180, end = -data[k + 6] * Math.PI / 180;
        path.moveTo(a + r * Math.cos(start), b + r * Math.sin(start));
        path.arc(a, b, r, start, end, true);
        break;
      }
      default: {
        const r = s * data[k + 4];
        path.moveTo(a + r, b);
        path.arc(a, b, r, 0, 2 * Math.PI);
      }
    }
  }
  ctx.lineWidth = ratio;
  ctx.setLineDash([4 * ratio, 3 * ratio]);
  ctx.strokeStyle = COLOURS.frame;
  ctx.stroke(paths.frame);
  ctx.setLineDash([]);
  ctx.strokeStyle = COLOURS[4];
  ctx.stroke(paths[4]);
  ctx.strokeStyle = COLOURS[6];
  ctx.stroke(paths[6]);
}

// Redraws the picture from the fields; returns the milliseconds it took.
function redraw() {
  const started = performance.now();
  const status = draw(0);
  let note = '';
  let data = null;
  if (status === Status.BadField) {
    note = badFieldMessage();
  } else if (status !== Status.Empty) {
    note = trimmed(core.UTF8ToString(core._tm_message()));
    if (status === Status.AllDrawn || status === Status.Stopped) {
      data = new Float64Array(core.HEAPF64.buffer, core._tm_picture(), core._tm_picture_size());
    }
  }
  paint(data);
  $('stop').textContent = note;
  const ms = performance.now() - started;
  $('picture').dataset.redrawMs = ms.toFixed(2);
  return ms;
}

let pending = false;
function scheduleRedraw() {
  if (pending || !core) return;
  pending = true;
  requestAnimationFrame(() => {
    pending = false;
    redraw();
  });
}

function download(format) {
  const f = FORMATS[format];
  const status = draw(f.what);
  const message = trimmed(core.UTF8ToString(core._tm_message()));
  if (status === Status.BadField) {
    $('result').textContent = badFieldMessage();
    return;
  }
  if (status !== Status.AllDrawn && status !== Status.Stopped) {
    $('result').textContent = message;
    return;
  }
  const bytes = core.HEAPU8.slice(core._tm_output(), core._tm_output() + core._tm_output_size());
  const file = ($('name').value.trim() || 'tracemill') + f.suffix;
  const url = URL.createObjectURL(new Blob([bytes], { type: f.type }));
  const link = Object.assign(document.createElement('a'), { href: url, download: file });
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
  $('result').textContent = (status === Status.Stopped ? message + '\n' : '') + T.saved(file);
}

function calculateFrame() {
  const status = core.ccall('tm_frame', 'number', Array(8).fill('string'),
    [...FRAME.map((id) => $(id).value), lang]);
  if (status === Status.BadField) {
    const k = core._tm_field();
    const id = FRAME[k];
    $('result').textContent = (k < 2 ? T.notNumber : T.notCount)(fieldName(id), $(id).value);
    $(id).focus();
    $(id).select();
    return;
  }
  if (status !== Status.AllDrawn) {
    $('result').textContent = trimmed(core.UTF8ToString(core._tm_message()));
    return;
  }
  // The lengths as shown are the lengths used, as in the command.
  const shown = core.UTF8ToString(core._tm_output()).trim().split('\n');
  LENGTHS.forEach((id, k) => { $(id).value = shown[k]; });
  $('result').textContent = '';
  scheduleRedraw();
}

function wire() {
  const form = $('form');
  form.addEventListener('input', scheduleRedraw);
  form.addEventListener('change', scheduleRedraw);
  // Return in a one-line field saves the drawing, as 作成 does in the dialog.
  form.addEventListener('submit', (e) => {
    e.preventDefault();
    download('dxf');
  });
  $('download-svg').addEventListener('click', () => download('svg'));
  $('download-gcode').addEventListener('click', () => download('gcode'));
  $('calculate').addEventListener('click', calculateFrame);
  // The counts take digits only.
  for (const el of document.querySelectorAll('input.count')) {
    el.addEventListener('input', () => {
      const digits = el.value.replace(/[^0-9]/g, '');
      if (digits !== el.value) el.value = digits;
    });
  }
  new ResizeObserver(scheduleRedraw).observe($('canvas'));
}

// The benchmark the tests read: the mean milliseconds of `times` redraws of
// the current text, each also waiting until its pixels are there, and of the
// core's part of them alone.
window.tracemillBenchmark = (times) => {
  let redrawn = 0, drawn = 0;
  const ctx = $('canvas').getContext('2d');
  for (let i = 0; i < times; ++i) {
    let started = performance.now();
    redraw();
    ctx.getImageData(0, 0, 1, 1);
    redrawn += performance.now() - started;
    started = performance.now();
    draw(0);
    drawn += performance.now() - started;
  }
  return { redraw: redrawn / times, core: drawn / times };
};

applyTexts();
$('stop').textContent = T.loading;
wire();
createTracemill().then((module) => {
  core = module;
  document.body.dataset.ready = 'true';
  redraw();
}, () => {
  $('stop').textContent = T.noEngine;
});
