#!/usr/bin/env bash
# Takes the manual's picture of the main window: starts Folivo on a private X server
# (SANE's virtual test scanner stands in for a real one, so no box covers the window),
# waits for its start-up and saves the window as manual/html/images/main-window.png; then
# scans a page, sets the preview to the page's width and saves main-window-zoom.png.
# Usage: scripts/screenshot-main.sh [program]   (default: build/bin/folivo)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(readlink -f "${1:-build/bin/folivo}")
out=manual/html/images/main-window.png
[ -x "$program" ] || { echo "no program at $program (build first)" >&2; exit 1; }

source scripts/xvfb-session.sh
start_private_x 1280x900

source scripts/sane-test-env.sh
mkdir "$work/home"
printf '[TWAIN]\r\nDialog=False\r\n' >"$work/home/Folivo.ini" # no scanner dialog on the scan
FOLIVO_HOME="$work/home" FOLIVO_STATUS_LOG="$work/status.log" QT_QPA_PLATFORM=xcb \
    "$program" >/dev/null 2>&1 &
app_pid=$!

# A box at start-up (no scanner after all) comes before the window; it is closed.
started() {
    local box
    box=$(visible '^TWAIN')
    [ -n "$box" ] && xdotool windowfocus --sync "$box" key Return
    test -n "$(visible '^Folivo$')"
}
wait_for 300 started || { echo "no main window" >&2; exit 1; }
window=$(visible '^Folivo$')
xdotool windowsize --sync "$window" 800 600 2>/dev/null || true
sleep 1 # let the window paint after the resize
mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "wrote $out ($(identify -format '%wx%h' "$out"))"

# A scanned page at the width of the window: the preview's context menu, "幅に合わせる".
zoomed="$(dirname "$out")/main-window-zoom.png"
xdotool windowfocus --sync "$window" key ctrl+r
page_written() { test -n "$(find "$work/home/tmp" -name 'TMP*.BMP' -size +0)"; }
wait_for 300 page_written || { echo "no page scanned" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
sleep 1
xdotool key w sleep 0.5 click --repeat 30 4 mousemove 0 0 # to the top of the page
sleep 1
import -window "$window" "$zoomed"
echo "wrote $zoomed"
