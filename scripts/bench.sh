#!/usr/bin/env bash
# Benchmarks: the generation run in memory and to a file (Google Benchmark),
# then the command as a user runs it against a durable copy of its file (cp of
# the same file, then fsync of the copy), with the command's peak memory, for
# a text of 100 rows and one ten times longer.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTRACEMILL_TESTS=OFF -DTRACEMILL_BENCH=ON \
  -DTRACEMILL_GUI=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null
build-bench/bench/generation_bench

/usr/bin/python3 - <<'PY'
import os, statistics, subprocess, tempfile, time

tool = "build-bench/tracemill"
RUNS = 5  # of each command, taken alternately

def run(args):
    """Wall time and peak memory (bytes) of one run of a command."""
    t0 = time.perf_counter()
    p = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    elapsed = time.perf_counter() - t0
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit(f"{args[0]} failed")
    return elapsed, usage.ru_maxrss * 1024

def peak_memory(args):
    """Peak memory (bytes) of a command, measured by GNU time where it is
    installed: the figure wait4 reports for a child of this script also counts
    the script's own pages the child started with."""
    if os.path.exists("/usr/bin/time"):
        r = subprocess.run(["/usr/bin/time", "-f", "%M", *args], stdout=subprocess.DEVNULL,
                           stderr=subprocess.PIPE, text=True, check=True)
        return int(r.stderr.split()[-1]) * 1024
    return run(args)[1]

def durable_copy(src, dst):
    t0 = time.perf_counter()
    run(["cp", src, dst])
    fd = os.open(dst, os.O_RDONLY)
    try:
        os.fsync(fd)
    finally:
        os.close(fd)
    return time.perf_counter() - t0

with tempfile.TemporaryDirectory() as d:
    # Every character the tool draws, cycled: the glyphs are the printable
    # bytes that do not stop the run.
    glyphs = ""
    for b in range(33, 127):
        c = chr(b)
        r = subprocess.run([tool, "-f", "-o", os.path.join(d, "probe.dxf"), "--", c], capture_output=True)
        if r.returncode == 0:
            glyphs += c
    print(f"{len(glyphs)} glyphs draw: {glyphs}")

    def text(rows, cols):
        k = 0
        lines = []
        for _ in range(rows):
            lines.append("".join(glyphs[(k + i) % len(glyphs)] for i in range(cols)))
            k += cols
        return "\n".join(lines)

    for rows in (100, 1000):
        src = os.path.join(d, f"text{rows}.txt")
        with open(src, "w") as f:
            f.write(text(rows, 1000))
        out = os.path.join(d, "out.dxf")
        copy = os.path.join(d, "copy.dxf")
        command = [tool, "-f", "-o", out, "--text-file", src]
        # Once each beforehand (the command for its peak memory), so that every
        # timed run replaces an existing file of the same size, as cp then
        # truncates one.
        peak = peak_memory(command)
        durable_copy(out, copy)
        t_tool, t_copy = [], []
        for _ in range(RUNS):
            t_tool.append(run(command)[0])
            t_copy.append(durable_copy(out, copy))
        size = os.path.getsize(out)
        tool_s, copy_s = statistics.median(t_tool), statistics.median(t_copy)
        print(f"{rows} rows x 1000 characters: {size / 1e6:.1f} MB in {tool_s * 1000:.0f} ms "
              f"({rows * 1000 / tool_s / 1e6:.2f} M glyphs/s, {size / tool_s / 1e6:.0f} MB/s); "
              f"cp + fsync of the same file {copy_s * 1000:.0f} ms; ratio {tool_s / copy_s:.2f} "
              f"(medians of {RUNS}); peak memory {peak / 2**20:.1f} MB")
        os.remove(out)
        os.remove(copy)
    print("load average:", " ".join(open("/proc/loadavg").read().split()[:3]))
PY
