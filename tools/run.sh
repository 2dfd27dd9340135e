#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/app/zelta
