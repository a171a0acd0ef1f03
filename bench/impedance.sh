#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The exporter on 1,000 impedance spectra of battery cells (61 points each,
# EC-Lab, Gamry, ZPlot and table exports in turn, from fernplot-make-cell-lot):
# the equivalent circuit R0-p(R1,C1)-p(R2-Wo1,C2) fitted to every one
# (-f circuit) and the Kramers-Kronig test (-f kk), each with -j 2, against
# the same exporter writing only -f csv of the same files (reading and
# writing, no analysis). Whole processes, reading included; the wall time,
# the CPU time (user + system) and the ratio to the csv run. Target: the
# circuit fits of 1,000 spectra within 10 s.
#   bench/impedance.sh [COUNT]   (BUILD=build/ci for another build tree,
#                                 RUNS=N runs of each, default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-1000}
runs=${RUNS:-3}
build=${BUILD:-build/default}
if [[ ! -f "$build/build.ninja" ]]; then
  cmake --preset default >/dev/null
  build=build/default
fi
cmake --build "$build" --target fernplot-export fernplot-make-cell-lot >/dev/null
exporter=$(realpath "$build/src/export/fernplot-export")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/fernplot-make-cell-lot" "$work/cells" "$count"
circuit='R0-p(R1,C1)-p(R2-Wo1,C2)'

# The best of the runs: "wall user+sys" in seconds.
TIMEFORMAT='%R %U %S'
best() {
  local label=$1
  shift
  local best_wall="" best_cpu="" status
  for run in $(seq 1 "$runs"); do
    rm -rf "$work/out"
    status=0
    { time "$exporter" --factory -q -j 2 -o "$work/out" "$@" "$work"/cells/* \
        2>"$work/stderr.txt"; } 2>"$work/time.txt" || status=$?
    read -r wall user sys <"$work/time.txt"
    local cpu
    cpu=$(echo "$user + $sys" | bc)
    printf '%-8s run %d: %6.2f s wall, %6.2f s CPU (exit %d)\n' "$label" "$run" "$wall" "$cpu" \
      "$status" >&2
    if [[ -z "$best_wall" ]] || (($(echo "$wall < $best_wall" | bc))); then
      best_wall=$wall
      best_cpu=$cpu
    fi
  done
  echo "$best_wall $best_cpu"
}

echo "== $count impedance spectra, -j 2 (best of $runs)"
read -r csv_wall csv_cpu < <(best csv -f csv)
read -r fit_wall fit_cpu < <(best circuit -f circuit --circuit "$circuit")
converged=$(grep -l '"converged":true' "$work"/out/*.circuit.json | wc -l)
undetermined=$(grep -c 'is not determined' "$work/stderr.txt" || true)
read -r kk_wall kk_cpu < <(best kk -f kk)
ratio() { echo "scale=1; $1 / $2" | bc; }
printf '%-22s %8s %8s %10s\n' "" "wall s" "CPU s" "x csv wall"
printf '%-22s %8.2f %8.2f %10s\n' "-f csv (peer)" "$csv_wall" "$csv_cpu" "1.0"
printf '%-22s %8.2f %8.2f %10s\n' "-f circuit" "$fit_wall" "$fit_cpu" "$(ratio "$fit_wall" "$csv_wall")"
printf '%-22s %8.2f %8.2f %10s\n' "-f kk" "$kk_wall" "$kk_cpu" "$(ratio "$kk_wall" "$csv_wall")"
echo "circuit fits converged: $converged of $count; undetermined parameters: $undetermined"
if (($(echo "$fit_wall <= 10" | bc))); then
  echo "target (circuit fits within 10 s): met"
else
  echo "target (circuit fits within 10 s): missed"
fi
