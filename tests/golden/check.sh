#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The golden test: the exporter's outputs of the samples must equal the
# files kept in tests/golden/expected byte for byte.
#   tests/golden/check.sh EXPORTER OUTDIR
set -euo pipefail
here=$(dirname "$(realpath "$0")")
"$here/export.sh" "$1" "$2"
if diff -r -q "$here/expected" "$2"; then
  echo "golden outputs: $(ls "$2" | wc -l) files equal"
  exit 0
fi
# Show how the text outputs differ; the images only differ.
diff -r -u "$here/expected" "$2" --exclude='*.png' --exclude='*.pdf' | head -n 60 || true
echo "golden outputs differ; if the change is intended, run tests/golden/refresh.sh" >&2
exit 1
