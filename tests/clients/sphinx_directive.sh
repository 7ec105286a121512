#!/bin/sh
# The Sphinx directive in a real project: HTML with the SVG figure (alt text, width, caption) and
# a dump drawn with its options, LaTeX with the PDF figure; a second build from a fresh
# environment converts nothing (every call of the program is logged by a wrapper); a missing
# diagram is a warning naming the file, which -W makes fail the build.
# Usage: sphinx_directive.sh SIGMORA SOURCE_DIR   (exit 77: sphinx-build is not installed)
set -eu
sigmora=$1
source_dir=$2
command -v sphinx-build >/dev/null 2>&1 || { echo "sphinx-build is not installed" >&2; exit 77; }
. "$source_dir/tests/clients/doc_build_setup.sh"
mkdir -p "$work/src/timing"

cp "$source_dir/examples/handshake.sgm" "$work/src/timing/handshake.sgm"
printf '%s\n' '$timescale 1ns $end' '$scope module tb $end' '$var wire 1 ! clk $end' '$var wire 1 " d $end' \
    '$upscope $end' '$enddefinitions $end' '#0' '0!' '0"' '#5' '1!' '#10' '0!' '1"' '#15' '1!' '#20' '0!' '0"' \
    '#25' '1!' '#30' '0!' >"$work/src/timing/tb.vcd"
cat >"$work/src/conf.py" <<CONF
import sys
sys.path.insert(0, "$source_dir/integrations/sphinx")
project = "Timing"
extensions = ["sigmora_sphinx"]
CONF
cat >"$work/src/index.rst" <<'DOC'
Timing
======

.. sigmora:: timing/handshake.sgm
   :alt: The read handshake
   :width: 80%
   :caption: A read cycle

.. sigmora:: timing/tb.vcd
   :clock: clk
   :from: 0
   :to: 30
DOC
cd "$work"
sphinx-build -q -W -b html src html 2>"$work/err.txt" || fail "the HTML build failed: $(cat "$work/err.txt")"
[ "$(wc -l <calls.log)" -eq 2 ] || fail "the HTML build made $(wc -l <calls.log) conversions, not 2"
grep -q -- "--clock clk --from 0 --to 30" calls.log || fail "the dump's options were not handed over: $(cat calls.log)"
tr '\n' ' ' <html/index.html | grep -q '<figure class="sigmora[^>]*> *<img src="_images/sigmora-[0-9a-f]*\.svg" alt="The read handshake" style="width: 80%" /> *<figcaption> *<p><span class="caption-text">A read cycle</span>' ||
    fail "html/index.html has no figure of the diagram: $(grep -A4 sigmora html/index.html)"
svgs=$(grep -o 'src="_images/sigmora-[0-9a-f]*\.svg"' html/index.html | sed 's/src="\(.*\)"/\1/')
[ "$(echo "$svgs" | wc -l)" -eq 2 ] || fail "not two SVG pictures in html/index.html"
"$sigmora" --convert src/timing/handshake.sgm "$work/handshake.svg"
cmp -s "html/$(echo "$svgs" | head -1)" "$work/handshake.svg" || fail "the figure is not the SVG --convert draws"
grep -q "<svg" "html/$(echo "$svgs" | tail -1)" || fail "the dump's picture is no SVG"

# A fresh environment writes every page again; the pictures are there, nothing is converted.
sphinx-build -q -W -E -b html src html 2>"$work/err.txt" || fail "the second HTML build failed: $(cat "$work/err.txt")"
[ "$(wc -l <calls.log)" -eq 2 ] || fail "the second build converted again: $(cat calls.log)"

sphinx-build -q -W -b latex src latex 2>"$work/err.txt" || fail "the LaTeX build failed: $(cat "$work/err.txt")"
pdf=$(grep -o 'sphinxincludegraphics\[width=[^]]*\]{sigmora-[0-9a-f]*\.pdf}' latex/*.tex | head -1 | sed 's/.*{\(.*\)}/\1/')
[ -n "$pdf" ] || fail "the LaTeX document includes no PDF figure: $(grep -n sigmora latex/*.tex)"
grep -q '\\caption{A read cycle}' latex/*.tex || fail "the LaTeX figure has no caption"
head -c 5 "latex/$pdf" | grep -q "%PDF-" || fail "latex/$pdf is no PDF"

# A missing diagram: a warning naming it; with -W the build fails.
printf '\n.. sigmora:: timing/missing.sgm\n' >>src/index.rst
sphinx-build -q -b html src html 2>"$work/err.txt" || fail "a missing diagram stopped a build without -W"
grep -q "timing/missing.sgm" "$work/err.txt" || fail "no warning names the missing diagram: $(cat "$work/err.txt")"
if sphinx-build -q -W -E -b html src html 2>"$work/err.txt"; then fail "-W did not fail the build"; fi
grep -q "timing/missing.sgm" "$work/err.txt" || fail "the failure does not name the diagram: $(cat "$work/err.txt")"
# A damaged diagram: Sigmora's reason in the warning.
echo "not a diagram" >src/timing/missing.sgm
if sphinx-build -q -W -E -b html src html 2>"$work/err.txt"; then fail "a damaged diagram did not fail the -W build"; fi
grep -q "timing/missing.sgm.*not a valid Sigmora file" "$work/err.txt" || fail "no reason for the damaged diagram: $(cat "$work/err.txt")"
echo "Sphinx: HTML and LaTeX figures, a second build converts nothing, a missing diagram warned"
