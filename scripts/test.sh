#!/usr/bin/env bash
# Installs what is missing, builds tracemill and runs every test: the unit and
# property tests, the command-line and DXF-reader tests, the dialog's tests
# (on Qt's offscreen platform, no display needed), the page in a real browser
# (the core built with emscripten, driven in headless chromium), then the
# native tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# the Debian package, and the fuzzer of the generation run: its seeds
# replayed, then a fixed sequence of about a minute.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --test
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACEMILL_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The page: its files against the command's, byte for byte, in headless chromium.
JOBS="$jobs" bash scripts/web.sh --build-only
TRACEMILL=build/tracemill TRACEMILL_SITE=build-web/site node --test tests/web/page.test.mjs

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTRACEMILL_TESTS=ON -DTRACEMILL_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

# The Debian package: built, checked, installed, compared with the build
# tree's command, and removed again.
bash scripts/package.sh >/dev/null
bash tests/package_test.sh

# The fuzzer of the generation run: every committed seed once, then a fixed
# sequence of inputs, about a minute.
bash scripts/fuzz.sh --replay
FUZZ_RUNS=20000 bash scripts/fuzz.sh 120

echo "All tests passed."
