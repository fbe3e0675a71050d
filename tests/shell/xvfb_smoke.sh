#!/usr/bin/env bash
# Starts the real program on a private X server and uses it like a person would:
# waits for its start-up, dismisses the missing-scanner box, checks the status line and
# the main window "Folivo", then presses Ctrl+X and expects a clean exit within 5 s.
# The status line is read from outside through FOLIVO_STATUS_LOG.
# With SMOKE_EXPECT_MANUAL=<file>, F1 must hand exactly that file to the desktop's opener
# (a stand-in xdg-open records what it is given).
# Usage: xvfb_smoke.sh <program or launcher>
set -euo pipefail
program=${1:?program}
here=$(dirname "$(readlink -f "$0")")
source "$here/../../scripts/xvfb-session.sh"
# In the sanitizer build, leaks inside system libraries are not the program's.
export LSAN_OPTIONS="suppressions=$here/lsan_system_libraries.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
fail() { echo "FAIL: $*" >&2; [ -f "$work/status.log" ] && cat "$work/status.log" >&2; exit 1; }

start_private_x 1024x768 || fail "no X server"

mkdir "$work/home" "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s/opened.log"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
PATH="$work/bin:$PATH" FOLIVO_HOME="$work/home" FOLIVO_SCANNER=none FOLIVO_STATUS_LOG="$work/status.log" \
    QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!

start="アプリケーションを開始しました。"
missing="TWAINデバイスが見つかりません。"
wait_for 150 grep -qx "$start" "$work/status.log" 2>/dev/null || fail "no start message"

# Without a scanner the three-line box comes up first; Return presses its OK button.
wait_for 150 shown '^TWAIN' || fail "no missing-scanner box"
box=$(visible '^TWAIN')
press_until "$box" Return 10 grep -qx "$missing" "$work/status.log" || true
grep -qx "$missing" "$work/status.log" || fail "status line not updated"
[ "$(tail -n1 "$work/status.log")" = "$missing" ] || fail "unexpected last status line"

wait_for 100 shown '^Folivo$' || fail "no main window titled Folivo"
main=$(visible '^Folivo$')
[ -d "$work/home/tmp" ] || fail "tmp folder not made"

if [ -n "${SMOKE_EXPECT_MANUAL:-}" ]; then
    press_until "$main" F1 10 test -s "$work/opened.log" || fail "F1 opened nothing"
    opened=$(head -n1 "$work/opened.log")
    [ "$(readlink -f "${opened#file://}")" = "$(readlink -f "$SMOKE_EXPECT_MANUAL")" ] ||
        fail "F1 opened $opened, not $SMOKE_EXPECT_MANUAL"
fi

xdotool windowfocus --sync "$main" key ctrl+x
for ((i = 0; i < 50; i++)); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "still running 5 s after Ctrl+X"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/app.log")"
echo "PASS: started, reported the missing scanner, closed with Ctrl+X"
