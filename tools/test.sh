#!/usr/bin/env bash
# Installs what is missing, builds everything under AddressSanitizer and UndefinedBehaviorSanitizer
# with warnings as errors, runs every test, gives each benchmark a short run, and fuzzes each reader
# of outside input for a short while with libFuzzer.
# Ends with a non-zero status when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
export QT_QPA_PLATFORM=offscreen
cmake --preset asan >/dev/null
cmake --build --preset asan
bash tools/smoke.sh build/asan
ctest --preset asan -j"$(nproc)"
bash tools/fuzz-smoke.sh
