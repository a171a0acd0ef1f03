#!/usr/bin/env bash
# Builds everything and runs every test. In CI warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
preset=default
[[ "${CI:-}" == "true" ]] && preset=ci
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
ctest --preset "$preset" -j"$(nproc)"
