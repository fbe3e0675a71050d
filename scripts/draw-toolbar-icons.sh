#!/usr/bin/env bash
# Redraws the toolbar pictures of the main window's form description
# (app/shell/forms/icons and icons-2x) with the program's icon drawer.
# Usage: bash scripts/draw-toolbar-icons.sh [build folder]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cmake --build "$build" --target draw_toolbar_icons
QT_QPA_PLATFORM=offscreen "$build/bin/draw_toolbar_icons" "$root/app/shell/forms"
echo "pictures written to $root/app/shell/forms/icons and icons-2x"
