#!/usr/bin/env bash
# Fuzzes the generation run with libFuzzer for a bounded time (seconds, default
# 60), starting from the committed seed corpus; new inputs that add coverage
# go to build-fuzz/corpus, and a finding stops the run with its reproducer
# written as build-fuzz/crash-*. Needs clang (scripts/install-deps.sh --test installs it).
#   bash scripts/fuzz.sh 3600 2     # an hour on two processes
# The test command runs a fixed sequence instead (FUZZ_RUNS inputs from seed 1,
# on a fresh corpus), so that its outcome does not depend on luck or speed:
#   FUZZ_RUNS=20000 bash scripts/fuzz.sh 120
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
workers=${2:-1}

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRACEMILL_FUZZ=ON -DTRACEMILL_TESTS=OFF -DTRACEMILL_GUI=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target generation_fuzzer
mkdir -p build-fuzz/corpus
cd build-fuzz
extra=()
[ "$workers" -gt 1 ] && extra=(-fork="$workers" -ignore_crashes=0)
corpus=corpus
if [ -n "${FUZZ_RUNS:-}" ]; then
  extra+=(-seed=1 -runs="$FUZZ_RUNS")
  corpus=$(mktemp -d)
  trap 'rm -rf "$corpus"' EXIT
fi
tests/fuzz/generation_fuzzer -max_total_time="$seconds" -print_final_stats=1 "${extra[@]}" \
  "$corpus" ../tests/fuzz/corpus
echo "Fuzzing found nothing."
