#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build tree into a temporary prefix and checks what lands
# there: the programs, translations, samples, launcher entry, icon, MIME
# package and man pages; desktop-file-validate and xmllint when installed.
# Usage: check.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail=0
expect() {
  if [[ ! -e "$prefix/$1" ]]; then
    echo "missing after install: $1" >&2
    fail=1
  fi
}
for f in bin/fernplot bin/fernplot-export \
         share/fernplot/translations/fernplot_en.qm \
         share/fernplot/samples/RC_LPF.DAT share/fernplot/samples/rc_lpf_down.dat \
         share/applications/fernplot.desktop share/mime/packages/fernplot.xml \
         share/icons/hicolor/scalable/apps/fernplot.svg \
         share/icons/hicolor/48x48/apps/fernplot.png \
         share/man/man1/fernplot.1.gz share/man/man1/fernplot-export.1.gz \
         share/doc/fernplot/copyright; do
  expect "$f"
done
[[ $fail -eq 0 ]] || exit 1

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/fernplot.desktop"
fi
if command -v xmllint >/dev/null; then
  xmllint --noout "$prefix/share/mime/packages/fernplot.xml"
  # The launcher's MIME type is the one the package defines.
  grep -q 'MimeType=application/x-fernplot-sweep;' "$prefix/share/applications/fernplot.desktop"
  grep -q 'type="application/x-fernplot-sweep"' "$prefix/share/mime/packages/fernplot.xml"
fi
if command -v update-mime-database >/dev/null; then
  # The database compiler accepts the package (it rejects a bad magic rule).
  update-mime-database "$prefix/share/mime" 2>&1 | { ! grep -i 'error\|invalid'; }
  grep -q 'application/x-fernplot-sweep' "$prefix/share/mime/types"
fi
if command -v man >/dev/null && command -v groff >/dev/null; then
  man -l "$prefix/share/man/man1/fernplot.1.gz" >/dev/null
fi

# The installed programs run: versions, and the exporter finds the
# installed English texts.
"$prefix/bin/fernplot" --version | grep -q '^fernplot [0-9]'
"$prefix/bin/fernplot-export" --version | grep -q '^fernplot-export [0-9]'
listing=$("$prefix/bin/fernplot-export" --lang en -l "$prefix/share/fernplot/samples/*.DAT")
grep -q $'^RC_LPF.DAT\tRaw data\t' <<<"$listing" || { echo "no English list: $listing" >&2; exit 1; }
listing=$(LC_ALL=C "$prefix/bin/fernplot-export" -l "$prefix/share/fernplot/samples/*.DAT")
grep -q $'^RC_LPF.DAT\t生ﾃﾞｰﾀ\t' <<<"$listing" || { echo "not Japanese under C: $listing" >&2; exit 1; }

# The Python module, when it was built, lands in the system Python's
# dist-packages folder and imports there with the system's interpreter.
if [[ -n $(ls "$build"/python/fernplot*.so 2>/dev/null) ]]; then
  site="$prefix/lib/python3/dist-packages"
  ls "$site"/fernplot*.so >/dev/null && [[ -e "$site/fernplot.pyi" ]] ||
    { echo "missing after install: the Python module in $site" >&2; exit 1; }
  version=$(PYTHONPATH="$site" /usr/bin/python3 -c 'import fernplot; print(fernplot.__version__)')
  "$prefix/bin/fernplot-export" --version | grep -qF " $version" ||
    { echo "the installed module says version $version" >&2; exit 1; }
fi
echo "installed and checked in $prefix"
