#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (the fuzz preset: clang, AddressSanitizer and
# UBSan) and runs each for a number of executions (default 1,000,000):
#   fuzz/run.sh [RUNS] [TARGET...]      targets: reader settings settings_page
# Installs clang and libclang-rt-14-dev when missing. CXX_FUZZ names another
# clang++. Not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --fuzz
runs="${1:-1000000}"
shift || true
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=(reader settings)
programs=()
for t in "${targets[@]}"; do
  case "$t" in
    reader | settings | settings_page) programs+=("fernplot_${t}_fuzz") ;;
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
  echo "== $t: $runs runs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$out/fuzz/fernplot_${t}_fuzz" -runs="$runs" -max_len=4096 -print_final_stats=1 "$corpus"
done
