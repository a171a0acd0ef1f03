#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the viewer and opens the bundled sample files in it. Without a
# display it starts a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --viewer
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target fernplot
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/default/src/ui/fernplot samples/*.[Dd][Aa][Tt] "$@"
fi
exec build/default/src/ui/fernplot samples/*.[Dd][Aa][Tt] "$@"
