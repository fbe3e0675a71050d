#!/usr/bin/env bash
# Every window of the real program on a 1280 x 800 screen at QT_SCALE_FACTOR 1 and 2,
# each opened as a person would (keys, SANE's test device): it must lie wholly on the
# screen (its X geometry) and show no horizontal scroll bar (read through the
# accessibility bus, as a screen reader does).
# Usage: xvfb_dialog_fit.sh <program> <sane config folder>
set -euo pipefail
program=${1:?program} sane=$(readlink -f "${2:?sane config}")
here=$(dirname "$(readlink -f "$0")")
[ "${FIT_IN_SESSION:-}" = 1 ] || FIT_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
source "$here/../../scripts/xvfb-session.sh"
bus_pid=""
trap '{ [ -n "$bus_pid" ] && kill "$bus_pid"; } 2>/dev/null || true; folivo_session_cleanup' EXIT
start_private_x 1280x800 || fail "no X server"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
bus_pid=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
failures=() save='^(Save As|.*保存)$' k=start

# check TITLE-REGEX: the window shows up, fits the screen and has no sideways bar.
check() {
    local bars name
    wait_for 150 shown "$1" || { failures+=("scale $scale: no window '$1' ($k)"); return 1; }
    sleep 0.5 # let it settle at its final size
    eval "$(xdotool getwindowgeometry --shell "$(visible "$1")")"
    name="scale $scale: '$(xdotool getwindowname "$WINDOW")'"
    echo "$name ${WIDTH}x$HEIGHT at $X,$Y"
    ((X >= 0 && Y >= 0 && X + WIDTH <= 1280 && Y + HEIGHT <= 800)) ||
        failures+=("$name is ${WIDTH}x$HEIGHT at $X,$Y, off the screen")
    bars=$(/usr/bin/python3 "$here/toolbar_atspi.py" hbars Folivo "$1") ||
        failures+=("$name is not on the accessibility bus")
    [ -z "$bars" ] || failures+=("$name has a horizontal scroll bar: $bars")
}
close() { press_until "$(visible "$1")" Escape 30 eval "! shown '$1'" || fail "'$1' stays"; }
look() { if check "$1"; then close "$1"; fi; }
keys() { xdotool windowfocus --sync "$main" key --delay 400 "$@"; }
scanned() { [ -n "$(find "$work/program/tmp" -name 'TMP*.BMP' ! -path '*deadbeef*')" ]; }

for scale in 1 2; do
    rm -rf "$work/program"
    # A page left by a run that died: the start offers it back.
    mkdir -p "$work/program/tmp/work-deadbeef"
    convert -size 200x280 xc:white "BMP3:$work/program/tmp/work-deadbeef/TMP00001.BMP"
    printf '[TWAIN]\r\nDialog=False\r\n' >"$work/program/Folivo.ini"
    export QT_SCALE_FACTOR=$scale
    start_folivo "s$scale" "$program" "$sane" || { app_pid=$started; fail "no start"; }
    app_pid=$started
    look 'スキャン画像の復元'
    wait_for 100 shown '^Folivo$' || fail "no main window"
    main=$(visible '^Folivo$')
    check '^Folivo$'
    keys ctrl+r # a page, so that the save dialogs open
    wait_for 300 scanned || fail "scale $scale: no page scanned"
    for k in ctrl+b ctrl+j ctrl+p "alt+h v" "alt+s a b" "alt+s a j" "alt+s a p" "alt+s c j" \
        "alt+s c p" ctrl+s; do
        keys $k
        look "ﾊﾞｰｼﾞｮﾝ情報|自動保存設定|圧縮設定|^ソースの選択$|$save"
    done
    # The multi-page prompt; 完了 leads to the PDF save dialog, which is cancelled.
    k=F5
    keys $k
    if check 'マルチページPDF作成処理'; then
        xdotool windowfocus --sync "$(visible 'マルチページPDF作成処理')" key Tab space
        wait_for 100 shown "$save" && close "$save"
    fi
    k="alt+v Return ctrl+r"
    keys $k # the scanner's own dialog, switched on in the View menu
    look '^スキャン - '
    keys ctrl+x
    wait_for 50 stopped "$app_pid" || fail "still running after Ctrl+X"
    app_pid=""
done
((${#failures[@]} == 0)) || { printf 'FAIL: %s\n' "${failures[@]}" >&2; exit 1; }
echo "PASS: every window fits 1280x800 without a sideways scroll bar at scale 1 and 2"
