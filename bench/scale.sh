#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The exporter at scale, every ratio side by side in one run (whole processes
# timed with hyperfine):
#   - 1,000 files x 1,000 points to PNG: -j 2 against -j 1, and against one
#     gnuplot script plotting the same 1,000 CSVs (pngcairo, two y axes);
#   - -l on 1,000 files against a bare C open/read(212)/close loop over them;
#   - -f csv of a 100-point file against gnuplot's `set table` on the data;
#   - PNG of a 65,535-point file against gnuplot pngcairo;
#   - the viewer's list dialog over 100,000 files against -l (LIST=0 skips it).
# Wall-clock ratios need an otherwise idle machine; the CPU time (user +
# system) of each side is printed beside them.
#
#   bench/scale.sh [BUILD_DIR]     (default: build/bench; RUNS=N for fewer runs)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/gnuplot_bode.sh
build=${1:-build/bench}
if [[ ! -f "$build/build.ninja" ]]; then
  cmake --preset bench >/dev/null
  build=build/bench
fi
cmake --build "$build" --target fernplot-export fernplot-export-render bench_render_sweep_file \
  >/dev/null
list_bench=""
if [[ "${LIST:-1}" != 0 ]] && cmake --build "$build" --target bench_list_dialog >/dev/null 2>&1; then
  list_bench=$(realpath "$build/bench/bench_list_dialog")
fi
for tool in gnuplot hyperfine cc; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/install-deps.sh --bench)" >&2; exit 1; }
done
runs=${RUNS:-10}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
exporter=$(realpath "$build/src/export/fernplot-export")
make_file=$(realpath "$build/bench/bench_render_sweep_file")
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
# One gnuplot script for all 1,000 (its own start-up paid once) and one for
# the large file: a Bode plot with two y axes, as the exporter draws.
{
  bode_terminal out/F0000.png
  for f in csv/F*.csv; do bode_plot "gp-$(basename "$f" .csv).png" "$f"; done
} >many.gp
{
  bode_terminal out/BIG.png
  bode_plot BIG-gnuplot.png csv/BIG.csv
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
# The machine's own limit for two at once: two -j 1 calls of 500 files each,
# side by side.
halves="$exporter -q -j 1 -o out -s factory.CFG -f png $(echo many/F0[0-4]*.DAT) &
  $exporter -q -j 1 -o out -s factory.CFG -f png $(echo many/F0[5-9]*.DAT); wait"
hf batch -n j1 "$exporter -q -j 1 -o out -s factory.CFG -f png $(echo many/*.DAT)" \
  -n j2 "$exporter -q -j 2 -o out -s factory.CFG -f png $(echo many/*.DAT)" \
  -n halves "bash -c '$halves'" \
  -n gnuplot "gnuplot many.gp"
hf list -n list "$exporter -l 'many/*.DAT'" -n bare "./bare many"
hf csv -n csv "$exporter -o out -s factory.CFG -f csv P100.DAT" -n table "gnuplot table.gp"
hf big -n png "$exporter -o out -s factory.CFG -f png BIG.DAT" -n gnuplot "gnuplot big.gp"

# The list dialog over 100,000 small files against -l over the same folder,
# both warm (the files were just read).
if [[ -n "$list_bench" ]]; then
  mkdir huge
  "$list_bench" huge 100000 >/dev/null
  hf huge -n list "$exporter -l 'huge/*.DAT'"
  "$list_bench" huge >dialog.txt
fi
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) processors"

/usr/bin/python3 - <<'PY'
import json
import os, re
def load(name):
    return {r["command"]: r for r in json.load(open(name + ".json"))["results"]}
def means(name):
    return {k: r["mean"] for k, r in load(name).items()}
def cpu(name, a, b):
    r = load(name)
    t = lambda k: r[k]["user"] + r[k]["system"]
    return f"CPU {t(a)*1000:.0f} vs {t(b)*1000:.0f} ms"
b, l, c, g = means("batch"), means("list"), means("csv"), means("big")
ms = lambda s: f"{s*1000:.1f} ms"
rows = [
    ("1,000 x 1,000 pts PNG, -j 2 vs -j 1 (speed-up)", b["j1"] / b["j2"], ">= 1.8", f'{ms(b["j2"])} vs {ms(b["j1"])}'),
    ("  two -j 1 calls of 500 side by side (the peer)", b["j1"] / b["halves"], "", f'{ms(b["halves"])} vs {ms(b["j1"])}'),
    ("1,000 x 1,000 pts PNG, gnuplot vs -j 2 (speed-up)", b["gnuplot"] / b["j2"], ">= 4", f'{ms(b["j2"])} vs {ms(b["gnuplot"])}'),
    ("-l 1,000 files / bare open-read-close", l["list"] / l["bare"], "<= 2", f'{ms(l["list"])} vs {ms(l["bare"])}'),
    ("-f csv 100 pts / gnuplot set table", c["csv"] / c["table"], "<= 0.6", f'{ms(c["csv"])} vs {ms(c["table"])}'),
    ("PNG 65,535 pts / gnuplot pngcairo", g["png"] / g["gnuplot"], "<= 0.35", f'{ms(g["png"])} vs {ms(g["gnuplot"])}'),
]
cpus = [cpu("batch", "j2", "j1"), cpu("batch", "halves", "j1"), cpu("batch", "j2", "gnuplot"), cpu("list", "list", "bare"),
        cpu("csv", "csv", "table"), cpu("big", "png", "gnuplot")]
if os.path.exists("dialog.txt"):
    text = open("dialog.txt").read()
    m = re.search(r"(\d+) files listed in ([\d.]+) s, (\d+) bytes", text)
    h = means("huge")["list"]
    rows.append(("list dialog 100,000 files / -l (search, in-process)", float(m.group(2)) / h,
                 "<= 1.5", f"{float(m.group(2))*1000:.0f} ms vs {ms(h)}; {m.group(3)} B per file (<= 1024)"))
    cpus.append("")
for (name, ratio, target, detail), cpu_text in zip(rows, cpus):
    print(f"{name:52} {ratio:6.2f}  (target {target:7})  {detail}  {cpu_text}")
PY
