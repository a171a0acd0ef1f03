#!/usr/bin/env bash
# Builds the libFuzzer targets with AddressSanitizer and UBSan and runs each
# for a number of executions (default 1,000,000):
#   fuzz/run.sh [RUNS] [TARGET...]      targets: reader settings
# Needs clang and libclang-rt-14-dev. Not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-1000000}"
shift || true
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=(reader settings)

out=build/fuzz
mkdir -p "$out"
cxx="${CXX_FUZZ:-clang++}"
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -fno-omit-frame-pointer -Isrc/core)
core=(src/core/text/encoding.cpp src/core/text/number_text.cpp src/core/fileio/atomic_file.cpp src/core/text/file_path.cpp)
reader_sources=("${core[@]}" src/core/datafile/reader.cpp)
settings_sources=("${core[@]}" src/core/props/graph_properties.cpp src/core/props/settings_scan.cpp
                  src/core/props/settings_file.cpp src/core/datafile/data_file_scan.cpp
                  src/core/datafile/reader.cpp)

for t in "${targets[@]}"; do
  case "$t" in
    reader) sources=("${reader_sources[@]}") ;;
    settings) sources=("${settings_sources[@]}") ;;
    *) echo "unknown target $t" >&2; exit 2 ;;
  esac
  "$cxx" "${flags[@]}" "fuzz/${t}_fuzz.cpp" "${sources[@]}" -o "$out/${t}_fuzz"
  corpus="$out/${t}_corpus"
  mkdir -p "$corpus"
  cp -n fuzz/seeds/"$t"/* "$corpus"/ 2>/dev/null || true
  echo "== $t: $runs runs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$out/${t}_fuzz" -runs="$runs" -max_len=4096 -print_final_stats=1 "$corpus"
done
