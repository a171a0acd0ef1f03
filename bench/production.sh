#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The exporter on a production lot: 1,000 sweeps of 801 points, judged
# against the 10-rule mask of bench/production_bench.cpp and taken as one
# lot (--statistics with --mask, -j 2), timed as a whole process, reading
# included. Uses the default build (cmake --build --preset default).
#   bench/production.sh [COUNT [POINTS]]
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-1000}
points=${2:-801}
build=build/default
cmake --build --preset default --target fernplot-export fernplot-make-lot >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/fernplot-make-lot" "$work/lot" "$count" "$points"
cat >"$work/mask.txt" <<'MASK'
GAIN MIN 10 200 -0.5
GAIN MAX 10 200 0.5
GAIN MAX 5k 100k -13 -39
GAIN MIN 10 100k -60
PHASE MIN 10 100 -10
PHASE MAX 10k 100k -80
FIGURE minus3dBHz BETWEEN 950 1050
FIGURE peakDb <= 0.3
FIGURE lowFrequencyGainDb BETWEEN -0.3 0.3
FIGURE resonanceQ <= 25
MASK
echo "== $count sweeps of $points points: --statistics --mask -j 2"
for run in 1 2 3; do
  start=$(date +%s.%N)
  status=0
  "$build/src/export/fernplot-export" -q -j 2 --mask "$work/mask.txt" \
    --statistics "$work/out" "$work/lot" || status=$?
  end=$(date +%s.%N)
  echo "run $run: $(echo "$end - $start" | bc) s (exit $status)"
done
wc -l "$work/out/statistics.csv" "$work/out/figures.csv"
