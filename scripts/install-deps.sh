#!/usr/bin/env bash
# Installs what building and testing tracemill needs on Debian 12 (run as root).
set -euo pipefail

packages=(cmake make g++ libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
          python3 python3-ezdxf python3-shapely locales
          qt6-base-dev fonts-ipafont-gothic clang libclang-rt-14-dev)
# qt6-base-dev: the dialog (Qt 6 Widgets) and its tests (Qt Test; they run on
# Qt's offscreen platform, no display needed). fonts-ipafont-gothic: a
# Japanese font for the dialog's texts. python3-shapely: the area check of the
# closed contours (it buffers the skeleton independently). clang,
# libclang-rt-14-dev: the fuzzer (libFuzzer and the sanitizers' runtime).

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A comma-decimal locale, to prove that no output depends on the locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# ---- Test-only: the page in the browser (scripts/web.sh, tests/web) --------
# emscripten: the core compiled to WebAssembly; chromium: the real browser the
# page's test drives; nodejs with npm: puppeteer-core, at the version pinned in
# tests/web/package-lock.json, from the npm registry.
web_packages=(emscripten chromium nodejs)
missing=()
for p in "${web_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# A Node.js from elsewhere may bring its own npm; Debian's goes with Debian's.
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
web_tests="$(cd "$(dirname "$0")/../tests/web" && pwd)"
if [ ! -d "$web_tests/node_modules/puppeteer-core" ] ||
   [ "$web_tests/package-lock.json" -nt "$web_tests/node_modules/.package-lock.json" ]; then
  (cd "$web_tests" && npm ci --no-audit --no-fund --loglevel=error)
fi
