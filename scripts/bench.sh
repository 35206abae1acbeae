#!/usr/bin/env bash
# Benchmarks: the generation run in memory and to a file (Google Benchmark),
# then the command as a user runs it against copying a file of the same size
# with cp, and its peak memory for a short and a ten times longer text.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTRACEMILL_TESTS=OFF -DTRACEMILL_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null
build-bench/bench/generation_bench

/usr/bin/python3 - <<'PY'
import os, resource, subprocess, tempfile, time

tool = "build-bench/tracemill"
with tempfile.TemporaryDirectory() as d:
    # Every character the tool draws, cycled: the glyphs are the printable
    # bytes that do not stop the run.
    glyphs = ""
    for b in range(33, 127):
        c = chr(b)
        r = subprocess.run([tool, "-f", "-o", os.path.join(d, "probe.dxf"), "--", c], capture_output=True)
        if r.returncode == 0:
            glyphs += c

    def text(rows, cols):
        k = 0
        lines = []
        for _ in range(rows):
            lines.append("".join(glyphs[(k + i) % len(glyphs)] for i in range(cols)))
            k += cols
        return "\n".join(lines)

    def timed(args, repeat=5):
        best = float("inf")
        for _ in range(repeat):
            t0 = time.perf_counter()
            subprocess.run(args, check=True, capture_output=True)
            best = min(best, time.perf_counter() - t0)
        return best

    for rows in (100, 1000):
        src = os.path.join(d, f"text{rows}.txt")
        with open(src, "w") as f:
            f.write(text(rows, 1000))
        out = os.path.join(d, "out.dxf")
        before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        t_tool = timed([tool, "-f", "-o", out, "--text-file", src], repeat=3 if rows > 100 else 5)
        peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        size = os.path.getsize(out)
        t_cp = timed(["cp", out, os.path.join(d, "copy.dxf")])
        print(f"{rows} rows x 1000 characters: {size / 1e6:.1f} MB in {t_tool * 1000:.0f} ms "
              f"({rows * 1000 / t_tool / 1e6:.2f} M glyphs/s, {size / t_tool / 1e6:.0f} MB/s); "
              f"cp of the same file {t_cp * 1000:.0f} ms (ratio {t_tool / t_cp:.2f}); "
              f"peak memory {peak / 1024:.1f} MB" + ("" if peak > before else " (max so far)"))
PY
