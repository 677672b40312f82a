#!/usr/bin/env bash
# Builds the program and runs it. Installs missing packages first.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/tools/install-deps.sh"
build=${BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target calvor-replay
# Until the window lands: replay the bundled capture of the indicator's line.
"$build/calvor-replay" --start 2026-12-11T06:00:00 --step 20 "$here/tools/sample-capture.bin"
