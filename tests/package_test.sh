#!/usr/bin/env bash
# The Debian package as a user meets it: lintian finds no error, the desktop
# entry validates, the package installs on this machine, the installed
# command draws the very bytes of the build tree's, the installed dialog
# starts, and the package removes cleanly again. Run as root, after
# scripts/package.sh and a build in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=$(ls dist/tracemill_*_amd64.deb)
lintian --fail-on error,warning "$deb"
desktop-file-validate packaging/tracemill.desktop

work=$(mktemp -d)
trap 'rm -rf "$work"; dpkg -s tracemill >/dev/null 2>&1 && apt-get remove -y -qq tracemill >/dev/null' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null

[ "$(/usr/bin/tracemill --version)" = "$(build/tracemill --version)" ]
text="$(cat scripts/sample.txt)"
for options in "" "--polylines --units mm"; do
  # shellcheck disable=SC2086
  /usr/bin/tracemill $options -o "$work/installed.dxf" --svg "$work/installed.svg" -- "$text" || [ $? -le 1 ]
  # shellcheck disable=SC2086
  build/tracemill $options -o "$work/built.dxf" --svg "$work/built.svg" -- "$text" || [ $? -le 1 ]
  cmp "$work/installed.dxf" "$work/built.dxf"
  cmp "$work/installed.svg" "$work/built.svg"
  rm -f "$work"/*.dxf "$work"/*.svg
done
test -s /usr/share/icons/hicolor/scalable/apps/tracemill.svg
test -s /usr/share/doc/tracemill/copyright
[ "$(zcat /usr/share/man/man1/tracemill.1.gz | grep -c 'char\\-width')" -gt 0 ]
test -s /usr/share/man/man1/tracemill-gui.1.gz
test -s /usr/share/bash-completion/completions/tracemill

# The dialog: it must come up and keep running until it is told to stop.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/tracemill-gui || status=$?
[ "$status" -eq 124 ] || { echo "tracemill-gui ended with status $status"; exit 1; }

apt-get remove -y -qq tracemill >/dev/null
! dpkg -s tracemill >/dev/null 2>&1
test ! -e /usr/bin/tracemill
echo "The package installs, draws the build tree's bytes and removes cleanly."
