#!/usr/bin/env bash
# Builds Sigmora and every test once, in build-test/, with AddressSanitizer and
# UndefinedBehaviorSanitizer and warnings as errors, and runs every test through CTest: the core
# tests, the widget tests on the offscreen platform, the real-window tests under Xvfb and the tests
# where other programs read Sigmora's files. Any sanitizer report fails the test that made it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-test"

"$top/scripts/setup-debian.sh" --tests

generator=()
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
  generator=(-G Ninja)
fi
cmake -S "$top" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O1 -g1" \
      -DSIGMORA_WERROR=ON -DSIGMORA_SANITIZE=ON >/dev/null
# WaveDrom's renderer is fetched while the build runs: the one waits on the network, the other on
# the processors.
"$top/scripts/setup-wavedrom.sh" "$build/wavedrom" > "$build/setup-wavedrom.log" 2>&1 &
wavedrom=$!
cmake --build "$build" -j"$(nproc)"
wait "$wavedrom" || { cat "$build/setup-wavedrom.log" >&2; exit 1; }

source "$top/scripts/sanitizer-env.sh"
cd "$build"
ctest --output-on-failure -j"$(( $(nproc) * 2 ))"
