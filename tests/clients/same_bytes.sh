#!/bin/sh
# The same input gives the same bytes every time: every example is converted to every output
# type twice in separate processes (a second apart, so that a time stamp would show) and once
# more in one --convert-to run shared out among workers, and all three must be equal byte for
# byte. The PDF takes its creation date from SOURCE_DATE_EPOCH when it is set: two runs with the
# same value agree, and the date is the one asked for.
# Usage: same_bytes.sh SIGMORA EXAMPLES_DIR
set -eu
sigmora=$1
examples=$2
types="sgm svg png bmp pdf emf wmf json xml csv txt vcd v vhd"
. "$(dirname "$0")/scratch_home.sh"
mkdir -p "$work/one" "$work/two" "$work/batch" "$work/dated1" "$work/dated2"
unset SOURCE_DATE_EPOCH || true

for base in $(cd "$examples" && ls *.sgm | sed 's/\.sgm$//'); do
    for type in $types; do
        "$sigmora" --convert "$examples/$base.sgm" "$work/one/$base.$type" 2>/dev/null
    done
done
sleep 1
for base in $(cd "$examples" && ls *.sgm | sed 's/\.sgm$//'); do
    for type in $types; do
        "$sigmora" --convert "$examples/$base.sgm" "$work/two/$base.$type" 2>/dev/null
    done
done
"$sigmora" --convert-to "$(echo $types | tr ' ' ',')" --jobs 2 --outdir "$work/batch" "$examples"/*.sgm 2>/dev/null

failed=0
count=0
for file in "$work"/one/*; do
    name=$(basename "$file")
    count=$((count + 1))
    for other in two batch; do
        if ! cmp -s "$file" "$work/$other/$name"; then
            echo "$name: the $other run wrote other bytes ($(cmp "$file" "$work/$other/$name" 2>&1 | head -1))" >&2
            failed=1
        fi
    done
done
expected=$(( $(ls "$examples"/*.sgm | wc -l) * $(echo $types | wc -w) ))
[ "$count" -eq "$expected" ] || { echo "$count files written, $expected expected" >&2; exit 1; }

# A PDF without SOURCE_DATE_EPOCH carries no creation date; with it, the date asked for.
for pdf in "$work"/one/*.pdf; do
    if grep -a -q "CreationDate\|CreateDate" "$pdf"; then
        echo "$(basename "$pdf"): a creation date without SOURCE_DATE_EPOCH" >&2
        failed=1
    fi
done
SOURCE_DATE_EPOCH=1700000000 "$sigmora" --convert "$examples/spi.sgm" "$work/dated1/spi.pdf"
sleep 1
SOURCE_DATE_EPOCH=1700000000 "$sigmora" --convert-to pdf --outdir "$work/dated2" "$examples/spi.sgm"
cmp "$work/dated1/spi.pdf" "$work/dated2/spi.pdf" || failed=1
grep -a -q "/CreationDate (D:20231114221320Z)" "$work/dated1/spi.pdf" ||
    { echo "spi.pdf: no creation date of SOURCE_DATE_EPOCH" >&2; failed=1; }
[ "$failed" -eq 0 ] && echo "$count files, the same bytes in every run"
exit "$failed"
