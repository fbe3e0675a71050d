#!/usr/bin/env bash
# Runs the multi-page, image-output and scanner-layer benchmarks in one go and prints
# their target lines together at the end, so the figures can be read side by side.
#   bash bench/targets_bench.sh [build folder with FOLIVO_BENCH, default build-bench]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build-bench}" && pwd)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for script in multipage_bench.sh output_bench.sh scan_bench.sh; do
    echo "== $script" | tee -a "$log"
    args=("$build")
    [ "$script" = multipage_bench.sh ] && args+=(20 2)
    bash "$here/$script" "${args[@]}" 2>&1 | tee -a "$log"
done
echo
echo "== targets side by side"
grep -E '^== |target|met$|MISSED' "$log"
