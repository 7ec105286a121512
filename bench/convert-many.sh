#!/bin/sh
# Many diagrams in one run against one process a diagram: COUNT (default 200) copies of the
# examples converted to SVG by one `sigmora --convert-to svg --outdir OUT ...` run, against COUNT
# separate `sigmora --convert IN OUT.svg` processes, and, when WaveDrom's command-line renderer is
# installed in $WDPEER (../shared/bench/peer-wavedrom.sh installs it with npm), against COUNT runs
# of it on the same diagrams as WaveJSON. Each is timed RUNS times (default 3), side by side in
# the same loop; the medians of the wall seconds and their ratios are printed.
# Usage: bench/convert-many.sh [BUILD_DIR]   (an optimised build: cmake -DCMAKE_BUILD_TYPE=Release)
set -eu
build=${1:-build}
sigmora=$build/src/app/sigmora
[ -x "$sigmora" ] || sigmora=$build/sigmora
count=${COUNT:-200}
runs=${RUNS:-3}
examples=$(dirname "$0")/../examples
WDPEER=${WDPEER:-/tmp/wdpeer}
cli="$WDPEER/node_modules/wavedrom-cli/wavedrom-cli.js"
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/batch" "$work/single" "$work/wd"

# The inputs: the examples in turn, each copy a file of its own, and the same as WaveJSON.
set -- "$examples"/*.sgm
i=0
while [ "$i" -lt "$count" ]; do
    for sgm in "$@"; do
        [ "$i" -lt "$count" ] || break
        cp "$sgm" "$work/in/d$i.sgm"
        i=$((i + 1))
    done
done
"$sigmora" --convert-to json --outdir "$work/in" "$work"/in/*.sgm 2>/dev/null || true

now() { date +%s.%N; }
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

: >"$work/t-batch"
: >"$work/t-single"
: >"$work/t-wd"
r=0
while [ "$r" -lt "$runs" ]; do
    rm -f "$work"/batch/* "$work"/single/* "$work"/wd/*
    t0=$(now)
    "$sigmora" --convert-to svg --outdir "$work/batch" "$work"/in/*.sgm
    t1=$(now)
    for sgm in "$work"/in/*.sgm; do
        name=$(basename "$sgm" .sgm)
        "$sigmora" --convert "$sgm" "$work/single/$name.svg"
    done
    t2=$(now)
    echo "$t1 - $t0" | bc >>"$work/t-batch"
    echo "$t2 - $t1" | bc >>"$work/t-single"
    if [ -f "$cli" ]; then
        t3=$(now)
        for json in "$work"/in/*.json; do
            name=$(basename "$json" .json)
            node "$cli" -i "$json" -s "$work/wd/$name.svg" 2>/dev/null || true
        done
        t4=$(now)
        echo "$t4 - $t3" | bc >>"$work/t-wd"
    fi
    r=$((r + 1))
done
[ "$(ls "$work/batch" | wc -l)" -eq "$count" ] || { echo "the batch wrote $(ls "$work/batch" | wc -l) files" >&2; exit 1; }
for svg in "$work"/single/*.svg; do
    cmp -s "$svg" "$work/batch/$(basename "$svg")" || { echo "$(basename "$svg") differs" >&2; exit 1; }
done

batch=$(median <"$work/t-batch")
single=$(median <"$work/t-single")
echo "cores: $(nproc); $count diagrams to SVG, medians of $runs runs"
printf '%-46s %8.3f s\n' "sigmora --convert-to svg (one run)" "$batch"
printf '%-46s %8.3f s   %.1fx the one run\n' "sigmora --convert ($count processes)" "$single" \
    "$(echo "$single / $batch" | bc -l)"
if [ -s "$work/t-wd" ]; then
    wd=$(median <"$work/t-wd")
    printf '%-46s %8.3f s   %.1fx the one run\n' "wavedrom-cli ($count runs, WaveJSON)" "$wd" \
        "$(echo "$wd / $batch" | bc -l)"
else
    echo "wavedrom-cli not installed in $WDPEER (sh ../shared/bench/peer-wavedrom.sh 1x20 installs it)"
fi
