#!/usr/bin/env bash
# Installs what is missing, builds from scratch and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

rm -rf build-test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSRX_BUILD_BENCH=OFF
cmake --build build-test -j"$(nproc)"
(cd build-test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
