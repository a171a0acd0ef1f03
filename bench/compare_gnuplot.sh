#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end: one 2,000-point data file to PNG with fernplot-export, against
# gnuplot (pngcairo) drawing the same points from a CSV as a Bode plot with
# two y axes. Run side by side with hyperfine; the target is ours <= 0.8x.
# POINTS=65535 for the large-file case (target <= 0.35x); bench/scale.sh has
# the batch, listing and CSV ratios.
#
#   bench/compare_gnuplot.sh [BUILD_DIR]     (default: build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/bench}
if [[ ! -f "$build/build.ninja" && ! -f "$build/Makefile" ]]; then
  cmake --preset bench >/dev/null
  build=build/bench
fi
cmake --build "$build" --target fernplot-export bench_render_sweep_file >/dev/null
for tool in gnuplot hyperfine; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
: >"$work/factory.CFG"  # the factory settings
exporter="$build/src/export/fernplot-export"
"$build/bench/bench_render_sweep_file" "$work/LOOP.DAT" "${POINTS:-2000}"
# The same points as the page shows them, for gnuplot.
"$exporter" -o "$work" -s "$work/factory.CFG" -f csv "$work/LOOP.DAT"
"$exporter" -o "$work" -s "$work/factory.CFG" -f png "$work/LOOP.DAT"
size=$(/usr/bin/python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%d,%d" % struct.unpack(">II", d[16:24]))' "$work/LOOP.png")

cat >"$work/bode.gp" <<GP
set terminal pngcairo size $size font "IPAPGothic,10"
set output "$work/LOOP-gnuplot.png"
set datafile separator ","
set title "周波数特性"
set logscale x
set format x "%.0s%c"
set xlabel "FREQUENCY [Hz]"
set ylabel "GAIN [dB]" textcolor rgb "red"
set y2label "PHASE [deg]" textcolor rgb "blue"
set ytics nomirror
set y2tics
set grid xtics mxtics ytics
set key off
plot "$work/LOOP.csv" using 1:2 axes x1y1 with lines lw 2 lc rgb "red", \
     "" using 1:3 axes x1y2 with lines lw 2 lc rgb "blue"
GP

hyperfine --warmup 3 --min-runs 20 --export-json "$work/times.json" \
  -n fernplot-export "$exporter -o $work -s $work/factory.CFG -f png $work/LOOP.DAT" \
  -n gnuplot "gnuplot $work/bode.gp"

/usr/bin/python3 - "$work/times.json" <<'PY'
import json, sys
runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
ours, theirs = runs["fernplot-export"]["mean"], runs["gnuplot"]["mean"]
print(f"fernplot-export {ours*1000:.1f} ms, gnuplot {theirs*1000:.1f} ms, "
      f"ratio {ours/theirs:.2f} (target <= 0.80)")
PY
if [[ -n "${KEEP_IMAGES:-}" ]]; then
  mkdir -p "$KEEP_IMAGES"
  cp "$work/LOOP.png" "$work/LOOP-gnuplot.png" "$KEEP_IMAGES/"
fi
