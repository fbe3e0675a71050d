#!/usr/bin/env bash
# Text recognition: time per A4 300 dpi page (jpn+eng) and the size the text layer adds,
# then the time from "完了" to the written PDF for N sheets scanned S seconds apart.
# Usage: bench/ocr_bench.sh [build folder] [sheets] [seconds apart]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
sheets=${2:-10}
apart=${3:-3}
tool=$build/bin/ocr_bench_tool
[ -x "$tool" ] || { echo "build the target ocr_bench_tool first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
echo "cores: $(nproc)"
"$tool" page "$work"
"$tool" run "$work" "$sheets" "$apart"
