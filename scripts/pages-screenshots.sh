#!/usr/bin/env bash
# Takes the manual's pictures of zkButton's four property pages (developer section):
# builds the small rendering tool and runs it on Qt's offscreen platform, which writes
# manual/html/images/ppg-button.png, ppg-picture.png, ppg-color.png and ppg-font.png.
# Usage: scripts/pages-screenshots.sh [build folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
export LC_ALL=C.UTF-8
[ -f "$build/build.ninja" ] || cmake --preset default -B "$build" >/dev/null
cmake --build "$build" --target zkbutton_pages_screenshots >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bin/zkbutton_pages_screenshots" manual/html/images
