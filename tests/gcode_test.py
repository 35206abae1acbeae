"""Machine programs read by a real interpreter: LinuxCNC's standalone rs274
(Debian's linuxcnc-uspace) runs every program the table below writes. Its
canonical moves are replayed and compared with the contours of the closed
-polyline DXF written in the same run; the program text is held to the rules
of the strictest small controllers, which rs274 does not enforce."""

import math
import os
import re
import shutil
import subprocess
import tempfile
import unittest
from fractions import Fraction

TRACEMILL = os.environ.get("TRACEMILL", os.path.join(os.path.dirname(__file__), "..", "build", "tracemill"))
RS274 = shutil.which("rs274")

# name, options, rows, expected exit status
CASES = [
    ("mill skeleton", [], ["AKMNVWXYZ 0123456789", "bdpqg aes ijltf @&$%#"], 0),
    ("mill outline with frame", ["--gcode-path", "outline", "--gcode-frame"], ["O8 Bg", "e@Q"], 0),
    ("text order", ["--gcode-order", "text", "--gcode-frame"], ["HELLO", "co 42"], 0),
    ("inches", ["--units", "in", "--char-width", "0.1", "--char-height", "0.2", "--line-width", "0.015",
                "--char-spacing", "0.02", "--line-spacing", "0.03", "--gcode-depth", "0.01"], ["S&Q?", "gjy"], 0),
    ("laser", ["--gcode-machine", "laser", "--gcode-passes", "2", "--gcode-air", "--gcode-power", "35"],
     ["LASER 3", "(c)"], 0),
    ("pen", ["--gcode-machine", "pen", "--gcode-pen-down", "M3 S40", "--gcode-pen-up", "M5"],
     ["PLOT", "~{}"], 0),
    ("comment breakers", [], ["(;%)*\\<>", "\"'`|^"], 0),
    ("stops at a character", [], ["AB\u00e9CD", "EF"], 1),
    ("large cell", ["--char-width", "3000", "--char-height", "7000", "--line-width", "400",
                    "--char-spacing", "100", "--line-spacing", "100"], ["OS"], 0),
]

# Each is refused with exit status 2 and writes nothing (NC: the program's
# path), with its message in English.
NOT_WRITTEN = "\nNo file was written.\n"
PARSER = "\nRun with --help for more information.\n"
AT_MOST = " is too large (at most {})." + NOT_WRITTEN
ONE_COMMAND = (" command must be one line of at most 40 characters of M, S and P words (one M at most)." +
               NOT_WRITTEN)
