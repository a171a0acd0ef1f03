#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The exporter at scale, every ratio side by side in one run (whole processes
# timed with hyperfine):
#   - 1,000 files x 1,000 points to PNG: -j 2 against -j 1, and against one
#     gnuplot script plotting the same 1,000 CSVs (pngcairo, two y axes);
#   - -l on 1,000 files against a bare C open/read(212)/close loop over them;
#   - -f csv of a 100-point file against gnuplot's `set table` on the data;
#   - PNG of a 65,535-point file against gnuplot pngcairo.
#
#   bench/scale.sh [BUILD_DIR]     (default: build/bench; RUNS=N for fewer runs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/bench}
if [[ ! -f "$build/build.ninja" ]]; then
  cmake --preset bench >/dev/null
  build=build/bench
fi
cmake --build "$build" --target fernplot-export fernplot-export-render bench_render_sweep_file \
  >/dev/null
for tool in gnuplot hyperfine cc; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/install-deps.sh --bench)" >&2; exit 1; }
done
runs=${RUNS:-10}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
exporter=$(realpath "$build/src/export/fernplot-export")
make_file="$build/bench/bench_render_sweep_file"
cd "$work"
: >factory.CFG  # the factory settings

# The data: 1,000 files of 1,000 points (the same sweep each time), one of
# 100 and one of 65,535, and CSVs of them for gnuplot.
mkdir many csv out
"$make_file" many/F0000.DAT 1000
for i in $(seq 1 999); do cp many/F0000.DAT "many/F$(printf %04d "$i").DAT"; done
"$make_file" P100.DAT 100
"$make_file" BIG.DAT 65535
"$exporter" -o csv -s factory.CFG -f csv P100.DAT BIG.DAT many/*.DAT
"$exporter" -o out -s factory.CFG -f png many/F0000.DAT BIG.DAT
size_of() { /usr/bin/python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%d,%d" % struct.unpack(">II", d[16:24]))' "$1"; }

# One gnuplot script for all 1,000 (its own start-up paid once) and one for
# the large file: a Bode plot with two y axes, as the exporter draws.
bode() {  # SIZE OUTPUT CSV
  cat <<GP
set output "$2"
set logscale x
set format x "%.0s%c"
set xlabel "FREQUENCY [Hz]"
set ylabel "GAIN [dB]" textcolor rgb "red"
set y2label "PHASE [deg]" textcolor rgb "blue"
set ytics nomirror
set y2tics
set grid xtics mxtics ytics
set key off
plot "$3" using 1:2 axes x1y1 with lines lw 2 lc rgb "red", "" using 1:3 axes x1y2 with lines lw 2 lc rgb "blue"
GP
}
{
  echo "set terminal pngcairo size $(size_of out/F0000.png) font \"IPAPGothic,10\""
  echo 'set datafile separator ","'
  for f in csv/F*.csv; do bode x "gp-$(basename "$f" .csv).png" "$f"; done
} >many.gp
{
  echo "set terminal pngcairo size $(size_of out/BIG.png) font \"IPAPGothic,10\""
  echo 'set datafile separator ","'
  bode x BIG-gnuplot.png csv/BIG.csv
} >big.gp
cat >table.gp <<'GP'
set datafile separator ","
set table "P100-table.txt"
plot "csv/P100.csv" using 1:2 with lines, "" using 1:3 with lines
unset table
GP

# The floor of -l: open, read the 212-byte header, close, for every file.
cat >bare.c <<'C'
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
int main(int argc, char** argv) {
  char buf[212];
  DIR* d = opendir(argv[1]);
  struct dirent* e;
  long n = 0;
  while ((e = readdir(d)) != NULL) {
    if (e->d_name[0] == '.') continue;
    int fd = openat(dirfd(d), e->d_name, O_RDONLY);
    if (fd < 0) continue;
    n += read(fd, buf, sizeof buf) == sizeof buf;
    close(fd);
  }
  closedir(d);
  printf("%ld\n", n);
  return 0;
}
C
cc -O2 -o bare bare.c

hf() { hyperfine -N --warmup 2 --min-runs "$runs" --export-json "$1.json" "${@:2}" >/dev/null; }
hf batch -n j1 "$exporter -q -j 1 -o out -s factory.CFG -f png $(echo many/*.DAT)" \
  -n j2 "$exporter -q -j 2 -o out -s factory.CFG -f png $(echo many/*.DAT)" \
  -n gnuplot "gnuplot many.gp"
hf list -n list "$exporter -l 'many/*.DAT'" -n bare "./bare many"
hf csv -n csv "$exporter -o out -s factory.CFG -f csv P100.DAT" -n table "gnuplot table.gp"
hf big -n png "$exporter -o out -s factory.CFG -f png BIG.DAT" -n gnuplot "gnuplot big.gp"

/usr/bin/python3 - <<'PY'
import json
def means(name):
    return {r["command"]: r["mean"] for r in json.load(open(name + ".json"))["results"]}
b, l, c, g = means("batch"), means("list"), means("csv"), means("big")
ms = lambda s: f"{s*1000:.1f} ms"
rows = [
    ("1,000 x 1,000 pts PNG, -j 2 vs -j 1 (speed-up)", b["j1"] / b["j2"], ">= 1.8", f'{ms(b["j2"])} vs {ms(b["j1"])}'),
    ("1,000 x 1,000 pts PNG, gnuplot vs -j 2 (speed-up)", b["gnuplot"] / b["j2"], ">= 4", f'{ms(b["j2"])} vs {ms(b["gnuplot"])}'),
    ("-l 1,000 files / bare open-read-close", l["list"] / l["bare"], "<= 2", f'{ms(l["list"])} vs {ms(l["bare"])}'),
    ("-f csv 100 pts / gnuplot set table", c["csv"] / c["table"], "<= 0.6", f'{ms(c["csv"])} vs {ms(c["table"])}'),
    ("PNG 65,535 pts / gnuplot pngcairo", g["png"] / g["gnuplot"], "<= 0.35", f'{ms(g["png"])} vs {ms(g["gnuplot"])}'),
]
for name, ratio, target, detail in rows:
    print(f"{name:52} {ratio:6.2f}  (target {target:7})  {detail}")
PY
