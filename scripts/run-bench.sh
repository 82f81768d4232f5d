#!/usr/bin/env bash
# Runs every benchmark the build produced, one after the other.
set -euo pipefail
build=${1:-build}
found=0
for b in $(find "$build/bench" -type f -executable -name 'bench_*' 2>/dev/null | sort); do
  found=1
  echo "== $b"
  "$b"
done
[ "$found" = 1 ] || { echo "no benchmarks built in $build/bench" >&2; exit 1; }
