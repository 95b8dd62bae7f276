#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/
# and runs the unit and integration tests. Any sanitizer report fails the run: the
# first error stops the process, and leaks are reported at exit except the one-time
# allocations of the system libraries listed in tests/support/lsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# -O1 keeps the instrumented tests quick enough on two cores while the stacks stay
# readable; the benchmarks are left out as they check nothing.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DSRX_SANITIZE=ON -DSRX_BUILD_TESTS=ON -DSRX_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"

supp="$(pwd)/tests/support/lsan.supp"
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:exitcode=23:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=24"
export LSAN_OPTIONS="suppressions=$supp:print_suppressions=0:exitcode=23"
# The end-to-end tests drive the real program on a virtual display, and the leak and
# soak tests measure an uninstrumented build; none of them is registered or meant here.
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" -LE 'e2e|leak|soak|package')