BAD_VALUES = [
    (["--gcode-feed", "0"], "The G-code feed must be greater than zero." + NOT_WRITTEN),
    (["--gcode-feed", "abc"], '--gcode-feed: "abc" is not a number.\n'),
    (["--gcode-feed", "nan"], '--gcode-feed: "nan" is not a number.\n'),
    (["--gcode-feed", "1000000.1"], "The G-code feed" + AT_MOST.format(1000000)),
    (["--gcode-plunge-feed", "-2"], "The G-code plunge feed must be greater than zero." + NOT_WRITTEN),
    (["--gcode-depth", "-1"], "The G-code depth must be greater than zero." + NOT_WRITTEN),
    (["--gcode-depth", "10000.5"], "The G-code depth" + AT_MOST.format(10000)),
    (["--gcode-safe-z", "1e9"], "The G-code safe height" + AT_MOST.format(10000)),
    (["--gcode-spindle", "0"], "The G-code spindle speed must be greater than zero." + NOT_WRITTEN),
    (["--gcode-machine", "laser", "--gcode-power", "150"], "The G-code laser power" + AT_MOST.format(100)),
    (["--gcode-machine", "laser", "--gcode-passes", "0"], "The G-code passes must be 1 to 100." + NOT_WRITTEN),
    (["--gcode-machine", "laser", "--gcode-passes", "101"], "The G-code passes must be 1 to 100." + NOT_WRITTEN),
    (["--gcode-machine", "laser", "--gcode-passes", "2.5"], '--gcode-passes: "2.5" is not a whole number from 1 to 100.\n'),
    (["--gcode-machine", "laser", "--gcode-power-max", "-5"],
     "The G-code laser power maximum must be greater than zero." + NOT_WRITTEN),
    (["--gcode-machine", "pen", "--gcode-pen-down", "G1 X5"], "The G-code pen-down" + ONE_COMMAND),
    (["--gcode-machine", "pen", "--gcode-pen-up", "M3 M5"], "The G-code pen-up" + ONE_COMMAND),
    (["--gcode-machine", "pen", "--gcode-pen-dwell", "-1"], "The G-code pen dwell must not be negative." + NOT_WRITTEN),
    (["--gcode-machine", "pen", "--gcode-pen-dwell", "60.0001"], "The G-code pen dwell" + AT_MOST.format(60)),
    (["--gcode-machine", "laser", "--gcode-depth", "1"], "--gcode-depth is only for --gcode-machine mill.\n"),
    (["--gcode-air"], "--gcode-air is only for --gcode-machine laser.\n"),
    (["--gcode-path", "both"], "--gcode-path: both not in {skeleton,outline}" + PARSER),
    (["--gcode-machine", "plasma"], "--gcode-machine: plasma not in {mill,laser,pen}" + PARSER),
    (["--gcode-order", "random"], "--gcode-order: random not in {shortest,text}" + PARSER),
    (["--char-width", "3e6", "--char-height", "1e6", "--line-width", "1"],
     "The text block is too large for G-code (coordinates up to 1000000)." + NOT_WRITTEN),
]
# The largest and smallest values each range takes.
LIMIT_VALUES = [
    ["--gcode-feed", "1e6"], ["--gcode-plunge-feed", "1e6"], ["--gcode-depth", "1e4"], ["--gcode-safe-z", "1e4"],
    ["--gcode-spindle", "1e6"], ["--gcode-machine", "laser", "--gcode-power", "100", "--gcode-passes", "100",
                                "--gcode-power-max", "1e6"],
    ["--gcode-machine", "pen", "--gcode-pen-dwell", "0"], ["--gcode-machine", "pen", "--gcode-pen-dwell", "60"],
]

def read(path):
    with open(path, "rb") as f:
        return f.read()


def run(*args):
    # The report is read in Japanese, whatever the locale.
    return subprocess.run([TRACEMILL, "--lang", "ja", *args], capture_output=True)


def canonical(path):
    """rs274's canonical calls: (name, [numbers]) in order, and what it said
    on standard error besides its greeting."""
    r = subprocess.run([RS274, "-g", path], capture_output=True, text=True, stdin=subprocess.DEVNULL)
    calls = []
    for line in r.stdout.splitlines():
        m = re.match(r"\s*\d+ N\.+ +([A-Z_]+)\((.*)\)$", line)
        if m:
            numbers = [float(v) for v in re.findall(r"-?\d+\.\d+|-?\d+", m.group(2))]
            calls.append((m.group(1), numbers))
    errors = [l for l in r.stderr.splitlines() if l.strip() and l.strip() != "executing"]
    return calls, errors + ([f"exit status {r.returncode}"] if r.returncode else [])


# Pieces are ("L", a, b) or ("A", a, b, centre, radius, ccw).
def piece_points(p, n):
    if p[0] == "L":
        (ax, ay), (bx, by) = p[1], p[2]
        return [(ax + (bx - ax) * k / n, ay + (by - ay) * k / n) for k in range(n + 1)]
    _, a, b, c, r, ccw = p
    t0 = math.atan2(a[1] - c[1], a[0] - c[0])
    sweep = (math.atan2(b[1] - c[1], b[0] - c[0]) - t0) % (2 * math.pi)
    if not ccw:
        sweep -= 2 * math.pi
    if abs(sweep) < 1e-12 or math.dist(a, b) < 1e-9:
        sweep = 0.0
    return [(c[0] + r * math.cos(t0 + sweep * k / n), c[1] + r * math.sin(t0 + sweep * k / n))
            for k in range(n + 1)]


