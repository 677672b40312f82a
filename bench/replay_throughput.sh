#!/usr/bin/env bash
# Replay throughput on a capture of 1,000,000 status frames (I/O included).
#   bench/replay_throughput.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
capture=$(mktemp --suffix=.bin)
trap 'rm -f "$capture"' EXIT
frames=1000000
python3 "$here/tools/make_capture.py" "$frames" "$capture" --seed 11
bytes=$(stat -c %s "$capture")
best=""
for run in 1 2 3; do
  start=$(date +%s%N)
  "$build/calvor-replay" --json --start 2026-12-11T06:00:00 "$capture" >/dev/null
  end=$(date +%s%N)
  ms=$(( (end - start) / 1000000 ))
  if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "replay: $frames frames, $bytes bytes, best of 3: ${best} ms, $(( frames * 1000 / (best > 0 ? best : 1) )) frames/s"
