#!/usr/bin/env bash
# Builds the page (the core compiled to WebAssembly, and web/) into
# build-web/site/ and serves it on the loopback address. Everything runs in
# the browser; the server only hands out the files.
#   bash scripts/web.sh [--build-only] [--port N]
set -euo pipefail
cd "$(dirname "$0")/.."

build_only=false
port=8034
while [ $# -gt 0 ]; do
  case "$1" in
    --build-only) build_only=true ;;
    --port) port="$2"; shift ;;
    *) echo "usage: bash scripts/web.sh [--build-only] [--port N]" >&2; exit 2 ;;
  esac
  shift
done

if ! command -v emcmake >/dev/null; then
  echo "emscripten is missing: bash scripts/install-deps.sh --test installs it" >&2
  exit 1
fi
# Debian's emscripten finds its JavaScript modules (acorn) only here.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"${JOBS:-2}"
echo "Built build-web/site/."
$build_only && exit 0

echo "Serving tracemill at http://127.0.0.1:$port/ (Ctrl-C ends it)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
