#!/usr/bin/env bash
# Image output benchmark: our JPEG writer and PDF exporter against the usual tools, on
# realistic A4 300 dpi scans (colour 2480 x 3508, grey: white paper, text-like strokes, a
# photo region, mild sensor noise; line art: set text and the photo region cut at mid-grey
# after the same noise, and a heavily speckled variant) made by output_bench_tool.
#
#   bash bench/output_bench.sh [build folder, default build]
#
# Prints wall time, CPU time, peak memory (max RSS) and output size per run, side by
# side, then the targets: JPEG within 1.15 x cjpeg's time; compressed PDF no larger than
# img2pdf's and at most 1/5 of its time (1 and 20 pages); one colour page at most 1.2 x
# the wall time of `pigz -6` on the same BMP; the 20-page export under 150 MB peak and
# within 10% of the 5-page export's peak; the colour page as JPEG at quality 75 (beside
# cjpeg + img2pdf) at most 1.0 MB and 0.3 s; line art (CCITT G4) at most half of
# img2pdf's size.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
tool=$build/bin/output_bench_tool
if [ ! -x "$tool" ]; then
    echo "build the driver first: cmake --build $build --target output_bench_tool" >&2
    exit 1
fi
magick=$(command -v convert-im6.q16 || command -v convert || true)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Debian's ImageMagick policy forbids the "PDF" coder and caps memory and disk far below a
# 20-page job. Its PDF writer is reached as "PDFA:" (the same writer, multi-page, Flate
# for -compress zip), and a policy of our own lifts the resource caps, so ImageMagick
# runs as it would unconfined.
mkdir -p "$work/im"
cat >"$work/im/policy.xml" <<'POLICY'
<policymap>
  <policy domain="resource" name="memory" value="8GiB"/>
  <policy domain="resource" name="map" value="16GiB"/>
  <policy domain="resource" name="disk" value="32GiB"/>
  <policy domain="resource" name="area" value="8GP"/>
</policymap>
POLICY
# magick_pdf inputs... output (a script, so that time(1) can run it)
cat >"$work/magick_pdf" <<SCRIPT
#!/usr/bin/env bash
out=\${*: -1}
MAGICK_CONFIGURE_PATH="$work/im" exec "$magick" "\${@:1:\$#-1}" -compress zip "PDFA:\$out"
SCRIPT
chmod +x "$work/magick_pdf"
declare -A wall cpu peak size

# run KEY OUTPUT COMMAND...: one timed run; a failed or timed-out tool is reported, not fatal.
run() {
    local key=$1 out=$2
    shift 2
    rm -f "$out"
    if /usr/bin/time -f "%e %U %S %M" -o "$work/time" timeout 600 "$@" >/dev/null 2>"$work/err" &&
        [ -s "$out" ]; then
        read -r w u s m <"$work/time"
        wall[$key]=$w
        cpu[$key]=$(echo "$u + $s" | bc)
        peak[$key]=$((m / 1024))
        size[$key]=$(stat -c %s "$out")
    else
        wall[$key]=failed; cpu[$key]=-; peak[$key]=-; size[$key]=-
    fi
    printf '%-34s %9s s %9s s %7s MB %12s B\n' "$key" "${wall[$key]}" "${cpu[$key]}" "${peak[$key]}" "${size[$key]}"
}

echo "making pages in $work ..."
"$tool" pages "$work/pages" 5
p=$work/pages
five=("$p"/colour-{1..5}.bmp)
twenty=("${five[@]}" "${five[@]}" "${five[@]}" "${five[@]}")
printf '%-34s %11s %11s %10s %14s\n' run wall cpu peak size

for kind in colour grey; do
    run "jpeg $kind baseline: ours" "$work/o.jpg" "$tool" jpeg "$p/$kind.bmp" "$work/o.jpg" 80 0
    run "jpeg $kind baseline: cjpeg" "$work/c.jpg" cjpeg -quality 80 -outfile "$work/c.jpg" "$p/$kind.bmp"
    run "jpeg $kind progressive: ours" "$work/o.jpg" "$tool" jpeg "$p/$kind.bmp" "$work/o.jpg" 80 1
    run "jpeg $kind progressive: cjpeg" "$work/c.jpg" cjpeg -quality 80 -progressive -outfile "$work/c.jpg" "$p/$kind.bmp"
done
for kind in colour grey lineart lineart-speckled; do
    run "pdf 1 $kind: ours" "$work/o.pdf" "$tool" pdf "$work/o.pdf" 3 "$p/$kind.bmp"
    run "pdf 1 $kind: img2pdf" "$work/i.pdf" img2pdf "$p/$kind.bmp" -o "$work/i.pdf"
    [ -n "$magick" ] && run "pdf 1 $kind: imagemagick" "$work/m.pdf" "$work/magick_pdf" "$p/$kind.bmp" "$work/m.pdf"
