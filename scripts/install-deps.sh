#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages the build, the tests and the viewer need,
# skipping the ones already there. Runs apt as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins zlib1g-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  dpkg-dev file desktop-file-utils libxml2-utils shared-mime-info
  libgtest-dev libgmock-dev libbenchmark-dev libeigen3-dev
  fonts-ipafont-gothic fonts-liberation2
  pybind11-dev python3-dev python3-pytest python3-numpy
)
for extra in "$@"; do
  case "$extra" in
    --viewer) packages+=(xvfb xauth) ;;
    --bench) packages+=(gnuplot-nox hyperfine) ;;
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    --lintian) packages+=(lintian) ;;
    *) echo "unknown option $extra (--viewer, --bench, --fuzz, --lintian)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "need root or sudo to install ${missing[*]}" >&2; exit 1; }
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
