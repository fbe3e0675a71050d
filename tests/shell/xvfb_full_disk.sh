#!/usr/bin/env bash
# A full file system under the program's "tmp": the real program on a private X server,
# "tmp" a small tmpfs in a private mount namespace (needs root, as in CI), filled up
# after the start. Ctrl+R: the page cannot be written, yet it is shown and the failure
# is reported; Ctrl+B then saves it elsewhere.
# Usage: xvfb_full_disk.sh <program> <SANE configuration folder>
set -euo pipefail
if [ -z "${FOLIVO_IN_NAMESPACE:-}" ]; then
    # Skipped (77) where no private mount namespace can be made.
    unshare -m --propagation private true 2>/dev/null || exit 77
    exec env FOLIVO_IN_NAMESPACE=1 unshare -m --propagation private bash "$0" "$@"
fi
program=${1:?program}
sane_config=${2:?SANE configuration folder}
source "$(dirname "$(readlink -f "$0")")/../../scripts/xvfb-session.sh"
# The program goes first, so that the file system is no longer busy when it is unmounted.
leave() {
    { [ -n "$app_pid" ] && kill "$app_pid" && wait "$app_pid"; } 2>/dev/null || true
    app_pid=""
    umount "$work/program/tmp" 2>/dev/null || true
    folivo_session_cleanup
}
trap leave EXIT

start_private_x 1024x768 || fail "no X server"
mkdir -p "$work/program/tmp" "$work/elsewhere"
mount -t tmpfs -o size=256k tmpfs "$work/program/tmp" || fail "cannot mount a tmpfs"
printf '[TWAIN]\nDialog=False\n' >"$work/program/Folivo.ini"

start_folivo app "$program" "$sane_config" || { kill "$started"; fail "no start message"; }
app_pid=$started
wait_for 100 shown '^Folivo$' || fail "no main window"
main=$(visible '^Folivo$')
dd if=/dev/zero of="$work/program/tmp/filler" bs=4k 2>/dev/null || true # until it is full

title="スキャン画像を一時ファイルに保存できませんでした。"
box_shown() { [ "$(xdotool search --onlyvisible --name . 2>/dev/null | wc -l)" -gt 1 ]; }
message_shown() { shown "$title"; }
press_until "$main" ctrl+r 100 message_shown || fail "Ctrl+R showed no message"
xdotool windowfocus --sync "$(visible "$title")" key Return
wait_for 50 grep -qx "$title" "$work/status-app.log" || fail "the failure was not reported"
[ -z "$(find "$work/program/tmp" -name 'TMP*' -size +0)" ] || fail "a page file was written"

press_until "$main" ctrl+b 30 box_shown || fail "Ctrl+B showed no save dialog"
sleep 1
xdotool key --clearmodifiers ctrl+a type --delay 20 "$work/elsewhere/page.bmp"
xdotool key Return
wait_for 100 grep -qx "BMPファイルの保存を終了します。" "$work/status-app.log" || fail "not saved"
[ "$(head -c 2 "$work/elsewhere/page.bmp")" = "BM" ] || fail "the saved file is not a BMP"
echo "PASS: a page that could not be written was shown, reported and saved elsewhere"