done
run "gzip 1 colour: pigz -6" "$work/c.gz" sh -c 'pigz -6 -c "$1" >"$2"' sh "$p/colour.bmp" "$work/c.gz"
# The PDF with JPEG images beside the usual way to get one: cjpeg, then img2pdf.
cat >"$work/cjpeg_img2pdf" <<'SCRIPT'
#!/usr/bin/env bash
cjpeg -quality 75 -outfile "$2.jpg" "$1" && img2pdf "$2.jpg" -o "$2"
SCRIPT
chmod +x "$work/cjpeg_img2pdf"
run "pdf 1 colour jpeg 75: ours" "$work/o.pdf" "$tool" pdf "$work/o.pdf" jpeg:75 "$p/colour.bmp"
run "pdf 1 colour jpeg 75: cjpeg+img2pdf" "$work/i.pdf" "$work/cjpeg_img2pdf" "$p/colour.bmp" "$work/i.pdf"
for n in 5 20; do
    if [ "$n" = 5 ]; then pages=("${five[@]}"); else pages=("${twenty[@]}"); fi
    run "pdf $n colour: ours" "$work/o.pdf" "$tool" pdf "$work/o.pdf" 3 "${pages[@]}"
    run "pdf $n colour: img2pdf" "$work/i.pdf" img2pdf "${pages[@]}" -o "$work/i.pdf"
    [ -n "$magick" ] && run "pdf $n colour: imagemagick" "$work/m.pdf" "$work/magick_pdf" "${pages[@]}" "$work/m.pdf"
done

# check NAME CONDITION: prints the target line with its verdict.
check() {
    if [ "$(echo "$2" | bc -l 2>/dev/null)" = 1 ]; then verdict=met; else verdict=MISSED; fi
    printf '%-70s %s\n' "$1" "$verdict"
}
ratio() { [ "$2" = failed ] || [ "$1" = failed ] && echo 0 || echo "$1 / $2"; }
echo
echo "targets (load on the machine shows in wall times; cpu times are the steadier figure):"
for mode in baseline progressive; do
    r=$(ratio "${wall[jpeg colour $mode: ours]}" "${wall[jpeg colour $mode: cjpeg]}")
    check "jpeg colour $mode time <= 1.15 x cjpeg ($(printf '%.2f' "$(echo "$r" | bc -l)"))" "$r <= 1.15"
done
for key in "pdf 1 colour" "pdf 1 grey" "pdf 1 lineart" "pdf 20 colour"; do
    check "$key size <= img2pdf (${size[$key: ours]} vs ${size[$key: img2pdf]})" "${size[$key: ours]} <= ${size[$key: img2pdf]}"
    r=$(ratio "${wall[$key: ours]}" "${wall[$key: img2pdf]}")
    check "$key time <= 1/5 of img2pdf's ($(printf '%.2f' "$(echo "$r" | bc -l)"))" "$r <= 0.2"
done
r=$(ratio "${wall[pdf 1 colour: ours]}" "${wall[gzip 1 colour: pigz -6]}")
check "pdf 1 colour wall <= 1.2 x pigz -6 ($(printf '%.2f' "$(echo "$r" | bc -l)"))" "$r <= 1.2"
jpeg_size=${size[pdf 1 colour jpeg 75: ours]}
jpeg_wall=${wall[pdf 1 colour jpeg 75: ours]}
if [ "$jpeg_size" = - ]; then
    check "pdf 1 colour jpeg 75 (the run failed)" 0
else
    check "pdf 1 colour jpeg 75 size <= 1.0 MB ($(printf '%.2f' "$(echo "$jpeg_size / 1000000" | bc -l)") MB)" \
        "$jpeg_size <= 1000000"
    check "pdf 1 colour jpeg 75 time <= 0.3 s ($jpeg_wall s)" "$jpeg_wall <= 0.3"
fi
for kind in lineart lineart-speckled; do
    r=$(ratio "${size[pdf 1 $kind: ours]/-/failed}" "${size[pdf 1 $kind: img2pdf]/-/failed}")
    check "pdf 1 $kind size <= 1/2 of img2pdf's ($(printf '%.2f' "$(echo "$r" | bc -l)"))" "$r <= 0.5"
done
check "pdf 20 colour peak < 150 MB (${peak[pdf 20 colour: ours]} MB)" "${peak[pdf 20 colour: ours]} < 150"
check "pdf 20 peak within 10% of pdf 5 peak (${peak[pdf 20 colour: ours]} vs ${peak[pdf 5 colour: ours]} MB)" \
    "${peak[pdf 20 colour: ours]} <= 1.1 * ${peak[pdf 5 colour: ours]}"
