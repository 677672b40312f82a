#!/usr/bin/env bash
# Takes the README's pictures under Xvfb into docs/: the window and the first
# page of the printed chart.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
cmake --build "$build" --target calvor-screenshot >/dev/null
xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build/calvor-screenshot" "$here/tools/sample-capture.bin" "$here/docs"
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$here/docs/report.pdf" "$here/docs/report-page1"
rm -f "$here/docs/report.pdf"
ls -l "$here"/docs/*.png
