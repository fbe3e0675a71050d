#!/usr/bin/env bash
# Cancels 300 slow scans at random moments in the real program (SANE's test device,
# tests/scan/cancel_runs.sh), each in its own process, and prints how many runs hung:
# the window stopped answering, or the program did not end after Ctrl+X. Must be 0.
# Runs given up (the device did not answer within 10 s after Cancel, the user told and
# the window still answering) are counted apart. Takes some 20 minutes.
#
#   bash bench/cancel_soak.sh [BUILD_DIR] [RUNS] [SEED]   (defaults: build, 300, random)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
runs="${2:-300}"
program="$build/bin/folivo"
[ -x "$program" ] || { echo "build folivo first ($program)" >&2; exit 1; }
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
bash "$here/../tests/scan/cancel_runs.sh" "$program" "$runs" ${3:+"$3"} | tee "$log"
summary=$(tail -n1 "$log")
hung=$(sed -n 's/.* hung=\([0-9]*\).*/\1/p' <<<"$summary")
echo "cancels: $runs, hung: ${hung:-unknown} ($summary)"
[ "${hung:-1}" -eq 0 ]
