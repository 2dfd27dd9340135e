#!/usr/bin/env bash
# Short runs of every benchmark (and fuzz target, once there are any) in a build folder, to prove
# they still build and run; real measurements use the "bench" preset.
set -euo pipefail
build=$1
shopt -s nullglob
for b in "$build"/bench/*/bench_*; do
  [ -x "$b" ] || continue
  echo "smoke: $b"
  "$b" --benchmark_min_time=0.001 >/dev/null
done
for f in "$build"/fuzz/*/fuzz_*; do
  [ -x "$f" ] || continue
  echo "smoke: $f"
  "$f" -runs=200 "$(dirname "$f")/corpus" >/dev/null 2>&1 || "$f" -runs=200 >/dev/null
done
