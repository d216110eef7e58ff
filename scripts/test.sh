#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs every test:
#   1. the format check;
#   2. the full build (core, program, GUI and end-to-end tests) and all its tests;
#   3. the Qt-free core once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$top/scripts/install-deps.sh"
"$top/scripts/check-format.sh"

cmake -S "$top" -B "$top/build" -DSENDER_WERROR=ON
cmake --build "$top/build" -j"$jobs"
ctest --test-dir "$top/build" --output-on-failure -j"$jobs"

cmake -S "$top" -B "$top/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DSENDER_WERROR=ON \
    -DSENDER_WITH_GUI=OFF -DSENDER_WITH_BENCHMARKS=OFF -DSENDER_SANITIZE=ON
cmake --build "$top/build-sanitize" -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$top/build-sanitize" --output-on-failure -j"$jobs"
