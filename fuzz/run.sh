#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (the fuzz preset: clang, AddressSanitizer and
# UBSan) and runs each for a number of executions (default 1,000,000):
#   fuzz/run.sh [RUNS] [TARGET...]      targets: reader settings settings_page import mask
# Installs clang and libclang-rt-14-dev when missing. CXX_FUZZ names another
# clang++. JOBS=N runs N fuzzing processes per target, RUNS/N executions
# each (their logs: build/fuzz/fuzz-*.log). Allocation stacks are not
# recorded (they cost a third of the time); to see them for a finding, run
# its file again with ASAN_OPTIONS=malloc_context_size=30. Not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --fuzz
runs="${1:-1000000}"
shift || true
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=(reader settings import mask)
programs=()
for t in "${targets[@]}"; do
  case "$t" in
    reader | settings | settings_page | import | mask) programs+=("fernplot_${t}_fuzz") ;;
    *) echo "unknown target $t" >&2; exit 2 ;;
  esac
done

configure=(cmake --preset fuzz)
[[ -n "${CXX_FUZZ:-}" ]] && configure+=("-DCMAKE_CXX_COMPILER=$CXX_FUZZ")
"${configure[@]}" >/dev/null
cmake --build --preset fuzz --target "${programs[@]}"

out=build/fuzz
for t in "${targets[@]}"; do
  corpus="$out/corpus/$t"
  mkdir -p "$corpus"
  seeds=$t
  [[ $t == settings_page ]] && seeds=settings
  cp -n fuzz/seeds/"$seeds"/* "$corpus"/ 2>/dev/null || true
  jobs=${JOBS:-1}
  parallel=()
  [[ $jobs -gt 1 ]] && parallel=(-jobs="$jobs" -workers="$jobs")
  echo "== $t: $runs runs"
  (cd "$out" && ASAN_OPTIONS=detect_leaks=1:malloc_context_size=0:quarantine_size_mb=16 \
    UBSAN_OPTIONS=print_stacktrace=1 \
    "fuzz/fernplot_${t}_fuzz" -runs="$((runs / jobs))" "${parallel[@]}" -max_len=4096 \
    -report_slow_units=5 -print_final_stats=1 "corpus/$t")
done
