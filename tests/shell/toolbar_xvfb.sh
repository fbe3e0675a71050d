#!/usr/bin/env bash
# The toolbar in the real program, read through the accessibility bus as a screen reader
# does: over each of the nine buttons the status line shows its description (disabled ones
# leave it alone); a click on scan (SANE's test device, automatic save of BMP, JPEG and PDF
# to the Desktop) writes the page and the three files, with the status lines in order.
# Usage: toolbar_xvfb.sh <program> <sane config folder>
set -euo pipefail
program=${1:?program} sane=${2:?sane config}
here=$(dirname "$(readlink -f "$0")")
if [ "${TOOLBAR_IN_SESSION:-}" != 1 ]; then
    export TOOLBAR_IN_SESSION=1
    exec dbus-run-session -- bash "$0" "$@"
fi
source "$here/../../scripts/xvfb-session.sh"
atspi() { /usr/bin/python3 "$here/toolbar_atspi.py" "$@" Folivo 2>/dev/null; }
bus_pid=""
trap '{ [ -n "$bus_pid" ] && kill "$bus_pid"; } 2>/dev/null || true; folivo_session_cleanup' EXIT
log="$work/status-app.log"

start_private_x 1024x768 || fail "no X server"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
bus_pid=$!
mkdir -p "$work/program" "$work/user/Desktop"
printf '[TWAIN]\r\nDialog=False\r\n' >"$work/program/Folivo.ini"
for format in BMP JPEG PDF; do
    printf '[%s]\r\nFlag=True\r\nType=0\r\n' "$format" >>"$work/program/Folivo.ini"
done
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_folivo app "$program" "$sane" || { app_pid=$started; fail "no start"; }
app_pid=$started
has_nine() { [ "$(atspi buttons | wc -l)" -ge 9 ]; }
wait_for 200 has_nine || fail "the accessibility bus shows no nine buttons: $(atspi buttons)"

# Each button is known by its description; all nine must have one of their own.
mapfile -t descriptions < <(atspi buttons | cut -f1 | grep . | sort -u)
[ "${#descriptions[@]}" -eq 9 ] || fail "not nine described buttons: ${descriptions[*]}"
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
xdotool mousemove "$x" "$y" click 1 mousemove 5 300 # away, so that no description interleaves
page() { echo "$work"/program/tmp/work-*/TMP00001.BMP; }
page_written() { test -s "$(page)"; }
wait_for 300 page_written || fail "no tmp/work-*/TMP00001.BMP after the click"
desktop="$work/user/Desktop"
three_files() {
    [ -s "$desktop/BMP00001.BMP" ] && [ -s "$desktop/JPEG00001.jpg" ] && [ -s "$desktop/PDF00001.PDF" ]
}
done_line="PDFファイルの保存を終了しました。（$desktop/PDF00001.PDF）"
wait_for 100 grep -qx "$done_line" "$log" || fail "the save did not end"
three_files || fail "the three files did not appear: $(ls "$desktop")"
[ "$(ls "$desktop" | wc -l)" -eq 3 ] || fail "more than one scan: $(ls "$desktop")"
pdfinfo "$desktop/PDF00001.PDF" | grep -q '^Pages: *1$' || fail "PDF is not one page"
cmp -s "$desktop/BMP00001.BMP" "$(page)" || fail "BMP is not a copy"
djpeg "$desktop/JPEG00001.jpg" >/dev/null || fail "JPEG does not decode"
expected_log=("BMPファイルの保存を開始します。" "BMPファイルの保存を終了します。（$desktop/BMP00001.BMP）"
    "JPEGファイルの保存を開始しました。" "JPEGファイルの保存を終了しました。（$desktop/JPEG00001.jpg）"
    "PDFファイルの保存を開始しました。" "$done_line")
mapfile -t saved < <(grep 'ファイルの保存を' "$log")
[ "${saved[*]}" = "${expected_log[*]}" ] || fail "status lines of the save out of order"
save_on() { [ "$(centre "スキャンした画像をBMPファイルに保存します。" | cut -d' ' -f3)" = 1 ]; }
wait_for 100 save_on || fail "save buttons still disabled after the scan"
hover_all all

echo "PASS: nine buttons named and described, a scan saved three files"
