#!/bin/sh
# Whole-process SVG export of a 256-signal, 600-half-cycle diagram, Sigmora against WaveDrom's
# command-line renderer on a diagram of the same size, measured in the same run with
# /usr/bin/time: wall seconds and peak memory of each, and the ratios.
# Usage: bench/peer-compare.sh [BUILD_DIR] [PEER_SCRIPT]
#   BUILD_DIR    default build
#   PEER_SCRIPT  the peer's set-up script, default ../shared/bench/peer-wavedrom.sh; it installs
#                wavedrom-cli into $WDPEER (default /tmp/wdpeer) and writes its 256x600 input.
set -eu
build=${1:-build}
peer_script=${2:-../shared/bench/peer-wavedrom.sh}
WDPEER=${WDPEER:-/tmp/wdpeer}
export WDPEER QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sh "$peer_script" 256x600 >/dev/null
cli="$WDPEER/node_modules/wavedrom-cli/wavedrom-cli.js"
"$build/bench/bench_exchange" --write-largest "$work/big.sgm"

# "seconds kilobytes" of one run of a command.
measure() {
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>&1
    cat "$work/time"
}

set -- $(measure "$build/src/app/sigmora" --convert "$work/big.sgm" "$work/big.svg")
ours_s=$1 ours_kb=$2
set -- $(measure node "$cli" -i "$WDPEER/in-256x600.json" -s "$work/peer.svg")
peer_s=$1 peer_kb=$2
printf '%-22s %8s %10s %12s\n' program wall_s peak_kB svg_bytes
printf '%-22s %8s %10s %12s\n' "sigmora --convert" "$ours_s" "$ours_kb" "$(wc -c < "$work/big.svg")"
printf '%-22s %8s %10s %12s\n' "wavedrom-cli" "$peer_s" "$peer_kb" "$(wc -c < "$work/peer.svg")"
awk -v a="$ours_s" -v b="$peer_s" -v c="$ours_kb" -v d="$peer_kb" 'BEGIN {
    printf "time ratio (peer / sigmora): %.1f   memory ratio (sigmora / peer): %.3f\n", b / (a > 0 ? a : 0.005), c / d }'
