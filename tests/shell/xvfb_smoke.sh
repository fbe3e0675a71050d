#!/usr/bin/env bash
# Starts the real program without a scanner on a private X server and uses it like a
# person would: dismisses the missing-scanner box, checks the status line (read through
# FOLIVO_STATUS_LOG), the main window "Folivo" and the program's icon on both windows,
# then expects a clean exit within 5 s of Ctrl+X. With SMOKE_EXPECT_MANUAL=<file>, F1
# must hand exactly that file to the desktop's opener (a stand-in xdg-open records what
# it is given).
# Usage: xvfb_smoke.sh <program or launcher>
set -euo pipefail
source "$(dirname "$(readlink -f "$0")")/../../scripts/xvfb-session.sh"
start_private_x 1024x768 || fail "no X server"
mkdir "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s/opened.log"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
PATH="$work/bin:$PATH" FOLIVO_SCANNER=none start_folivo app "${1:?program}" /nonexistent ||
    { app_pid=$started; fail "no start message"; }
app_pid=$started
log="$work/status-app.log"

# Without a scanner the three-line box comes up first; Return presses its OK button.
missing="TWAINデバイスが見つかりません。"
wait_for 150 shown '^TWAIN' || fail "no missing-scanner box"
has_icon() { [[ "$(xprop -id "$1" _NET_WM_ICON)" == "_NET_WM_ICON(CARDINAL) ="* ]]; }
has_icon "$(visible '^TWAIN')" || fail "the message box carries no icon"
press_until "$(visible '^TWAIN')" Return 10 grep -qx "$missing" "$log" || true
[ "$(tail -n1 "$log")" = "$missing" ] || fail "status line not updated"
wait_for 100 shown '^Folivo$' || fail "no main window titled Folivo"
main=$(visible '^Folivo$')
has_icon "$main" || fail "the main window carries no icon"
[ -d "$work/program/tmp" ] || fail "tmp folder not made"

if [ -n "${SMOKE_EXPECT_MANUAL:-}" ]; then
    press_until "$main" F1 10 test -s "$work/opened.log" || fail "F1 opened nothing"
    opened=$(head -n1 "$work/opened.log")
    [ "$(readlink -f "${opened#file://}")" = "$(readlink -f "$SMOKE_EXPECT_MANUAL")" ] ||
        fail "F1 opened $opened, not $SMOKE_EXPECT_MANUAL"
fi

xdotool windowfocus --sync "$main" key ctrl+x
wait_for 50 stopped "$app_pid" || fail "still running 5 s after Ctrl+X"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: started, reported the missing scanner, closed with Ctrl+X"
