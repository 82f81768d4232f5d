#!/usr/bin/env bash
# Runs every benchmark the build produced, one after the other, and says at
# the end which ones missed their targets (they exit non-zero).
set -uo pipefail
build=${1:-build}
found=0
missed=()
for b in $(find "$build/bench" -type f -executable -name 'bench_*' 2>/dev/null | sort); do
  found=1
  echo "== $b"
  "$b" || missed+=("$(basename "$b")")
done
[ "$found" = 1 ] || { echo "no benchmarks built in $build/bench" >&2; exit 1; }
if [ ${#missed[@]} -gt 0 ]; then
  echo "== missed a target: ${missed[*]}"
  exit 1
fi
echo "== every benchmark met its target"
