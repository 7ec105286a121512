#!/usr/bin/env bash
# Builds the Qt-free core and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs them; any sanitizer report fails the test that made it, and so the run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup-debian.sh"
cmake -S "$top" -B "$top/build-asan" -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O1 -g" -DSIGMORA_WERROR=ON \
      -DSIGMORA_CORE_ONLY=ON -DSIGMORA_SANITIZE=ON -DSIGMORA_BUILD_BENCH=OFF >/dev/null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --build "$top/build-asan" -j"$(nproc)"
cd "$top/build-asan"
ctest --output-on-failure -j"$(nproc)"
