#!/usr/bin/env bash
# Redraws the manual's pictures of the settings and information windows (automatic save,
# folder picker, JPEG and PDF compression, About, the multi-page prompt with its sheet strip)
# and of the scan dialog on SANE's test device (with and without a preview) into
# manual/html/images, on a private X server so they look as on a desktop. Run it again
# whenever one of these windows changes.
# The main window's picture comes from scripts/screenshot-main.sh.
# Usage: scripts/manual-screenshots.sh [build dir]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=manual/html/images
export LC_ALL=C.UTF-8

[ -f "$build/build.ninja" ] || cmake --preset default >/dev/null
cmake --build "$build" --target folivo_dialog_screenshots folivo_scan_screenshots >/dev/null
tool="$build/bin/folivo_dialog_screenshots"

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for ((i = 0; i < 100; i++)); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

mkdir -p "$out" "$work/Folivo"
QT_QPA_PLATFORM=xcb "$tool" "$out" "$work/Folivo" app/shell/dist/folivo.svg
# The scan dialog in Japanese, as SANE's catalogue gives its option titles.
SANE_CONFIG_DIR="$PWD/tests/scan/data" LANGUAGE=ja QT_QPA_PLATFORM=xcb \
    "$build/bin/folivo_scan_screenshots" "$out"
