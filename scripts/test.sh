#!/usr/bin/env bash
# Installs what is missing, builds from scratch and runs every test: the unit and
# integration tests headless, the end-to-end tests on a virtual X display, the leak
# and memory-soak checks, the same tests built with the sanitizers, and the
# desktop-integration check.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

rm -rf build-test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSRX_BUILD_BENCH=OFF
cmake --build build-test -j"$(nproc)"

# Unit and integration tests in parallel; the tests that drive whole programs one at a time.
(cd build-test && ctest --output-on-failure -j"$(nproc)" -LE "e2e|leak|soak")
(cd build-test && ctest --output-on-failure -L "e2e|leak|soak")

scripts/sanitizer-tests.sh
scripts/package-check.sh
