#!/usr/bin/env python3
"""Differential test: every glyph drawn by the program (through the test tool
glyph_rows) against the independent evaluations in this directory, compared
number for number in the printed text.

The sizes are drawn from a seeded generator (the seed is printed; --seed
repeats a run):
  - ordinary cells with one or two decimals, and cells whose W, H and t have
    nine decimals;
  - cells far from the origin (x and y from 1e3 to 1e8 in magnitude, either
    sign), and huge cells (W and H from 1e4 to 1e10), where a difference of
    one double anywhere in a construction shows in the ninth decimal;
  - the sizes where a layout switch, a width test or the leaving-out of a
    degenerate entity flips: the evaluations are loaded with every comparison
    between numbers traced, and along sweeps of t, of W and of H their layout
    (the kinds and colours of the rows, the stop line, the sign of every
    comparison) is compared between neighbouring sizes; where it differs, the
    two sizes are bisected down to adjacent doubles, and both ends, one double
    beyond each and sizes just off either side are drawn. A comparison that
    ties exactly at one end is how a > written for a >= shows. Each switch
    is bisected again across the other lengths, and in the cell scaled so
    that the compared values lie just beside a power of two, where a
    comparison rearranged on paper rounds differently.
Every mismatch is printed with a one-line reproducer.

Usage: differential.py [--seed N] [--scale F] [--glyphs CHARS] [--ties]
       differential.py --case 'G x y W H t'
The program is found through $GLYPH_ROWS (default ../../build/tests/glyph_rows).
"""
import argparse
import ast
import math
import operator
import os
import random
import shlex
import struct
import subprocess
import sys
import time
import types

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

MODULES = ['rows', 'simple_strokes', 'straight_capitals', 'digits_0147', 'digits_235', 'digits_689',
           'diagonal_capitals_akmnv', 'diagonal_capitals_wxyz', 'round_capitals', 'bowl_capitals',
           'capitals_sq', 'punctuation', 'brackets', 'operators', 'symbols_marks',
           'symbols_currency_amp_at', 'lower_ijltf', 'lower_hnmur', 'lower_vwxyzk', 'lower_bdpqg',
           'lower_aes']  # a module comes after the ones it imports

# The comparisons between numbers made by the evaluation being traced:
# (module, comparison number, sign of the difference of the two sides,
# whether they were equal, the larger magnitude of the two). The sign, not the outcome, makes a switch of an
# equality test (a layout of its own for a tie) a flip to bisect.
TRACE = None
LINES = {}  # module -> source line of each comparison
SEEN = set()  # the comparisons between numbers met while tracing
OPERATORS = {ast.Lt: operator.lt, ast.LtE: operator.le, ast.Gt: operator.gt, ast.GtE: operator.ge,
             ast.Eq: operator.eq, ast.NotEq: operator.ne}


class Compares(ast.NodeTransformer):
    """Turns every single comparison a OP b into _compare(n, a, b): the same
    test, seen by the tracer. The arithmetic is left as written."""
    def __init__(self):
        self.ops = []
        self.lines = []

    def visit_Compare(self, node):
        self.generic_visit(node)
        if len(node.ops) != 1 or type(node.ops[0]) not in OPERATORS:
            return node
        self.ops.append(OPERATORS[type(node.ops[0])])
        self.lines.append(node.lineno)
        call = ast.Call(ast.Name('_compare', ast.Load()),
                        [ast.Constant(len(self.ops) - 1), node.left, node.comparators[0]], [])
        return ast.copy_location(call, node)


def load(name):
    path = os.path.join(HERE, name + '.py')
    transform = Compares()
    tree = ast.fix_missing_locations(transform.visit(ast.parse(open(path, encoding='utf-8').read(), path)))
    module = types.ModuleType(name)
    module.__file__ = path

    def compare(n, a, b, ops=transform.ops):
        result = ops[n](a, b)
        if TRACE is not None and type(a) in (int, float) and type(b) in (int, float):
            TRACE.append((name, n, (a > b) - (a < b), a == b, max(abs(a), abs(b))))
            SEEN.add((name, n))
        return result
    module._compare = compare
    LINES[name] = transform.lines
    sys.modules[name] = module
    exec(compile(tree, path, 'exec'), module.__dict__)
    return module


def evaluations():
    table = {}
    for name in MODULES:
        module = load(name)
        for g in getattr(module, 'GLYPHS', ()):
            assert g not in table, g
            table[g] = (module.evaluate, name)
    return table


EVAL = evaluations()


def expected(g, size):
    """The evaluation's rows and stop line, or the exception it raised."""
    evaluate = EVAL[g][0]
    try:
        rows, stop = evaluate(g, *size)
    except Exception as e:  # a formula outside its domain: reported as a mismatch
        return ['evaluation raised %s: %s' % (type(e).__name__, e)]
    return rows + ([] if stop is None else ['stop ' + stop])


