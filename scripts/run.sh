#!/usr/bin/env bash
# Builds Sigmora in build/ (an optimised build without sanitizers) and starts the editor; an
# optional diagram path is passed on. On a built tree it only checks what changed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"
"$top/scripts/setup-debian.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
  cmake -S "$top" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DSIGMORA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target sigmora -j"$(nproc)"
exec "$build/src/app/sigmora" "$@"
