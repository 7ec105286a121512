#!/usr/bin/env bash
# The tests' check of the fuzz harnesses: every harness builds with clang and runs a few seconds
# from its seeds without a finding. A reader changed without its harness building, or an input the
# harness now rejects, fails here instead of at the next fuzzing run.
#   fuzz/check.sh BUILD_DIR [SECONDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
command -v clang++ >/dev/null 2>&1 || { echo "clang++ is not installed: run scripts/setup-debian.sh --tests"; exit 77; }
export SIGMORA_FUZZ_BUILD=$1
if ! "$top/fuzz/run.sh" "${2:-5}"; then
  for log in "$SIGMORA_FUZZ_BUILD"/*.log; do
    grep -q "ERROR\|SUMMARY\|deadly signal" "$log" && { echo "== $log"; tail -n 40 "$log"; }
  done
  exit 1
fi
