#!/usr/bin/env bash
# Builds the program optimised and makes the Debian package of it:
#   build/release/zelta_<version>_amd64.deb
# Install it with: apt install ./build/release/zelta_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
cmake --preset release >/dev/null
cmake --build --preset release --target zelta zorreport
(cd build/release && cpack --config CPackConfig.cmake)
ls build/release/zelta_*.deb
