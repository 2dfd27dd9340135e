#!/usr/bin/env bash
# Short runs of every benchmark in a build folder, to prove they still build and run; real
# measurements use the "bench" preset. (Fuzz targets replay their seeds as tests of their own.)
set -euo pipefail
build=$1
shopt -s nullglob
for b in "$build"/bench/*/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "smoke: $b"
  "$b" --benchmark_min_time=0.001 >/dev/null
done
