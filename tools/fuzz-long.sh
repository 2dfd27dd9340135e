#!/usr/bin/env bash
# Fuzzes every target for MINUTES minutes each (default 10), one after another, with a fresh random
# seed. New inputs collect in build/fuzz/found/TARGET (never in the seeds); a crash, a hang or a leak
# stops the run with the input libFuzzer wrote, which then becomes a seed in the target's corpus
# folder and a test of the fault it showed.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-10}
source tools/fuzz-targets.sh
for target in "${targets[@]}"; do
  binary=$(fuzz_binary "$target")
  corpus=$(fuzz_corpus "$target")
  found=build/fuzz/found/$target
  mkdir -p "$found"
  echo "fuzz: $target for $minutes minute(s)"
  (cd "$found" && "$OLDPWD/$binary" -max_total_time=$((minutes * 60)) -timeout=10 -max_len=65536 \
    -print_final_stats=1 . "$OLDPWD/$corpus") || { echo "fuzz: $target found a fault (see $found)"; exit 1; }
done
