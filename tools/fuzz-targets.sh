# Sourced by fuzz-smoke.sh and fuzz-long.sh: builds every fuzz target (libFuzzer, clang, sanitizers)
# and tells where each one's binary and seed corpus are.
cmake --preset fuzz -DZOR_ONLY="render;script;report;storage;resources;bindings;engine;preview;designer;app" >/dev/null
targets=(fuzz_xml_reader fuzz_template fuzz_script_parser fuzz_script_run fuzz_layout fuzz_certificate_file
  fuzz_preparation fuzz_prepared_report fuzz_csv)
cmake --build --preset fuzz --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp

fuzz_binary() { find build/fuzz -type f -name "$1" -perm -u+x | head -n 1; }
fuzz_corpus() { echo "$(dirname "$(grep -rl --include=CMakeLists.txt "zor_add_fuzzer($1 " tests)")/corpus"; }
