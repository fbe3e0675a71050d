#!/usr/bin/env bash
# A multi-page PDF of N sheets from SANE's test device: Folivo's multi-page command
# (scanner dialog off, prompt answered by the harness) against `scanimage --batch`
# followed by img2pdf on the same pages. Prints wall time and peak memory side by side,
# the time from "完了" to the written PDF, and the targets: Folivo's total at most 0.6 x
# the reference's, the PDF at most 1.0 s after "完了".
# Usage: bench/multipage_bench.sh [build folder] [sheets] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
sheets=${2:-20}
runs=${3:-3}
driver=$build/bin/multipage_bench_driver
[ -x "$driver" ] || { echo "build the target multipage_bench_driver first" >&2; exit 2; }
for tool in scanimage img2pdf pdfinfo /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done

# An A4-wide colour sheet: the test device's largest area at 150 dpi, 1181 x 1181 pixels.
mode=Color dpi=150 width=200 height=200
export SANE_CONFIG_DIR=$root/tests/scan/data
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# seconds peak-KiB of one command (its own output goes to $work/out)
measure() {
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >"$work/out" 2>"$work/err" ||
        { cat "$work/err" >&2; return 1; }
    cat "$work/time"
}

folivo_run() {
    rm -rf "$work/f" && mkdir -p "$work/f/program" "$work/f/config" "$work/f/home"
    printf '[TWAIN]\nDialog=False\n' >"$work/f/program/Folivo.ini"
    measure env HOME="$work/f/home" XDG_CONFIG_HOME="$work/f/config" \
        FOLIVO_HOME="$work/f/program" QT_QPA_PLATFORM=offscreen \
        "$driver" "$sheets" "$work/f/book.pdf" "$mode" "$dpi" "$width" "$height"
}

reference_run() {
    rm -rf "$work/r" && mkdir -p "$work/r"
    local scan pdf
    scan=$(measure scanimage -d test:0 --mode "$mode" --resolution "$dpi" \
        --test-picture "Color pattern" -x "$width" -y "$height" --format=pnm \
        --batch="$work/r/page%03d.pnm" --batch-count="$sheets")
    pdf=$(measure img2pdf -o "$work/r/book.pdf" "$work/r"/page*.pnm)
    # Time adds up; peak memory is that of the larger of the two steps.
    awk -v a="$scan" -v b="$pdf" 'BEGIN {
        split(a, x, " "); split(b, y, " ");
        printf "%.2f %d\n", x[1] + y[1], (x[2] > y[2] ? x[2] : y[2]) }'
}

pages() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }
size_mb() { awk -v b="$(stat -c %s "$1")" 'BEGIN {printf "%.1f", b / 1048576}'; }

echo "Multi-page PDF of $sheets sheets, $mode $dpi dpi, ${width} x ${height} mm (SANE test device)"
printf '%-4s  %-28s  %-28s\n' run "Folivo (s / peak MiB)" "scanimage+img2pdf (s / peak MiB)"
for ((run = 1; run <= runs; run++)); do
    read -r ft fm < <(folivo_run)
    split=$(cat "$work/out")
    read -r rt rm < <(reference_run)
    printf '%-4s  %8.2f s / %6.1f MiB        %8.2f s / %6.1f MiB\n' "$run" "$ft" \
        "$(awk -v k="$fm" 'BEGIN {print k / 1024}')" "$rt" "$(awk -v k="$rm" 'BEGIN {print k / 1024}')"
    echo "      Folivo inside: $split"
    after=$(sed -n 's/.*pdf \([0-9.]*\) s.*/\1/p' <<<"$split")
    awk -v f="$ft" -v r="$rt" -v a="$after" 'BEGIN {
        printf "      target total <= 0.6 x reference: %.2f x %s\n", f / r, (f <= 0.6 * r ? "met" : "MISSED")
        printf "      target 完了 to PDF <= 1.0 s: %.2f s %s\n", a, (a <= 1.0 ? "met" : "MISSED") }'
done
echo "pages: Folivo $(pages "$work/f/book.pdf"), reference $(pages "$work/r/book.pdf");" \
    "file size: Folivo $(size_mb "$work/f/book.pdf") MiB, reference $(size_mb "$work/r/book.pdf") MiB"
