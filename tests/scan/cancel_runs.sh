#!/usr/bin/env bash
# Cancels slow scans at random moments in the real program on a private X server: each
# run starts Folivo, presses Ctrl+R (a slow transfer from SANE's test device), Esc in the
# 読み取り dialog 0-3 s later, dismisses the box of a device given up, then Ctrl+X. The
# dialog must go within 5 s of Esc (10 s for a device given up), the program within 15 s
# of Ctrl+X, or the run hung and is killed. Prints one line per run and a summary; fails
# when a run hung, crashed or was slow.
# Usage: cancel_runs.sh <program> <runs> [seed]
set -uo pipefail
program=$(readlink -f "${1:?program}")
runs=${2:?runs}
seed=${3:-$RANDOM}
here=$(dirname "$(readlink -f "$0")")
source "$here/../../scripts/xvfb-session.sh"
RANDOM=$seed

gone() { ! shown "$1"; }

start_private_x 1024x768 || fail "no X server"

# SANE sees only its test device, whose transfers are slowed down by its own options.
mkdir -p "$work/sane" "$work/program" "$work/config/Folivo"
echo test >"$work/sane/dll.conf"
sed -e 's/^read-limit .*/read-limit true/' -e 's/^read-limit-size .*/read-limit-size 2/' \
    "$here/data/test.conf" >"$work/sane/test.conf"
printf '[TWAIN]\nDialog=False\n' >"$work/program/Folivo.ini"
# The layer's remembered options for test:0 (fixed-point values are 16.16 words):
# Color, 600 dpi, the grid picture, 200 x 200 mm: 67 MB in 2-byte reads, some 10 s.
group="Device-$(printf 'test:0' | od -An -tx1 | tr -d ' \n')"
cat >"$work/config/Folivo/scanner.ini" <<INI
[Source]
Default=test:0

[$group]
Names=mode, resolution, test-picture, br-x, br-y
Values=Color, $((600 << 16)), Grid, $((200 << 16)), $((200 << 16))
INI

hung=0 given_up=0 finished=0 crashed=0 slow=0
for ((run = 1; run <= runs; run++)); do
    rm -f "$work/status-app.log"
    start_folivo app "$program" "$work/sane" || { app_pid=$started; fail "run $run: no start"; }
    app_pid=$started
    wait_for 100 shown '^Folivo$' || fail "run $run: no main window"
    main=$(visible '^Folivo$')
    delay=$((RANDOM % 3000))
    # A window may take a moment to accept keys after it is mapped.
    press_until "$main" ctrl+r 10 shown '^読み取り$' || fail "run $run: no 読み取り dialog"
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    outcome=answered
    pressed=$(date +%s%N)
    # Esc until the dialog takes it; it stays up, modal, until the scan has stopped.
    for ((try = 0; try < 200; try++)); do
        dialog=$(visible '^読み取り$')
        [ -z "$dialog" ] && break
        ((try % 10 == 0)) && xdotool windowfocus --sync "$dialog" key Escape 2>/dev/null
        sleep 0.1
    done
    # The dialog may give way to the layer's own wait dialog, of the same title, while the
    # cancel finishes: both must be gone within the limit of a device given up.
    wait_for 100 gone '^読み取り$' || outcome=HUNG
    stop_ms=$((($(date +%s%N) - pressed) / 1000000))
    # A page shown means the transfer ended before the cancel.
    [ "$outcome" != HUNG ] && ls "$work"/program/tmp/work-*/*.BMP >/dev/null 2>&1 && outcome=finished
    # A device given up is told in a box once the dialog has gone.
    box_wait=3
    [ "$stop_ms" -gt 5000 ] && box_wait=30
    if [ "$outcome" != HUNG ] && wait_for "$box_wait" shown 'スキャナーのエラー'; then
        outcome=given_up
        xdotool windowfocus --sync "$(visible 'スキャナーのエラー')" key Return 2>/dev/null
        wait_for 50 bash -c "! xdotool search --onlyvisible --name 'スキャナーのエラー' >/dev/null"
    fi
    # Stopping takes a moment; only a device given up may take its 10 s.
    [ "$outcome" = answered ] && [ "$stop_ms" -gt 5000 ] && outcome=SLOW
    if [ "$outcome" != HUNG ] && ! kill -0 "$app_pid" 2>/dev/null; then
        outcome=CRASHED
        crashed=$((crashed + 1))
        tail -n 20 "$work/app-app.log"
    fi
    if [ "$outcome" != HUNG ] && [ "$outcome" != CRASHED ]; then
        xdotool windowfocus --sync "$main" key ctrl+x 2>/dev/null
        wait_for 150 stopped "$app_pid" || outcome=HUNG
    fi
    if [ "$outcome" = HUNG ]; then
        hung=$((hung + 1))
        kill -9 "$app_pid" 2>/dev/null
    fi
    [ "$outcome" = given_up ] && given_up=$((given_up + 1))
    [ "$outcome" = SLOW ] && slow=$((slow + 1))
    [ "$outcome" = finished ] && finished=$((finished + 1))
    wait "$app_pid" 2>/dev/null
    app_pid=""
    echo "run $run (seed $seed): cancel after ${delay} ms, stopped in ${stop_ms} ms: $outcome"
done
echo "runs=$runs hung=$hung crashed=$crashed slow=$slow given_up=$given_up finished=$finished"
[ "$hung" -eq 0 ] && [ "$crashed" -eq 0 ] && [ "$slow" -eq 0 ]
