#!/usr/bin/env bash
# Measures the power of the test suite: applies each hand-written fault of
# scripts/mutations.txt, one at a time, to a copy of the tree, rebuilds the targets the
# fault names, runs the tests it names and prints whether the tests caught it.
#
# Usage: scripts/mutation-check.sh [--list] [--only REGEX] [--faults FILE] [--copy DIR]
#                                  [--timeout SECONDS]
#   --list     print the faults and stop
#   --only     run only the faults whose id matches REGEX
#   --faults   read the faults from FILE instead (to try new ones before adding them)
#   --copy     the copy to work in (default $FOLIVO_MUTATION_DIR or /var/tmp/folivo-mutation);
#              it is kept between runs, so a re-run rebuilds only what changed
#   --timeout  the limit of each test run (default 300 seconds)
#
# Results: caught; NOT CAUGHT; stale (the fault's text is no longer found exactly once);
# invalid (the faulty code does not build). The exit status is 0 only when every fault
# was caught; 2 when the set-up fails: a malformed fault file, or a copy that does not
# build or pass its tests before any fault is applied.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
exec python3 "$here/mutation_check.py" --source "$(dirname "$here")" "$@"
