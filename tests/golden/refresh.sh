#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the exporter's current outputs the expected ones. Run it only for a
# change of output that is meant, and say why in the commit. A new settings
# file in tests/golden/settings gets its expected pages the same way.
#   tests/golden/refresh.sh [EXPORTER]    default: the default preset's build
set -euo pipefail
cd "$(dirname "$0")/../.."
exporter="${1:-build/default/src/export/fernplot-export}"
if [[ $# -eq 0 ]]; then
  cmake --preset default >/dev/null
  cmake --build --preset default --target fernplot-export
fi
tests/golden/export.sh "$exporter" tests/golden/expected
git status --short tests/golden/expected
