#!/usr/bin/env bash
# Fuzzes every target for MINUTES minutes each (default 10), one after another, with a fresh random
# seed. New inputs collect in build/fuzz/found/TARGET (never in the seeds); a crash, a hang or a leak
# stops the run with the input libFuzzer wrote, which then becomes a seed in the target's corpus
# folder and a test of the fault it showed.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-10}
cmake --preset fuzz -DZOR_ONLY="render;script;report;storage;resources;bindings;engine;preview;designer;app" >/dev/null
targets=(fuzz_xml_reader fuzz_template fuzz_script_parser fuzz_script_run fuzz_layout fuzz_certificate_file
  fuzz_preparation fuzz_prepared_report fuzz_csv)
cmake --build --preset fuzz --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
for target in "${targets[@]}"; do
  binary=$(find build/fuzz -type f -name "$target" -perm -u+x | head -n 1)
  corpus=$(dirname "$(grep -rl --include=CMakeLists.txt "zor_add_fuzzer($target " tests)")/corpus
  found=build/fuzz/found/$target
  mkdir -p "$found"
  echo "fuzz: $target for $minutes minute(s)"
  (cd "$found" && "$OLDPWD/$binary" -max_total_time=$((minutes * 60)) -timeout=10 -max_len=65536 \
    -print_final_stats=1 . "$OLDPWD/$corpus") || { echo "fuzz: $target found a fault (see $found)"; exit 1; }
done
