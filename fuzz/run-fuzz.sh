#!/usr/bin/env bash
# Builds the fuzz target with clang (ASan + UBSan) and runs it.
#   fuzz/run-fuzz.sh [SECONDS]   (default 60)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${FUZZ_BUILD_DIR:-$here/build-fuzz}
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCALVOR_CORE_ONLY=ON -DCALVOR_FUZZ=ON -DCALVOR_SANITIZE=ON -DCALVOR_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_packets >/dev/null
corpus=$build/corpus
mkdir -p "$corpus"
cp -n "$here"/fuzz/seeds/* "$corpus"/ 2>/dev/null || true
"$build/fuzz_packets" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus"
