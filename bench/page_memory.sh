#!/bin/sh
# SPDX-License-Identifier: MIT
# Resident memory per additional open page (between 100 and 2,100 copies of
# samples/RC_LPF.DAT) and the paging time, on the viewer built by the bench
# preset: cmake --preset bench && cmake --build build/bench --target bench_page_memory
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
exec "${BENCH_BUILD:-$root/build/bench}/bench/bench_page_memory" "$root/samples/RC_LPF.DAT" 100 2100