def piece_length(p):
    pts = piece_points(p, 64)
    return sum(math.dist(pts[k], pts[k + 1]) for k in range(64))


class Index:
    """Distance from a point to the nearest of many pieces, bucketed."""

    def __init__(self, pieces, cell):
        self.cell, self.buckets = cell, {}
        for p in pieces:
            pts = piece_points(p, 16)
            xs, ys = [q[0] for q in pts], [q[1] for q in pts]
            for i in range(int(min(xs) // cell) - 1, int(max(xs) // cell) + 2):
                for j in range(int(min(ys) // cell) - 1, int(max(ys) // cell) + 2):
                    self.buckets.setdefault((i, j), []).append(p)

    def distance(self, q):
        best = math.inf
        for p in self.buckets.get((int(q[0] // self.cell), int(q[1] // self.cell)), []):
            best = min(best, distance_to(p, q))
        return best


def distance_to(p, q):
    if p[0] == "L":
        (ax, ay), (bx, by) = p[1], p[2]
        dx, dy = bx - ax, by - ay
        t = 0.0 if dx == dy == 0 else max(0.0, min(1.0, ((q[0] - ax) * dx + (q[1] - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(q[0] - ax - t * dx, q[1] - ay - t * dy)
    pts = piece_points(p, 8)
    _, a, b, c, r, ccw = p
    ang = math.atan2(q[1] - c[1], q[0] - c[0])
    t0 = math.atan2(a[1] - c[1], a[0] - c[0])
    total = piece_points_sweep(p)
    ahead = ((ang - t0) if ccw else (t0 - ang)) % (2 * math.pi)
    if ahead <= abs(total):
        return abs(math.hypot(q[0] - c[0], q[1] - c[1]) - r)
    return min(math.dist(q, pts[0]), math.dist(q, pts[-1]))


def piece_points_sweep(p):
    _, a, b, c, r, ccw = p
    s = (math.atan2(b[1] - c[1], b[0] - c[0]) - math.atan2(a[1] - c[1], a[0] - c[0])) % (2 * math.pi)
    return s if ccw else s - 2 * math.pi


def reference_paths(dxf, colour, frame):
    """The contours of one colour in a --polylines DXF (and the frame), each
    as (pieces, closed, points where a run may start)."""
    import ezdxf
    from ezdxf.math import bulge_to_arc
    msp = list(ezdxf.readfile(dxf).modelspace())
    paths = []
    if frame:
        lines = [e for e in msp if e.dxftype() == "LINE"][:4]
        corners = [(e.dxf.start.x, e.dxf.start.y) for e in lines]
        paths.append(([("L", corners[k], corners[(k + 1) % 4]) for k in range(4)], True, corners))
    for e in msp:
        if e.dxftype() != "POLYLINE" or e.dxf.color != colour:
            continue
        vs = [(v.dxf.location.x, v.dxf.location.y, v.dxf.bulge) for v in e.vertices]
        n = len(vs) if e.is_closed else len(vs) - 1
        pieces = []
        for k in range(n):
            a, b, bulge = vs[k][:2], vs[(k + 1) % len(vs)][:2], vs[k][2]
            if bulge:
                c, _, _, r = bulge_to_arc(a, b, bulge)
                pieces.append(("A", a, b, (c.x, c.y), r, bulge > 0))
            else:
                pieces.append(("L", a, b))
        starts = [v[:2] for v in vs[:n]] if e.is_closed else [vs[0][:2], vs[-1][:2]]
        paths.append((pieces, e.is_closed, starts))
    return paths


def greedy_travel(paths):
    """Nearest neighbour from the origin, either end of an open path, any
    start of a closed one, back to the origin."""
    at, total, left = (0.0, 0.0), 0.0, list(range(len(paths)))
    while left:
        d, k, j = min((math.dist(at, s), k, j) for k in left for j, s in enumerate(paths[k][2]))
        total += d
        _, closed, starts = paths[k]
        at = starts[j] if closed else starts[1 - j]
        left.remove(k)
    return total + math.dist(at, (0.0, 0.0))


def replay(calls, machine):
    """Cut pieces and the XY travel of rs274's canonical moves."""
    x = y = z = 0.0
    cut, travel, depth = [], 0.0, None
    for name, v in calls:
        if name == "STRAIGHT_TRAVERSE":
            travel += math.hypot(v[0] - x, v[1] - y)
            x, y, z = v[0], v[1], v[2]
        elif name == "STRAIGHT_FEED":
            if (v[0], v[1]) != (x, y):
                cut.append((("L", (x, y), (v[0], v[1])), v[2]))
            x, y, z = v[0], v[1], v[2]
        elif name == "ARC_FEED":
            # end x, end y, centre x, centre y, turn (+1 anticlockwise), z
            r = math.hypot(x - v[2], y - v[3])
            cut.append((("A", (x, y), (v[0], v[1]), (v[2], v[3]), r, v[4] > 0), v[5]))
            x, y, z = v[0], v[1], v[5]
    if machine == "mill":
        depths = {d for _, d in cut}
        assert len(depths) <= 1, depths
        depth = depths.pop() if depths else None
    return [p for p, _ in cut], travel, depth


class Programs(unittest.TestCase):
    def setUp(self):
        if RS274 is None:
            self.fail("rs274 is missing: install linuxcnc-uspace (scripts/install-deps.sh --test)")
        self._tmp = tempfile.TemporaryDirectory()
        self.dir = self._tmp.name

    def tearDown(self):
        self._tmp.cleanup()

    def test_every_program_runs_and_cuts_the_drawing(self):
        for name, options, rows, status in CASES:
            with self.subTest(name):
                self.check_case(options, rows, status)

    def check_case(self, options, rows, status):
        nc, dxf = os.path.join(self.dir, "p.nc"), os.path.join(self.dir, "p.dxf")
        r = run("-f", "--gcode", nc, "-o", dxf, "--polylines", *options, "--", *rows)
        self.assertEqual(r.returncode, status, r.stderr.decode())
        text = read(nc).decode("ascii")
        # The same program without the drawing.
        alone = os.path.join(self.dir, "alone.nc")
        self.assertEqual(run("-f", "--gcode", alone, *options, "--", *rows).returncode, status)
        self.assertEqual(read(alone), text.encode())
        opt = dict(zip(options, options[1:] + [""]))
        machine = opt.get("--gcode-machine", "mill")
        inches = opt.get("--units") == "in"
        self.check_text(text, machine, inches, opt)

        calls, errors = canonical(nc)
        self.assertEqual(errors, [])
        cut, travel, depth = replay(calls, machine)
        if machine == "mill":
            self.assertAlmostEqual(depth, -float(opt.get("--gcode-depth", "0.008" if inches else "0.2")))
        outline = opt.get("--gcode-path") == "outline"
        paths = reference_paths(dxf, 6 if outline else 4, "--gcode-frame" in opt)
        reference = [p for pieces, _, _ in paths for p in pieces]
        self.assertTrue(reference)
        # Within 1e-3 mm of the drawing both ways, plus rs274's own printing
        # (four decimals of the program's unit).
        unit_mm = 25.4 if inches else 1.0
        tol = 1e-3 / unit_mm + 1e-4
        size = max(max(abs(c) for p in reference for c in p[1] + p[2]), 1.0)
        for there, here in ((reference, cut), (cut, reference)):
            index = Index(here, size / 20)
            worst = max(index.distance(q) for p in there for q in piece_points(p, 6))
            self.assertLessEqual(worst, tol)
        # Every piece cut exactly once (each pass): the lengths agree within
        # the rounding of the ends and centres rs274 prints.
        passes = int(opt.get("--gcode-passes", "1"))
        length = sum(piece_length(p) for p in cut)
        expected = passes * sum(piece_length(p) for p in reference)
        self.assertAlmostEqual(length, expected, delta=len(cut) * 2e-4 + 1e-9 * expected)
        # The travel: from the origin and back, never more than nearest
        # neighbour with reversal over the same paths (less the printed
        # rounding), and what standard error reports.
        report = re.search(r"移動 ([0-9.]+) (mm|in)（文字の順では ([0-9.]+)", r.stderr.decode())
        self.assertAlmostEqual(travel, float(report.group(1)), delta=0.051 + len(calls) * 2e-4)
        if opt.get("--gcode-order") != "text" and passes == 1:
            self.assertLessEqual(travel, greedy_travel(paths) + len(calls) * 2e-4 / unit_mm)
        self.assertLessEqual(float(report.group(1)), float(report.group(3)))

    def check_text(self, text, machine, inches, opt):
        lines = text.split("\n")
        self.assertEqual(lines[-1], "")
        lines = lines[:-1]
        self.assertTrue(all(len(l) <= 80 for l in lines))
        comments = [l for l in lines if l.startswith(";")]
        code = [l for l in lines if not l.startswith(";")]
        self.assertEqual(lines[:len(comments)], comments, "the comment block comes first")
        for c in comments:
            self.assertRegex(c, r"^; [ -~]*$")
            self.assertFalse(set(c[1:]) & set("();%*\\"), c)
        self.assertEqual(code[:4], ["G20" if inches else "G21", "G90", "G17", "G94"])
        self.assertEqual(code[-1], "M2")
        decimals = 5 if inches else 4
        number = re.compile(r"^-?\d+\.\d{%d}$" % decimals)
        scale = 10 ** decimals
        x = y = 0
        for l in code:
            words = l.split(" ")
            self.assertLessEqual(sum(w.startswith("M") for w in words), 1, l)
            self.assertNotIn("G64", words)
            self.assertFalse(re.search(r"[#R\[eE]", l), l)
            if machine != "mill":
                self.assertFalse(any(w.startswith("Z") for w in words), l)
            w = {k[0]: k[1:] for k in words[1:]}
            for k in "XYZIJ":
                if k in w:
                    self.assertRegex(w[k], number)
                    self.assertNotRegex(w[k], r"^-0\.0+$")
            g = words[0]
            if machine == "laser" and g in ("G1", "G2", "G3"):
                self.assertEqual(w["S"], str(round(float(opt.get("--gcode-power", "80")) * 10)), l)
            if machine == "laser" and g == "G0":
                self.assertEqual(w["S"], "0", l)
            if g in ("G2", "G3"):
                self.assertTrue(set("XYIJ") <= set(w), l)
                ex, ey = (int(Fraction(w[k]) * scale) for k in "XY")
                i, j = (int(Fraction(w[k]) * scale) for k in "IJ")
                dx, dy = ex - x, ey - y
                # At most a half turn: the centre on the turning side of the chord.
                side = dx * j - dy * i
                self.assertTrue(side >= 0 if g == "G3" else side <= 0, l)
                r1, r2 = math.hypot(i, j) / scale, math.hypot(i - dx, j - dy) / scale
                mismatch_mm = abs(r1 - r2) * (25.4 if inches else 1)
                self.assertFalse(mismatch_mm > 0.005 and abs(r1 - r2) > 0.001 * r1, l)
            if "X" in w:
                x = int(Fraction(w["X"]) * scale)
            if "Y" in w:
                y = int(Fraction(w["Y"]) * scale)
        if machine == "pen":
            downs = [k for k, l in enumerate(code) if l == opt["--gcode-pen-down"]]
            self.assertTrue(downs)
            for k, l in enumerate(code):
                if l in (opt["--gcode-pen-down"], opt["--gcode-pen-up"]):
                    self.assertEqual(code[k + 1], "G4 P0.2")
        if machine == "laser":
            self.assertEqual(code.count("M8"), 1)
            self.assertEqual(code.count("M9"), 1)
            self.assertIn("M4 S0", code)

    def test_bad_values_write_nothing(self):
        nc, dxf = os.path.join(self.dir, "bad.nc"), os.path.join(self.dir, "bad.dxf")
        # The machine's options without a program, and a program over the drawing.
        for args, message in BAD_VALUES + [(["--gcode-feed", "100", "-o", dxf], ""), (["--gcode", nc, "-o", nc], "")]:
            r = subprocess.run([TRACEMILL, "--lang", "en", *(["--gcode", nc] if "-o" not in args else []), *args,
                                "--", "A"], capture_output=True)
            self.assertEqual(r.returncode, 2, args)
            self.assertEqual(r.stderr.decode(), message, args) if message else self.assertTrue(r.stderr, args)
            self.assertEqual(os.listdir(self.dir), [], args)
        for args in LIMIT_VALUES:
            r = run("-f", "--gcode", nc, *args, "--", "A")
            self.assertEqual(r.returncode, 0, (args, r.stderr))
        # Each machine's own values, and no other machine's.
        for option, value, machines in (("--gcode-feed", "500", "mill laser pen"), ("--gcode-plunge-feed", "50", "mill"),
                                        ("--gcode-depth", "0.1", "mill"), ("--gcode-safe-z", "3", "mill"),
                                        ("--gcode-spindle", "9000", "mill"), ("--gcode-power", "50", "laser"),
                                        ("--gcode-power-max", "255", "laser"), ("--gcode-passes", "2", "laser"),
                                        ("--gcode-pen-down", "M3 S20", "pen"), ("--gcode-pen-up", "M3 S80", "pen"),
                                        ("--gcode-pen-dwell", "0.1", "pen")):
            for machine in ("mill", "laser", "pen"):
                r = subprocess.run([TRACEMILL, "--lang", "en", "-f", "--gcode", nc, "--gcode-machine", machine,
                                    option, value, "--", "A"], capture_output=True)
                refusal = f"{option} is only for --gcode-machine {machines}.\n"
                self.assertEqual((r.returncode, r.stderr.decode() if r.returncode else ""),
                                 (0, "") if machine in machines else (2, refusal), (option, machine))

    def test_one_transaction_with_the_drawing(self):
        dxf = os.path.join(self.dir, "out.dxf")
        with open(dxf, "wb") as f:
            f.write(b"old")
        os.mkdir(os.path.join(self.dir, "folder.nc"))
        for nc in ["missing/a.nc", "folder.nc"]:
            r = run("-f", "-o", dxf, "--gcode", os.path.join(self.dir, nc), "--", "A")
            self.assertEqual(r.returncode, 3, nc)
            self.assertEqual(read(dxf), b"old", nc)
        # An existing program is kept without --force, and so is the drawing.
        nc = os.path.join(self.dir, "kept.nc")
        with open(nc, "wb") as f:
            f.write(b"old program")
        r = run("-o", os.path.join(self.dir, "new.dxf"), "--gcode", nc, "--", "A")
        self.assertEqual(r.returncode, 3)
        self.assertEqual(read(nc), b"old program")
        self.assertEqual(sorted(os.listdir(self.dir)), ["folder.nc", "kept.nc", "out.dxf"])
        r = run("-f", "-o", dxf, "--gcode", nc, "--", "A")
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        self.assertTrue(read(dxf).startswith(b"  0\r\nSECTION"))
        self.assertTrue(read(nc).startswith(b"; tracemill"))


if __name__ == "__main__":
    unittest.main()
