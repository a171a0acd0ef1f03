#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds everything and runs every test; then the core's and the exporter's
# tests again under AddressSanitizer and UBSan (the asan preset, offscreen).
# In CI warnings are errors, and each test is built once: the ci tree (as
# shipped) runs the viewer's, the golden outputs' and the package's tests,
# the asan tree the core's and the exporter's.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
preset=default
[[ "${CI:-}" == "true" ]] && preset=ci
jobs=$(nproc)
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

# Each stage's wall time, so a slow CI run shows where the time went.
stage() { echo "== ${SECONDS}s: $*" >&2; }
stage "dependencies ready"
cmake --preset "$preset" >/dev/null
# In CI the build tree also holds the benchmarks: one that no longer
# compiles fails the run (they are run by hand, see bench/).
cmake --build --preset "$preset" -j"$jobs"
stage "built $preset"
ctest --preset "$preset" -j"$jobs"
stage "tested $preset"
# The Debian package from the tree just built (nothing is compiled again).
./scripts/package.sh
stage "packaged"

cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
stage "built asan"
ctest --preset asan -j"$jobs"
stage "tested asan"
