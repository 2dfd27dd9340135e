#!/usr/bin/env bash
# Builds the fuzz targets as libFuzzer binaries (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and fuzzes each for a fixed number of inputs from its seeds, with a fixed random seed so that the
# run is the same every time. New inputs go to a scratch folder, never into the seeds; a crash, a
# hang or a leak fails the run. Longer runs with fresh random seeds: tools/fuzz-long.sh MINUTES.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${FUZZ_RUNS:-4000}
cmake --preset fuzz -DZOR_ONLY="render;script;report;storage;resources;bindings;engine;preview;designer;app" >/dev/null
targets=(fuzz_xml_reader fuzz_template fuzz_script_parser fuzz_script_run fuzz_layout fuzz_certificate_file
  fuzz_preparation fuzz_prepared_report fuzz_csv)
cmake --build --preset fuzz --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
for target in "${targets[@]}"; do
  binary=$(find build/fuzz -type f -name "$target" -perm -u+x | head -n 1)
  corpus=$(dirname "$(grep -rl --include=CMakeLists.txt "zor_add_fuzzer($target " tests)")/corpus
  scratch=$(mktemp -d)
  echo "fuzz: $target, $runs inputs"
  "$binary" -seed=1 -runs="$runs" -timeout=10 -max_len=65536 "$scratch" "$corpus" 2>"$scratch.log" ||
    { tail -n 40 "$scratch.log"; exit 1; }
  rm -rf "$scratch" "$scratch.log"
done
