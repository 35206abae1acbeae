#!/usr/bin/env bash
# Builds the Debian package: dist/tracemill_<version>_amd64.deb (the command,
# the dialog, its desktop entry and icon, the manual page, the documentation).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTRACEMILL_TESTS=OFF >/dev/null
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB >/dev/null)
mkdir -p dist
rm -f dist/tracemill_*.deb
mv build-package/tracemill_*.deb dist/
ls dist/tracemill_*.deb