def traced(g, size):
    """The layout of the evaluation (the kinds and colours of its rows, its
    stop line, the sign of every comparison it makes) and its trace."""
    global TRACE
    TRACE = []
    try:
        rows = expected(g, size)
        trace = TRACE
    finally:
        TRACE = None
    kinds = tuple(row[:row.index(' ', row.index(' ') + 1)] if row[0].isupper() else row for row in rows)
    return (kinds, tuple(c[:3] for c in trace)), trace


def layout(g, size):
    return traced(g, size)[0]


# ---------------------------------------------------------------- doubles

def bits(v):
    return struct.unpack('<q', struct.pack('<d', v))[0]


def double(i):
    return struct.unpack('<d', struct.pack('<q', i))[0]


def bisect(g, size, k, a, b):
    """Adjacent positive doubles (lo, hi) between a < b where the layout of
    size with component k set to them differs."""
    def at(v):
        s = list(size)
        s[k] = v
        return layout(g, tuple(s))
    ia, ib = bits(a), bits(b)
    la = at(a)
    while ib - ia > 1:
        im = (ia + ib) // 2
        if at(double(im)) == la:
            ia = im
        else:
            ib = im
    return double(ia), double(ib)


# How often each comparison flipped at a bisected switch, and how often one
# end of the switch was an exact tie, in ordinary and in huge cells:
# (glyph, module, number, huge) -> [flips, ties]; ('rows', -1) stands for a
# switch of the rows alone (an entity left out, the value in a message).
FLIPS = {}


def huge_cell(size):
    return min(size[2], size[3]) >= 1e4


def first_flip(a, b):
    """The comparison whose sign first differs between two traces, whether
    either side tied exactly there, and the size of its sides; ('rows', -1)
    when only the rows differ."""
    for p, q in zip(a, b):
        if p[:3] != q[:3]:
            return p[:2], p[3] or q[3], p[4]
    return ('rows', -1), False, 0.0


def note_flip(g, size, k, lo, hi):
    """Counts the switch; returns the comparison that flips and whether it
    tied exactly at one end."""
    s = list(size)
    s[k] = lo
    a = traced(g, tuple(s))[1]
    s[k] = hi
    b = traced(g, tuple(s))[1]
    which, tie, m = first_flip(a, b)
    stat = FLIPS.setdefault((g,) + which + (huge_cell(size),), [0, 0])
    stat[0] += 1
    stat[1] += tie
    return which, tie, m


# ---------------------------------------------------------------- sizes

def decimals(v, n):
    """v with n decimals, or v itself (a double of full precision) for None."""
    return v if n is None else float('%.*f' % (n, v))


def shape(rng, n, scale=1.0):
    """W, H, t with n decimals: any aspect from 1:5 to 5:1, t below both."""
    H = decimals(scale * math.exp(rng.uniform(math.log(1.0), math.log(120.0))), n)
    W = decimals(H * math.exp(rng.uniform(-1.6, 1.6)), n)
    W, H = max(W, 0.5), max(H, 0.5)
    m = min(W, H)
    t = decimals(m * math.exp(rng.uniform(math.log(0.004), math.log(0.7))), n)
    if not (0 < t < m):
        t = decimals(m / 10, n) or m / 10
    return W, H, t


def corner(rng, far=False, scale=200.0):
    """A cell corner: near the origin (within scale), or far from it."""
    if far:
        return tuple(rng.choice((-1, 1)) * decimals(10 ** rng.uniform(3, 8), rng.choice((0, 1, 2, 3, None)))
                     for _ in range(2))
    return tuple(decimals(rng.uniform(-scale, scale), rng.choice((0, 1, 2, None))) for _ in range(2))


def huge(rng, n):
    """A cell of 1e4 to 1e10 at the origin, near it or far from it: every
    length as large as the coordinates of a far cell, so that a difference of
    one double anywhere in a construction shows in the ninth decimal."""
    scale = 10 ** rng.uniform(4, 8)
    where = rng.choice(((0.0, 0.0), corner(rng, scale=scale * 100), corner(rng, far=True)))
    return where + shape(rng, n, scale)


def sweep_values(lo, hi, n):
    """n values from lo to hi, evenly spaced in the logarithm."""
    return [lo * (hi / lo) ** (i / (n - 1)) for i in range(n)]


