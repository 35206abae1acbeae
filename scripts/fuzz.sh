#!/usr/bin/env bash
# Fuzzes the generation run with libFuzzer for a bounded time (seconds, default
# 60), starting from the committed seed corpus; new inputs that add coverage
# go to the build directory's corpus/, and a finding stops the run with its
# reproducer written there as crash-*. Needs clang (scripts/install-deps.sh
# --test installs it). Any further arguments beginning with '-' go to libFuzzer.
#   bash scripts/fuzz.sh 3600 2     # an hour on two processes
#
# Two builds:
# - build-fuzz/ (the default): ASan and UBSan, a few hundred inputs a second;
# - build-fuzz-fast/ (--fast): optimised, coverage instrumentation only, the
#   same checks of the document and the contours but no memory or undefined-
#   behaviour checks, many times faster. For long runs; replay what it finds
#   (and the corpus it grows) under the sanitizers afterwards:
#   nice -n 19 bash scripts/fuzz.sh --fast 36000 1 -fork=1 -ignore_crashes=1
#
# --replay runs each given file, and every file in each given directory, once
# under the ASan/UBSan build, without fuzzing (libFuzzer's -runs=0); with no
# path it replays the committed seeds (tests/fuzz/corpus):
#   bash scripts/fuzz.sh --replay build-fuzz-fast/corpus build-fuzz-fast/crash-*
#
# The test command runs a fixed sequence instead (FUZZ_RUNS inputs from seed 1,
# on a fresh corpus), so that its outcome does not depend on luck or speed:
#   FUZZ_RUNS=20000 bash scripts/fuzz.sh 120
set -euo pipefail
cd "$(dirname "$0")/.."

mode=fuzz
build=build-fuzz
config=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACEMILL_FUZZ_SANITIZE=ON)
case "${1:-}" in
  --fast)
    build=build-fuzz-fast
    config=(-DCMAKE_BUILD_TYPE=Release -DTRACEMILL_FUZZ_SANITIZE=OFF)
    shift ;;
  --replay)
    mode=replay
    shift ;;
esac

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ "${config[@]}" \
  -DTRACEMILL_FUZZ=ON -DTRACEMILL_TESTS=OFF -DTRACEMILL_GUI=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target generation_fuzzer
fuzzer=$PWD/$build/tests/fuzz/generation_fuzzer

if [ "$mode" = replay ]; then
  [ $# -gt 0 ] || set -- tests/fuzz/corpus
  files=() dirs=()
  for path in "$@"; do
    if [ -d "$path" ]; then dirs+=("$path"); else files+=("$path"); fi
  done
  # A directory given with -runs=0 is read and every input run once; files
  # given by name are run once each.
  for dir in "${dirs[@]}"; do "$fuzzer" -runs=0 -artifact_prefix="$build/" "$dir"; done
  [ ${#files[@]} -eq 0 ] || "$fuzzer" "${files[@]}"
  echo "Replay found nothing."
  exit 0
fi

seconds=60
workers=1
[[ $# -gt 0 && $1 != -* ]] && { seconds=$1; shift; }
[[ $# -gt 0 && $1 != -* ]] && { workers=$1; shift; }
mkdir -p "$build/corpus"
cd "$build"
extra=()
[ "$workers" -gt 1 ] && extra=(-fork="$workers" -ignore_crashes=0)
corpus=corpus
if [ -n "${FUZZ_RUNS:-}" ]; then
  extra+=(-seed=1 -runs="$FUZZ_RUNS")
  corpus=$(mktemp -d)
  trap 'rm -rf "$corpus"' EXIT
fi
"$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "${extra[@]}" "$@" \
  "$corpus" ../tests/fuzz/corpus
echo "Fuzzing found nothing."
