#!/usr/bin/env bash
# Prints the line ratio of test code (tests/ and fuzz/) to product code (app/ and
# buttonctl/): every line, blank and comment lines included, of C++ sources and headers,
# CMake files, shell and Python scripts tracked by git. Manual pages and data are not code.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  git ls-files -co --exclude-standard -- "$@" |
    grep -E '\.(cpp|h|hh|sh|py|cmake)$|CMakeLists\.txt$|\.in$' |
    while read -r f; do [ -f "$f" ] && cat "$f"; done | wc -l
}
code=$(count app buttonctl)
tests=$(count tests fuzz)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d / code %d = %.2f\n", t, c, t / c }'
