#!/usr/bin/env bash
# Scans a page with the real program on a private X server, as a user would: automatic
# save on for BMP, JPEG and PDF into the Desktop, the scanner's dialog off, SANE's test
# device as the scanner. Presses Ctrl+R in the main window and expects the three files on
# the Desktop and the status line "PDFファイルの保存を終了しました。"; then Ctrl+X.
# Usage: xvfb_scan.sh <program> <folder with SANE's dll.conf listing "test">
set -euo pipefail
program=${1:?program}
sane_config=${2:?SANE configuration folder}
here=$(dirname "$(readlink -f "$0")")
source "$here/../../scripts/xvfb-session.sh"
# In the sanitizer build, leaks of system libraries and of SANE itself are not the
# program's. The program unloads libsane (and libsane its backend) before leaks are
# reported; preloading both into it keeps them mapped so that the suppressions name them.
cat "$here/lsan_system_libraries.supp" "$sane_config"/*.supp >"$work/lsan.supp" 2>/dev/null || true
export LSAN_OPTIONS="suppressions=$work/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
sanitizer_env=()
if ldd "$program" | grep -q libasan; then
    sane=$(ldconfig -p | awk '/libsane\.so\.1 / {print $NF; exit}')
    sanitizer_env=("LD_PRELOAD=$sane $(dirname "$sane")/sane/libsane-test.so.1"
        "ASAN_OPTIONS=verify_asan_link_order=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}")
fi
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/status.log" ] && cat "$work/status.log" >&2
    [ -f "$work/app.log" ] && cat "$work/app.log" >&2
    exit 1
}

start_private_x 1024x768 || fail "no X server"

# Program folder, the user's home (Desktop) and configuration folders all made here.
mkdir -p "$work/program" "$work/user/Desktop" "$work/config" "$work/data"
cat >"$work/program/Folivo.ini" <<'INI'
[TWAIN]
Dialog=False
[BMP]
Flag=True
Type=0
[JPEG]
Flag=True
Type=0
[PDF]
Flag=True
Type=0
INI

env "${sanitizer_env[@]}" HOME="$work/user" XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" FOLIVO_HOME="$work/program" FOLIVO_STATUS_LOG="$work/status.log" \
    SANE_CONFIG_DIR="$sane_config" QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!

start="アプリケーションを開始しました。"
done_line="PDFファイルの保存を終了しました。"
wait_for 150 grep -qx "$start" "$work/status.log" 2>/dev/null || fail "no start message"
wait_for 100 shown '^Folivo$' || fail "no main window titled Folivo"
main=$(visible '^Folivo$')

desktop="$work/user/Desktop"
three_files() {
    [ -s "$desktop/BMP00001.BMP" ] && [ -s "$desktop/JPEG00001.jpg" ] &&
        [ -s "$desktop/PDF00001.PDF" ]
}
press_until "$main" ctrl+r 50 grep -qx "$done_line" "$work/status.log" || true
wait_for 100 three_files || fail "the three files did not appear: $(ls "$desktop")"
[ "$(tail -n1 "$work/status.log")" = "$done_line" ] || fail "unexpected last status line"
[ "$(ls "$desktop" | wc -l)" -eq 3 ] || fail "more than one scan: $(ls "$desktop")"
page=$(echo "$work"/program/tmp/work-*/TMP00001.BMP) # the window's own work folder
[ -s "$page" ] || fail "no temporary page file"
pdfinfo "$desktop/PDF00001.PDF" | grep -q '^Pages: *1$' || fail "PDF is not one page"
cmp -s "$desktop/BMP00001.BMP" "$page" || fail "BMP is not a copy"
djpeg "$desktop/JPEG00001.jpg" >/dev/null || fail "JPEG does not decode"
expected_log=("BMPファイルの保存を開始します。" "BMPファイルの保存を終了します。"
    "JPEGファイルの保存を開始しました。" "JPEGファイルの保存を終了しました。"
    "PDFファイルの保存を開始しました。" "$done_line")
mapfile -t log < <(tail -n "${#expected_log[@]}" "$work/status.log")
[ "${log[*]}" = "${expected_log[*]}" ] || fail "status lines of the save out of order"

xdotool windowfocus --sync "$main" key ctrl+x 2>/dev/null || true
wait_for 50 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "still running 5 s after Ctrl+X"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: Ctrl+R scanned one page and saved BMP00001.BMP, JPEG00001.jpg and PDF00001.PDF"
