#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes everything the golden test compares into OUTDIR: the exporter's
# outputs of the samples in every format with its messages and exit status,
# its one-line summaries of them, its listing of the samples, and pages drawn
# with the hand-edited settings files of tests/golden/settings (each named
# <sample>.<what>.CFG, drawn into settings/<what>/).
#   tests/golden/export.sh EXPORTER OUTDIR
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 EXPORTER OUTDIR" >&2; exit 2; }
exporter=$(realpath "$1")
mkdir -p "$2"
out=$(realpath "$2")
cd "$(dirname "$0")/../.."

# A settings file beside the program would change every page.
if [[ -e "$(dirname "$exporter")/fernplot.CFG" ]]; then
  echo "$(dirname "$exporter")/fernplot.CFG exists: the golden outputs are made with the factory settings" >&2
  exit 2
fi
# Same bytes on every machine and run: a fixed PDF creation date in UTC, one
# file order, no per-user settings, no display.
export SOURCE_DATE_EPOCH=946684800 TZ=UTC LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$out/.no-config"
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

rm -rf "${out:?}"/*
set +e
"$exporter" -o "$out" -f png,svg,pdf,csv,json,drawing,figures samples/*.DAT samples/*.dat \
  >"$out/export.stdout" 2>"$out/export.stderr"
echo $? >"$out/export.status"
"$exporter" --summary samples/*.DAT samples/*.dat >"$out/summary.stdout" 2>"$out/summary.stderr"
echo $? >"$out/summary.status"
"$exporter" -l 'samples/*.DAT' >"$out/list.stdout" 2>"$out/list.stderr"
echo $? >"$out/list.status"
for cfg in tests/golden/settings/*.CFG; do
  name=$(basename "$cfg" .CFG)
  dir="$out/settings/${name#*.}"
  mkdir -p "$dir"
  "$exporter" -s "$cfg" -o "$dir" -f png,svg,drawing "samples/${name%%.*}.DAT" \
    >"$dir/export.stdout" 2>"$dir/export.stderr"
  echo $? >"$dir/export.status"
done
set -e
rm -rf "$out/.no-config"
