#!/usr/bin/env bash
# Runs libFuzzer harnesses for a while each and prints, per harness, the executions, the coverage
# reached and whether anything was found.
#   fuzz/run.sh [SECONDS] [HARNESS...]      (default: 600 seconds, every harness)
# Builds them first in build-fuzz/ (or $SIGMORA_FUZZ_BUILD) with clang. The seed corpus of each harness is copied to a
# scratch folder that grows during the run; fuzz/corpus stays as it is. A finding is written to
# build-fuzz/findings/<harness>/: fix the fault, then keep the input in fuzz/regressions/<harness>/
# (the native file's findings directly in fuzz/regressions/) so that the tests replay it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true
all=(native_file open_and_draw svg_reader xml_reader csv_reader wavejson vcd preferences tips port_list)
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=("${all[@]}")

# Longest input tried per harness: room for the largest files each reader is meant for.
max_len() {
  case $1 in
    native_file | open_and_draw) echo 200000 ;;
    svg_reader | xml_reader | csv_reader | wavejson | vcd) echo 20000 ;;
    preferences) echo 128 ;;
    *) echo 4096 ;;
  esac
}
# The seed corpus of a harness (the open-and-draw harness starts from the native files).
seeds() {
  case $1 in
    open_and_draw) echo "$top/fuzz/corpus/native_file" ;;
    *) echo "$top/fuzz/corpus/$1" ;;
  esac
}

build=${SIGMORA_FUZZ_BUILD:-$top/build-fuzz}
generator=()
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
  generator=(-G Ninja)
fi
cmake -S "$top" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ -DSIGMORA_BUILD_FUZZ=ON \
      -DSIGMORA_BUILD_TESTS=OFF -DSIGMORA_BUILD_BENCH=OFF >/dev/null
targets=()
for h in "${harnesses[@]}"; do
  targets+=("fuzz_$h")
done
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" >/dev/null
found=0

for h in "${harnesses[@]}"; do
  scratch=$build/corpus/$h
  findings=$build/findings/$h
  mkdir -p "$scratch" "$findings"
  cp -n "$(seeds "$h")"/* "$scratch/" 2>/dev/null || true
  log=$build/$h.log
  status=clean
  "$build/fuzz/fuzz_$h" -max_total_time="$seconds" -max_len="$(max_len "$h")" -timeout=10 \
      -artifact_prefix="$findings/" -print_final_stats=1 "$scratch" >"$log" 2>&1 || { status=FINDING; found=1; }
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | sed -n 's/.*cov: \([0-9]*\) ft: \([0-9]*\).*corp: \([0-9]*\).*/cov \1, features \2, corpus \3/p')
  echo "$h: ${execs:-?} executions in $seconds s; ${cov:-no coverage line}; $status (log: $log)"
done
exit "$found"
