#!/bin/sh
# The exchange paths against their peers, each measured side by side in the same run with
# /usr/bin/time (wall seconds, peak memory), RUNS times (default 3), then each ratio's median and
# spread (lowest to highest):
#   - SVG export of a 256-signal, 600-half-cycle diagram, whole process
#     (`sigmora --convert big.sgm big.svg`), against WaveDrom's command-line renderer on a diagram
#     of the same size;
#   - value change dump import of bench/make_vcd.py's 100 MB dump with the window at its end
#     (`sigmora --convert dump.vcd out.sgm --from LAST-6000`), against GTKWave's vcd2fst on the
#     same dump (Debian package gtkwave; the row is left out when vcd2fst is missing);
#   - the same window imported from that dump converted to FST by vcd2fst
#     (`sigmora --convert dump.fst out.sgm --from LAST-6000`), against the dump's own import;
#   - the refresh of the imported diagram from its dump (`sigmora --refresh out.sgm`), against
#     the import it repeats: what the refresh adds beyond reading the dump again;
#   - when BUILD_DIR/bench/bench_redraw is built, the PNG and PDF pictures of the annotated
#     diagram against its bitmap (BM_PictureOutput), from one run of it with RUNS repetitions.
# Usage: bench/peer-compare.sh [BUILD_DIR] [PEER_SCRIPT]
#   BUILD_DIR    default build
#   PEER_SCRIPT  the WaveDrom peer's set-up script, default ../shared/bench/peer-wavedrom.sh; it
#                installs wavedrom-cli into $WDPEER (default /tmp/wdpeer) and writes its input.
# The peers are for measuring only: `apt-get install gtkwave` brings vcd2fst, npm the WaveDrom CLI.
set -eu
build=${1:-build}
peer_script=${2:-../shared/bench/peer-wavedrom.sh}
here=$(dirname "$0")
runs=${RUNS:-3}
WDPEER=${WDPEER:-/tmp/wdpeer}
export WDPEER QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sh "$peer_script" 256x600 >/dev/null
cli="$WDPEER/node_modules/wavedrom-cli/wavedrom-cli.js"
"$build/bench/bench_exchange" --write-largest "$work/big.sgm"
dump=
if command -v vcd2fst >/dev/null 2>&1; then
    last=$(python3 "$here/make_vcd.py" "$work/dump.vcd" 100)
    dump=yes
else
    echo "vcd2fst not found (Debian package gtkwave): the dump import is not compared" >&2
fi

# "seconds kilobytes" of one run of a command: the wall time to the tenth of a millisecond (time's
# own %e has hundredths, a quarter of the SVG export), the peak memory from /usr/bin/time.
measure() {
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$work/time" "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    awk -v ns=$((end - start)) -v kb="$(cat "$work/time")" 'BEGIN { printf "%.4f %s\n", ns / 1e9, kb }'
}

# Prints the median and the spread of the numbers on standard input.
summary() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "-"; exit }
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.3g (%.3g to %.3g)\n", m, v[1], v[NR] }'
}

printf '%-4s %-22s %8s %10s\n' run program wall_s peak_kB
run=1
while [ "$run" -le "$runs" ]; do
    set -- $(measure "$build/src/app/sigmora" --convert "$work/big.sgm" "$work/big.svg")
    ours_s=$1 ours_kb=$2
    set -- $(measure node "$cli" -i "$WDPEER/in-256x600.json" -s "$work/peer.svg")
    peer_s=$1 peer_kb=$2
    printf '%-4s %-22s %8s %10s\n' "$run" "sigmora svg" "$ours_s" "$ours_kb" "$run" "wavedrom-cli" "$peer_s" "$peer_kb"
    awk -v a="$ours_s" -v b="$peer_s" 'BEGIN { print b / (a > 0 ? a : 0.005) }' >> "$work/svg-time"
    awk -v c="$ours_kb" -v d="$peer_kb" 'BEGIN { print c / d }' >> "$work/svg-memory"
    if [ -n "$dump" ]; then
        set -- $(measure "$build/src/app/sigmora" --convert "$work/dump.vcd" "$work/dump.sgm" --from $((last - 6000)))
        vcd_s=$1 vcd_kb=$2
        set -- $(measure vcd2fst "$work/dump.vcd" "$work/dump.fst")
        fst_s=$1 fst_kb=$2
        set -- $(measure "$build/src/app/sigmora" --convert "$work/dump.fst" "$work/dump-fst.sgm" --from $((last - 6000)))
        fstin_s=$1 fstin_kb=$2
        set -- $(measure "$build/src/app/sigmora" --refresh "$work/dump.sgm")
        refresh_s=$1 refresh_kb=$2
        printf '%-4s %-22s %8s %10s\n' "$run" "sigmora dump import" "$vcd_s" "$vcd_kb" "$run" "vcd2fst" "$fst_s" "$fst_kb" \
            "$run" "sigmora fst import" "$fstin_s" "$fstin_kb" "$run" "sigmora refresh" "$refresh_s" "$refresh_kb"
        awk -v a="$vcd_s" -v b="$fst_s" 'BEGIN { print b / (a > 0 ? a : 0.005) }' >> "$work/vcd-time"
        awk -v c="$vcd_kb" 'BEGIN { print c / 1024 }' >> "$work/vcd-memory"
        awk -v a="$vcd_s" -v b="$fstin_s" 'BEGIN { print b / (a > 0 ? a : 0.005) }' >> "$work/fst-time"
        awk -v a="$vcd_s" -v b="$refresh_s" 'BEGIN { print b - a }' >> "$work/refresh-time"
    fi
    run=$((run + 1))
done
printf 'svg bytes: sigmora %s, wavedrom-cli %s\n' "$(wc -c < "$work/big.svg")" "$(wc -c < "$work/peer.svg")"
printf '%-44s %s\n' "SVG time ratio (peer / sigmora), goal >= 15:" "$(summary < "$work/svg-time")"
printf '%-44s %s\n' "SVG memory ratio (sigmora / peer), goal <= 0.2:" "$(summary < "$work/svg-memory")"
if [ -n "$dump" ]; then
    printf '%-44s %s\n' "dump time ratio (vcd2fst / sigmora), goal >= 8:" "$(summary < "$work/vcd-time")"
    printf '%-44s %s\n' "dump import peak MiB, goal <= 32:" "$(summary < "$work/vcd-memory")"
    printf '%-44s %s\n' "FST import time / dump import, goal <= 0.5:" "$(summary < "$work/fst-time")"
    printf '%-44s %s\n' "refresh s beyond the import, goal <= 1:" "$(summary < "$work/refresh-time")"
fi

pictures="$build/bench/bench_redraw"
if [ -x "$pictures" ]; then
    "$pictures" --benchmark_filter='BM_PictureOutput/(0|2|3)$' --benchmark_repetitions="$runs" \
        --benchmark_format=csv 2>/dev/null > "$work/pictures.csv"
    # Repetition k of each picture against repetition k of the bitmap (wall milliseconds).
    for picture in 2:PDF:2 3:PNG:1.5; do
        index=${picture%%:*} rest=${picture#*:}
        awk -F, -v want="\"BM_PictureOutput/$index\"" '
            $1 == "\"BM_PictureOutput/0\"" { bmp[++b] = $3 }
            $1 == want { other[++o] = $3 }
            END { for (k = 1; k <= o && k <= b; ++k) print other[k] / bmp[k] }' "$work/pictures.csv" > "$work/ratio"
        printf '%-44s %s\n' "${rest%%:*} / BMP time, goal <= ${rest#*:}:" "$(summary < "$work/ratio")"
    done
fi
