#!/usr/bin/env bash
# Builds everything and runs every test. Installs missing packages first.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/tools/install-deps.sh"
build=${BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j2
