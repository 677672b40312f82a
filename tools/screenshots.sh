#!/usr/bin/env bash
# Takes the README's pictures of the window under Xvfb into docs/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
cmake --build "$build" --target calvor-screenshot >/dev/null
xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build/calvor-screenshot" "$here/tools/sample-capture.bin" "$here/docs"
ls -l "$here"/docs/main-*.png
