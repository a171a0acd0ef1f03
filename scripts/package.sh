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
targets=(fernplot fernplot-export)
# The Python module goes into the package when the build has it.
grep -q '^FERNPLOT_BUILD_PYTHON:BOOL=ON' "build/$preset/CMakeCache.txt" && targets+=(fernplot_python)
cmake --build --preset "$preset" -j"$(nproc)" --target "${targets[@]}"
rm -rf build/package/_CPack_Packages
cpack --config "build/$preset/CPackConfig.cmake" -G DEB -B build/package >/dev/null
deb=$(ls build/package/fernplot_*.deb)
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
if [[ ${targets[*]} == *fernplot_python* ]]; then
  # Where /usr/bin/python3 finds it once the package is installed.
  # grep reads the whole listing: with -q it would stop dpkg-deb early, and pipefail fail.
  dpkg-deb -c "$deb" | grep -c './usr/lib/python3/dist-packages/fernplot\.cpython-.*\.so$' >/dev/null ||
    { echo "the package lacks the Python module" >&2; exit 1; }
fi
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb"
fi
echo "$deb"
