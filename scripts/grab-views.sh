#!/usr/bin/env bash
# grab-views.sh OUTDIR: builds grab_views and saves what the user sees (the
# main window's pages, its context menu, both dialogs, "Großbild",
# "Temperaturverlauf") in German and English at scale factors 1 and 2, each
# into OUTDIR/<language>-x<factor>. Grab before and after a change to the
# windows on the same machine, then compare with compare-grabs.sh.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUTDIR" >&2; exit 2; }
out=$(realpath -m "$1")
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target grab_views
for language in de en; do
  for factor in 1 2; do
    echo "grabbing $language-x$factor"
    LANGUAGE=$language LC_ALL=C.UTF-8 QT_SCALE_FACTOR=$factor QT_QPA_PLATFORM=offscreen \
      build/tests/grab_views "$out/$language-x$factor" 2> >(grep -v '^This plugin does not support' >&2)
  done
done
echo "$(find "$out" -name '*.png' | wc -l) grabs in $out"
