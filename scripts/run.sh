#!/usr/bin/env bash
# Builds Sigmora and starts the editor; an optional diagram path is passed on.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup-debian.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" --target sigmora -j"$(nproc)"
exec "$top/build/src/app/sigmora" "$@"
