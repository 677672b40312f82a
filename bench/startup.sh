#!/usr/bin/env bash
# Start-up of the main window under Xvfb, 5 runs: time from main() to first
# paint, resident memory, and the whole process launch as seen from outside.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
cmake --build "$build" --target startup_bench >/dev/null
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  for i in 1 2 3 4 5; do
    s=$(date +%s%N)
    line=$("$0" 2>/dev/null)
    e=$(date +%s%N)
    echo "$line; process start to exit: $(( (e - s) / 1000000 )) ms"
  done' "$build/startup_bench"
