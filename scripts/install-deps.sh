#!/usr/bin/env bash
# Installs what building tracemill needs on Debian 12 (run as root); with
# --test also what its tests and benchmarks need.
set -euo pipefail

packages=(cmake make g++ libcli11-dev qt6-base-dev qt6-tools-dev qt6-tools-dev-tools
          qt6-l10n-tools qt6-translations-l10n help2man fonts-ipafont-gothic)
# qt6-base-dev: the dialog (Qt 6 Widgets). qt6-tools-dev, qt6-tools-dev-tools,
# qt6-l10n-tools: Qt's translation tools (lrelease compiles the dialog's
# English texts at build time, lupdate refreshes them); qt6-translations-l10n:
# Qt's own translations (the message boxes' buttons in Japanese). help2man: the
# manual page, made from --help. fonts-ipafont-gothic: a Japanese font for the
# dialog's texts.
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev python3 python3-ezdxf python3-shapely
               python3-mpmath
               locales clang libclang-rt-14-dev linuxcnc-uspace
               lintian desktop-file-utils)
# Qt Test comes with qt6-base-dev; the dialog's tests run on Qt's offscreen
# platform, no display needed. python3-ezdxf: the DXF reader of the command-line
# tests. python3-shapely: the area check of the closed contours (it buffers the
# skeleton independently). python3-mpmath: the correctly rounded values the
# elementary functions are checked against. clang, libclang-rt-14-dev: the
# fuzzer (libFuzzer and the sanitizers' runtime). linuxcnc-uspace: its
# standalone G-code interpreter (rs274) reads every machine program the tests
# write. lintian, desktop-file-utils: the checks of the Debian package and its
# desktop entry.

testing=false
case "${1:-}" in
  --test) testing=true ;;
  "") ;;
  *) echo "usage: $0 [--test]" >&2; exit 2 ;;
esac
if $testing; then packages+=("${test_packages[@]}"); fi

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
if $testing && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# The page in the browser (scripts/web.sh, tests/web), with --test.
if $testing; then
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
fi
