#!/usr/bin/env bash
# A preview scan of the whole glass (200 x 200 mm) of SANE's test device, from a device set
# for a 300 dpi colour scan, through the scanner layer, beside scanimage at the preview's
# resolution. Prints the best of three runs (target: the preview under 1 s).
#
#   bash bench/preview_bench.sh [BUILD_DIR]   (default: build-bench)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build-bench}"
tool_name=preview_bench_tool
source "$here/test_device_env.sh"

dpi=$(grep -oP 'kPreviewDpi = \K[0-9]+' "$here/../app/scan/preview_scan.h")
best_layer="" best_whole="" best_scan="" size=""
for _ in 1 2 3; do
    start=$(date +%s%N)
    read -r w h ms < <("$tool" test:0 mode=Color resolution=300 test-picture="Color pattern")
    whole=$(( ($(date +%s%N) - start) / 1000000 ))
    start=$(date +%s%N)
    scanimage -d test:0 --mode Color --resolution "$dpi" --test-picture "Color pattern" \
        -l 0 -t 0 -x 200 -y 200 --format=pnm -o "$work/preview.pnm"
    scan=$(( ($(date +%s%N) - start) / 1000000 ))
    size="${w} x ${h} px"
    [ -z "$best_layer" ] || [ "$ms" -lt "$best_layer" ] && best_layer=$ms
    [ -z "$best_whole" ] || [ "$whole" -lt "$best_whole" ] && best_whole=$whole
    [ -z "$best_scan" ] || [ "$scan" -lt "$best_scan" ] && best_scan=$scan
done
echo "preview of the whole glass at $dpi dpi: $size"
printf '%-40s %8s\n' "" "ms"
printf '%-40s %8s\n' "preview scan in the layer" "$best_layer"
printf '%-40s %8s\n' "preview tool, start to end" "$best_whole"
printf '%-40s %8s\n' "scanimage, same area and resolution" "$best_scan"
awk -v t="$best_layer" 'BEGIN { printf "preview under 1 s: %s\n", (t < 1000 ? "met" : "MISSED") }'
