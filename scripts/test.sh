#!/usr/bin/env bash
# Builds Sigmora with warnings as errors and runs every test through CTest.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup-debian.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSIGMORA_WERROR=ON >/dev/null
cmake --build "$top/build" -j"$(nproc)"
"$top/scripts/setup-wavedrom.sh" "$top/build/wavedrom"
cd "$top/build"
ctest --output-on-failure -j"$(nproc)"
# The core and its tests again, under AddressSanitizer and UndefinedBehaviorSanitizer.
"$top/scripts/test-sanitizers.sh"