def switch_sizes(g, rng, base, k, n_grid, budget):
    """Sizes around the flips of the layout along component k of base: the
    two adjacent doubles of each flip, one double beyond each, and sizes a
    little off either side. Flips of comparisons that have not yet tied
    exactly at a switch of this glyph, in a cell of this scale, go first,
    then those bisected least often."""
    x, y, W, H, t = base
    if k == 4:
        lo, hi = min(W, H) * 0.002, min(W, H) * 0.9999
    elif k == 2:
        lo, hi = t * 1.0001, max(H, t) * 8
    else:
        lo, hi = t * 1.0001, max(W, t) * 8
    grid = sorted(set(float('%.6g' % v) for v in sweep_values(lo, hi, n_grid)))
    grid = [v for v in grid if v > 0 and (k == 4 or v > t) and (k != 4 or v < min(W, H))]
    runs = []
    for v in grid:
        s = list(base)
        s[k] = v
        runs.append(traced(g, tuple(s)))
    flips = []
    for i in range(len(grid) - 1):
        if runs[i][0] != runs[i + 1][0]:
            which = first_flip(runs[i][1], runs[i + 1][1])[0]
            flips_, ties = FLIPS.get((g,) + which + (huge_cell(base),), [0, 0])
            flips.append((min(ties, 1) or which[1] < 0, flips_, rng.random(), i))
    sizes = []
    for _, _, _, i in sorted(flips)[:budget]:
        sizes += around_switch(g, base, k, grid[i], grid[i + 1], rng)
    return sizes


def around_switch(g, base, k, a, b, rng, first=True):
    """Bisects the switch between a and b along component k and returns the
    sizes around it: both ends and, for a switch found by a sweep, one double
    beyond each and sizes a little off either side. A switch of a comparison
    is bisected again along each length in the cell scaled (twice, at
    random) so that the compared values fall a little above or below a power
    of two, where sums and differences cross from one binade to the next and
    a rearranged comparison rounds apart; and, while its comparison has not
    tied exactly or has been bisected only a few times, across the other two
    lengths, where its sides run in other steps."""
    lo_v, hi_v = bisect(g, base, k, a, b)
    which, tie, m = note_flip(g, base, k, lo_v, hi_v)
    offsets = (lo_v, hi_v)
    if first:
        offsets += (math.nextafter(lo_v, 0), math.nextafter(hi_v, math.inf),
                    lo_v * (1 - 1e-11), hi_v * (1 + 1e-11), lo_v * (1 - 1e-9), hi_v * (1 + 1e-9))
    sizes = []
    for v in offsets:
        s = list(base)
        s[k] = v
        if s[4] < min(s[2], s[3]):
            sizes.append(tuple(s))
    if not first or which[1] < 0:
        return sizes
    point = base[:k] + (lo_v,) + base[k + 1:]
    points = []
    if not tie or FLIPS[(g,) + which + (huge_cell(base),)][0] <= 6:
        points.append(point)
    if 0 < m < math.inf:
        for _ in range(2):
            f = 2.0 ** round(math.log2(m)) / m * (1 + rng.choice((-1, 1)) * 10 ** rng.uniform(-6, -0.5))
            points.append(tuple(v * f for v in point))
    tries = [(p, k2, p[k2] * (1 - 1e-12), p[k2] * (1 + 1e-12)) for p in points for k2 in (2, 3, 4)
             if k2 != k or p is not point]
    for where, k2, a, b in tries:
        ends = [where[:k2] + (v,) + where[k2 + 1:] for v in (a, b)]
        if all(s[4] < min(s[2], s[3]) for s in ends) and layout(g, ends[0]) != layout(g, ends[1]):
            sizes += around_switch(g, where, k2, a, b, rng, False)
    return sizes


def sizes_for(g, rng, scale):
    n = lambda count: max(1, int(round(count * scale)))
    sizes = []
    # Switches: bases with mostly round sizes, at the origin, where the two
    # sides of a comparison are finest and an exact tie likeliest, or far from
    # it; half of them huge, where the two layouts that meet at a tie differ
    # in print.
    for i in range(n(12)):
        if i % 2:
            base = huge(rng, rng.choice((0, 1, 2, None)))
        else:
            base = corner(rng, far=True) if i % 4 else (0.0, 0.0)
            base += shape(rng, rng.choice((0, 1, 1, 2, None)))
        for k in (4, 2, 3):
            sizes += switch_sizes(g, rng, base, k, 24, 3)
    # Ordinary, nine-decimal, far and huge cells: 110 of them, or as many as
    # make up 300 sizes for a glyph with few switches.
    more = max(1.0, (n(300) - len(sizes)) / n(110))
    for _ in range(round(n(40) * more)):
        sizes.append(corner(rng) + shape(rng, rng.choice((1, 2))))
    for _ in range(round(n(20) * more)):
        sizes.append(corner(rng) + shape(rng, 9))
    for _ in range(round(n(20) * more)):
        sizes.append(corner(rng, far=True) + shape(rng, rng.choice((1, 2, 9))))
    for _ in range(round(n(30) * more)):
        sizes.append(huge(rng, rng.choice((3, 9, None))))
    return sizes


# ---------------------------------------------------------------- the program

