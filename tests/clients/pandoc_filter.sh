#!/bin/sh
# The Pandoc filter in a real build: a Markdown document with a Sigmora diagram and a WaveJSON
# file as images becomes HTML whose figures are the SVG pictures Sigmora draws (with their
# captions), and LaTeX that includes the PDF pictures. A second build converts nothing (every call
# of the program is logged by a wrapper); a changed diagram is converted again; a missing diagram
# fails the build with the file's name.
# Usage: pandoc_filter.sh SIGMORA SOURCE_DIR   (exit 77: pandoc is not installed)
set -eu
sigmora=$1
source_dir=$2
command -v pandoc >/dev/null 2>&1 || { echo "pandoc is not installed" >&2; exit 77; }
. "$source_dir/tests/clients/doc_build_setup.sh"
mkdir -p "$work/doc"

cp "$source_dir/examples/handshake.sgm" "$work/doc/handshake.sgm"
cp "$source_dir/tests/clients/wavejson/annotated.json" "$work/doc/wave.json"
cat >"$work/doc/doc.md" <<'DOC'
# Timing

![The handshake of a read](handshake.sgm)

Some text between the figures.

![A WaveJSON cycle](wave.json){width=50%}
DOC
cd "$work/doc"
build() { pandoc --lua-filter "$source_dir/integrations/pandoc/sigmora.lua" doc.md -o "$1" 2>"$work/err.txt"; }

build doc.html || fail "the first build failed: $(cat "$work/err.txt")"
[ "$(wc -l <"$work/calls.log")" -eq 2 ] || fail "the first build made $(wc -l <"$work/calls.log") conversions, not 2"
for caption in "The handshake of a read" "A WaveJSON cycle"; do
    grep -q "<figcaption[^>]*>$caption</figcaption>" doc.html || fail "doc.html: no figure captioned $caption"
done
pictures=$(grep -o 'src="_sigmora/[0-9a-f]*\.svg"' doc.html | sed 's/src="\(.*\)"/\1/')
[ "$(echo "$pictures" | wc -l)" -eq 2 ] || fail "doc.html: not two SVG pictures: $(cat doc.html)"
for svg in $pictures; do
    grep -q "<svg" "$svg" || fail "$svg is no SVG picture"
done
# The picture is the one --convert draws.
"$sigmora" --convert handshake.sgm "$work/handshake.svg"
echo "$pictures" | while read -r svg; do cmp -s "$svg" "$work/handshake.svg" && echo same; done | grep -q same ||
    fail "no picture of doc.html is the SVG --convert draws of handshake.sgm"

# Built again: nothing is converted, the same HTML comes out.
cp doc.html "$work/first.html"
build doc.html || fail "the second build failed: $(cat "$work/err.txt")"
[ "$(wc -l <"$work/calls.log")" -eq 2 ] || fail "the second build converted again: $(cat "$work/calls.log")"
cmp -s doc.html "$work/first.html" || fail "the second build made other HTML"

# LaTeX takes PDF pictures.
build doc.tex || fail "the LaTeX build failed: $(cat "$work/err.txt")"
pdfs=$(grep -o 'includegraphics[^{]*{_sigmora/[0-9a-f]*\.pdf}' doc.tex | sed 's/.*{\(.*\)}/\1/')
[ "$(echo "$pdfs" | wc -l)" -eq 2 ] || fail "doc.tex: not two PDF pictures: $(cat doc.tex)"
for pdf in $pdfs; do
    head -c 5 "$pdf" | grep -q "%PDF-" || fail "$pdf is no PDF"
done

# A changed diagram is converted again, once.
calls=$(wc -l <"$work/calls.log")
cp "$source_dir/examples/spi.sgm" handshake.sgm
build doc.html || fail "the build after a change failed: $(cat "$work/err.txt")"
[ "$(wc -l <"$work/calls.log")" -eq $((calls + 1)) ] || fail "a changed diagram was not converted once: $(cat "$work/calls.log")"

# A missing or damaged diagram fails the build, naming the file.
rm wave.json
if build doc.html; then fail "a missing diagram did not fail the build"; fi
grep -q "wave.json" "$work/err.txt" || fail "the failure does not name wave.json: $(cat "$work/err.txt")"
echo "not a diagram" >wave.json
if build doc.html; then fail "a damaged diagram did not fail the build"; fi
grep -q "wave.json" "$work/err.txt" || fail "the failure does not name wave.json: $(cat "$work/err.txt")"
echo "Pandoc: figures, LaTeX pictures, a second build converts nothing, failures named"
