#!/usr/bin/env bash
# Builds the program and runs it. Installs missing packages first.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/tools/install-deps.sh"
build=${BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target calvor
exec "$build/calvor"
