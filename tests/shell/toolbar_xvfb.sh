#!/usr/bin/env bash
# The toolbar in the real program on a private X server, watched through the
# accessibility bus like a screen reader would: the pointer is moved over each of the nine
# buttons (found by their accessible names) and the status line must show that button's
# description; disabled buttons leave it alone. A click on the scan button with SANE's
# test device (its dialog off) must write tmp/TMP00001.BMP, after which every button
# shows its description. Finally the toolbar is photographed into <screenshot>.
# Usage: toolbar_xvfb.sh <program> <sane config folder> <screenshot.png>
set -euo pipefail
program=${1:?program} sane=${2:?sane config} shot=${3:?screenshot}
here=$(dirname "$(readlink -f "$0")")
if [ "${TOOLBAR_IN_SESSION:-}" != 1 ]; then
    export TOOLBAR_IN_SESSION=1
    exec dbus-run-session -- bash "$0" "$@"
fi
export LC_ALL=C.UTF-8
export LSAN_OPTIONS="suppressions=$here/lsan_system_libraries.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
atspi() { /usr/bin/python3 "$here/toolbar_atspi.py" "$@" Folivo 2>/dev/null; }

work=$(mktemp -d)
xvfb_pid="" app_pid="" bus_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; cat "$work/status.log" "$work/app.log" >&2 2>/dev/null; exit 1; }
wait_for() {
    local tries=$1; shift
    for ((i = 0; i < tries; i++)); do "$@" && return 0; sleep 0.1; done
    return 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
bus_pid=$!

mkdir "$work/home"
printf '[TWAIN]\r\nDialog=False\r\n' >"$work/home/Folivo.ini"
FOLIVO_HOME="$work/home" FOLIVO_STATUS_LOG="$work/status.log" SANE_CONFIG_DIR="$sane" \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!
wait_for 200 grep -qsx "アプリケーションを開始しました。" "$work/status.log" || fail "no start"
has_nine() { [ "$(atspi buttons | wc -l)" -ge 9 ]; }
wait_for 200 has_nine || fail "the accessibility bus shows no nine buttons: $(atspi buttons)"

descriptions=(
    "TWAINデバイスのソースを選択します。" "TWAINデバイスから新しいスキャンを行います。"
    "TWAINデバイスからスキャンした画像ファイルをクリップボードにコピーします。"
    "複数のスキャンした画像をPDFファイルに変換します。" "スキャンした画像をBMPファイルに保存します。"
    "スキャンした画像をJPEGファイルに保存します。" "スキャンした画像をPDFファイルに保存します。"
    "ヘルプファイルを表示します。" "アプリケーションを終了させます。")
# centre <name>: "x y enabled" of the button the screen reader knows by that name.
centre() { atspi buttons | awk -F'\t' -v n="$1" '$1 == n { print int($2 + $4 / 2), int($3 + $5 / 2), $6 }'; }
status_is() { [ "$(atspi status)" = "$1" ]; }

# hover_all <"all" | "enabled">: the pointer over each button in turn.
hover_all() {
    for d in "${descriptions[@]}"; do
        read -r x y enabled <<<"$(centre "$d")"
        [ -n "${x:-}" ] || fail "no button named $d"
        xdotool mousemove 5 300   # off the toolbar first
        marker="$(atspi status)"
        xdotool mousemove "$x" "$y" mousemove "$((x + 1))" "$y"
        if [ "$enabled" = 1 ]; then
            wait_for 50 status_is "$d" || fail "over '$d' the status line reads '$(atspi status)'"
        else
            [ "$1" = enabled ] || fail "'$d' is disabled"
            sleep 0.3
            status_is "$marker" || fail "disabled '$d' changed the status line"
        fi
    done
}
hover_all enabled

read -r x y enabled <<<"$(centre "TWAINデバイスから新しいスキャンを行います。")"
[ "$enabled" = 1 ] || fail "scan button disabled"
xdotool mousemove "$x" "$y" click 1
page_written() { test -s "$(echo "$work"/home/tmp/work-*/TMP00001.BMP)"; }
wait_for 300 page_written || fail "no tmp/work-*/TMP00001.BMP after the click"
save_on() { [ "$(centre "スキャンした画像をBMPファイルに保存します。" | cut -d' ' -f3)" = 1 ]; }
wait_for 100 save_on || fail "save buttons still disabled after the scan"
hover_all all

# The toolbar strip, photographed with the pointer away from it.
xdotool mousemove 600 500
sleep 0.3
read -r x0 y0 _ <<<"$(atspi buttons | sort -t$'\t' -k2,2n | head -n1 | awk -F'\t' '{ print $2, $3 }')"
right=$(atspi buttons | awk -F'\t' '{ r = $2 + $4; if (r > m) m = r } END { print m }')
bottom=$(atspi buttons | awk -F'\t' '{ b = $3 + $5; if (b > m) m = b } END { print m }')
import -window root -crop "$((right - x0 + 8))x$((bottom - y0 + 8))+$((x0 > 4 ? x0 - 4 : 0))+$((y0 - 4))" \
    +repage "$shot" || fail "no screenshot"
echo "PASS: nine buttons named and described, scan wrote TMP00001.BMP, screenshot $shot"