def program_rows(cases):
    tool = os.environ.get('GLYPH_ROWS', os.path.join(HERE, '..', '..', 'build', 'tests', 'glyph_rows'))
    text = ''.join('%s %r %r %r %r %r\n' % ((g,) + size) for g, size in cases)
    out = subprocess.run([tool], input=text.encode(), stdout=subprocess.PIPE, check=True).stdout
    results, current = [], []
    for line in out.decode().split('\n'):
        if line == 'end':
            results.append(current)
            current = []
        elif line:
            current.append(line)
    assert len(results) == len(cases), 'glyph_rows answered %d of %d cases' % (len(results), len(cases))
    return results


def reproducer(g, size):
    return 'python3 tests/reference/differential.py --case ' + shlex.quote(
        '%s %s' % (g, ' '.join(repr(v) for v in size)))


def describe(g, size, want, got):
    lines = ['%s x=%r y=%r W=%r H=%r t=%r (%s)' % ((g,) + size + (EVAL[g][1],))]
    for i in range(max(len(want), len(got))):
        w = want[i] if i < len(want) else '(nothing)'
        o = got[i] if i < len(got) else '(nothing)'
        if w != o:
            lines.append('  row %d: evaluation %s' % (i + 1, w))
            lines.append('  row %d: program    %s' % (i + 1, o))
            break
    lines.append('  %d rows expected, %d drawn; reproduce: %s' % (len(want), len(got), reproducer(g, size)))
    return '\n'.join(lines)


def run_case(case_line):
    g, *numbers = case_line.split()
    size = tuple(float(v) for v in numbers)
    want = expected(g, size)
    got = program_rows([(g, size)])[0]
    print('evaluation:\n  ' + '\n  '.join(want))
    print('program:\n  ' + '\n  '.join(got))
    print('same' if want == got else 'DIFFERENT')
    return 0 if want == got else 1


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--seed', type=int)
    ap.add_argument('--scale', type=float, default=1.0, help='multiplies the number of sizes')
    ap.add_argument('--glyphs', default=None, help='only these glyphs')
    ap.add_argument('--case', help="one case 'G x y W H t', shown in full")
    ap.add_argument('--show', type=int, default=3, help='mismatches printed per glyph')
    ap.add_argument('--ties', action='store_true',
                    help='list the comparisons that flipped at a switch without an exact tie')
    args = ap.parse_args()
    if args.case:
        return run_case(args.case)

    missing = [chr(b) for b in range(0x21, 0x7F) if chr(b) not in EVAL]
    if missing:
        print('no evaluation for: ' + ' '.join(missing))
        return 1
    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(1 << 32)
    print('seed %d (repeat with --seed %d), scale %g' % (seed, seed, args.scale))
    start = time.time()
    cases = []
    for g in (args.glyphs or ''.join(chr(b) for b in range(0x21, 0x7F))):
        rng = random.Random('%d %s' % (seed, g))
        cases += [(g, size) for size in sizes_for(g, rng, args.scale)]
    wants = [expected(g, size) for g, size in cases]
    made = time.time()
    gots = program_rows(cases)
    drawn = time.time()
    bad = {}
    for (g, size), want, got in zip(cases, wants, gots):
        if want != got:
            bad.setdefault(g, []).append(describe(g, size, want, got))
    print('%d sizes over %d glyphs: evaluations %.1f s, program %.1f s' % (
        len(cases), len(set(g for g, _ in cases)), made - start, drawn - made))
    if args.ties:
        stats = {}
        for (g, module, n, _), (f, ties) in FLIPS.items():
            if n >= 0:
                stat = stats.setdefault((g, module, n), [0, 0])
                stat[0] += f
                stat[1] += ties
        print('%d switches bisected, %d comparisons, %d of them never tied exactly:' % (
            sum(f for f, _ in FLIPS.values()), len(stats), sum(1 for _, n in stats.values() if not n)))
        for (g, module, n), (f, ties) in sorted(stats.items()):
            if not ties:
                print('  %s %s.py:%d: %d switches' % (g, module, LINES[module][n], f))
        for module, lines in LINES.items():
            flipped = set(n for (_, m, n) in stats if m == module)
            never = [str(lines[n]) for n in range(len(lines)) if n not in flipped and (module, n) in SEEN]
            if never:
                print('  never flipped in %s.py: lines %s' % (module, ' '.join(never)))
    for g, reports in bad.items():
        print('%s: %d of %d sizes differ' % (g, len(reports), sum(1 for c in cases if c[0] == g)))
        for r in reports[:args.show]:
            print(r)
    if bad:
        print('MISMATCH in %d glyphs: %s (seed %d)' % (len(bad), ''.join(bad), seed))
        return 1
    print('all sizes agree')
    return 0


if __name__ == '__main__':
    sys.exit(main())
