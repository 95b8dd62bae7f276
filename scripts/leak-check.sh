#!/usr/bin/env bash
# Leak check of the whole program: builds it in build-leak/ and runs the leak driver
# (tests/leak/leak_driver.cpp) under valgrind memcheck on the headless platform. The
# driver starts the program as app/main.cpp does, opens every popup, shows the help
# and technical-support windows and ends through File, Exit. A definite leak, any
# other memcheck error or a failed step of the driver fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build-leak -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSRX_BUILD_TESTS=ON -DSRX_BUILD_BENCH=OFF >/dev/null
cmake --build build-leak -j"$(nproc)" --target leak_driver
# The test carries the valgrind options and the suppressions (tests/leak/CMakeLists.txt).
(cd build-leak && ctest --output-on-failure -L '^leak$')
