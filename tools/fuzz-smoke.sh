#!/usr/bin/env bash
# Builds the fuzz targets as libFuzzer binaries (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and fuzzes each for a fixed number of inputs from its seeds, with a fixed random seed so that the
# run is the same every time. New inputs go to a scratch folder, never into the seeds; a crash, a
# hang or a leak fails the run. Longer runs with fresh random seeds: tools/fuzz-long.sh MINUTES.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${FUZZ_RUNS:-4000}
source tools/fuzz-targets.sh
for target in "${targets[@]}"; do
  binary=$(fuzz_binary "$target")
  corpus=$(fuzz_corpus "$target")
  scratch=$(mktemp -d)
  echo "fuzz: $target, $runs inputs"
  "$binary" -seed=1 -runs="$runs" -timeout=10 -max_len=65536 "$scratch" "$corpus" 2>"$scratch.log" ||
    { tail -n 40 "$scratch.log"; exit 1; }
  rm -rf "$scratch" "$scratch.log"
done
