#!/usr/bin/env bash
# Multi-page sheets with the real program on a private X server, SANE's test device as
# the scanner. Two cases, each over one program folder:
#   two-instances  A gathers two sheets (F5, もう一枚); B starts over the same folder;
#                  A's 完了 still writes a PDF with both sheets.
#   kill           A gathers two sheets and is killed (kill -9); the next start offers
#                  them back, and PDFにまとめる writes a PDF with both sheets.
#   strip          Delete takes the newest sheet out of the strip, Esc scans its
#                  replacement, Ctrl+R turns it and Ctrl+Left moves it first: the PDF's
#                  first page lies on its side.
# Usage: xvfb_sheets.sh <program> <SANE configuration folder> two-instances|kill|strip
set -euo pipefail
program=${1:?program}
sane_config=${2:?SANE configuration folder}
mode=${3:?case}
source "$(dirname "$(readlink -f "$0")")/../../scripts/xvfb-session.sh"
other_pid=""
trap '{ [ -n "$other_pid" ] && kill "$other_pid"; } 2>/dev/null || true; folivo_session_cleanup' EXIT

start_private_x 1024x768 || fail "no X server"
mkdir -p "$work/program"
printf '[TWAIN]\nDialog=False\n' >"$work/program/Folivo.ini"

start() { start_folivo "$1" "$program" "$sane_config" || { kill "$started"; fail "$1 did not start"; }; }
sheets() { find "$work/program/tmp" -name 'TMP*.BMP' -size +0 2>/dev/null | wc -l; }
two_sheets() { [ "$(sheets)" -eq 2 ]; }
prompt_shown() { shown 'マルチページPDF作成処理'; }
# answer_save_dialog PATH: types the path into the save dialog that has the focus.
answer_save_dialog() {
    sleep 1
    xdotool key --clearmodifiers ctrl+a type --delay 20 "$1"
    xdotool key Return
    wait_for 150 test -s "$1" || fail "no file written at $1"
}
pdf_pages() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }

start a
app_pid=$started
wait_for 100 shown '^Folivo$' || fail "no main window"
main=$(visible '^Folivo$')
press_until "$main" F5 30 prompt_shown || fail "F5 did not show the prompt"
# One more sheet: CmdNext is the prompt's default button.
xdotool windowfocus --sync "$(visible 'マルチページPDF作成処理')" key Return
wait_for 150 two_sheets || fail "two sheets were not gathered: $(sheets)"
wait_for 100 prompt_shown || fail "the prompt did not come back"

case "$mode" in
two-instances)
    start b
    other_pid=$started
    sleep 1
    [ "$(sheets)" -eq 2 ] || fail "starting a second Folivo took the first one's sheets"
    ! shown 'スキャン画像の復元' || fail "the second Folivo offered the first one's sheets"
    xdotool windowfocus --sync "$(visible 'マルチページPDF作成処理')" key Tab space
    answer_save_dialog "$work/book.pdf"
    ;;
kill)
    kill -9 "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
    start b
    app_pid=$started
    wait_for 100 shown 'スキャン画像の復元' || fail "no recovery question"
    xdotool windowfocus --sync "$(visible 'スキャン画像の復元')" key Return
    answer_save_dialog "$work/book.pdf"
    wait_for 50 test "$(sheets)" -eq 0 || fail "sheets left after the PDF was written"
    ;;
strip)
    prompt=$(visible 'マルチページPDF作成処理')
    xdotool windowfocus --sync "$prompt" key Delete
    wait_for 50 test "$(sheets)" -eq 1 || fail "Delete did not take the sheet out"
    xdotool windowfocus --sync "$prompt" key Escape
    wait_for 150 two_sheets || fail "Esc did not scan the replacement"
    wait_for 100 prompt_shown || fail "the prompt did not come back"
    xdotool windowfocus --sync "$(visible 'マルチページPDF作成処理')" key ctrl+r ctrl+Left Tab space
    answer_save_dialog "$work/book.pdf"
    sizes=$(pdfinfo -f 1 -l 2 "$work/book.pdf" | awk '/^Page.*size:/ {print ($4 > $6) ? "wide" : "tall"}')
    [ "$(echo $sizes)" = "wide tall" ] || fail "pages are $(echo $sizes), not wide then tall"
    ;;
*) fail "unknown case $mode" ;;
esac
[ "$(pdf_pages "$work/book.pdf")" = 2 ] || fail "the PDF does not hold both sheets"
echo "PASS: $mode: a PDF with both sheets"
