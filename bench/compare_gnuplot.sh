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
source bench/gnuplot_bode.sh
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
{
  bode_terminal "$work/LOOP.png"
  echo 'set title "周波数特性"'
  bode_plot "$work/LOOP-gnuplot.png" "$work/LOOP.csv"
} >"$work/bode.gp"

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
