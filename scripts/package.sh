#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from the release build (the ci preset under CI,
# else default), reusing what is already built, into build/package/.
# Install it with: sudo apt install ./build/package/fernplot_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
preset=default
[[ "${CI:-}" == "true" ]] && preset=ci
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)" --target fernplot fernplot-export
rm -rf build/package/_CPack_Packages
cpack --config "build/$preset/CPackConfig.cmake" -G DEB -B build/package >/dev/null
deb=$(ls build/package/fernplot_*.deb)
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb"
fi
echo "$deb"
