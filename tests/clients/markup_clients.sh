#!/bin/sh
# Datasheet text (a subscript and an overline) drawn by other programs from Sigmora's files:
# librsvg draws the SVG's nested spans, pdftotext finds the text in the PDF, and Inkscape, pdftoppm
# and ImageMagick draw the metafiles, the PDF and the bitmap with the picture's ink (the picture
# check, run on a diagram whose title holds the marks). The marks change the picture: the same
# title without them draws other ink.
# Usage: markup_clients.sh SIGMORA TESTS_CLIENTS_DIR  (exit 77: a client is not installed)
set -eu
sigmora=$1
clients=$2
for tool in rsvg-convert pdftotext convert; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed" >&2; exit 77; }
done
. "$(dirname "$0")/scratch_home.sh"

diagram() { # NAME TITLE
    printf "{signal: [{name: 'clk', wave: 'p...'}, {name: 'cs', wave: '10.1'}], head: {text: '%s'}}\n" "$2" >"$work/$1.json"
    "$sigmora" --convert "$work/$1.json" "$work/$1.sgm"
    for ext in svg png pdf; do
        "$sigmora" --convert "$work/$1.sgm" "$work/$1.$ext"
    done
}
diagram marked 't_{SU} and ~{CS} low'
diagram plain 'tSU and CS low'

# SVG: the marks are spans of the title's line, and librsvg draws them.
grep -q '>t<tspan baseline-shift="sub" style="font-size:70%">SU</tspan> and <tspan style="text-decoration:overline">CS</tspan> low</tspan>' \
    "$work/marked.svg" || { echo "the SVG does not carry the marks as spans" >&2; exit 1; }
rsvg-convert -b white "$work/marked.svg" -o "$work/marked-svg.png"
rsvg-convert -b white "$work/plain.svg" -o "$work/plain-svg.png"

# PDF: the text is there, the runs in reading order.
pdftotext "$work/marked.pdf" - | grep -q "tSU and CS low" || { echo "pdftotext does not find the title" >&2; exit 1; }

# The marks draw other ink than the plain title, in the picture and in librsvg's drawing.
for pair in "marked.png plain.png" "marked-svg.png plain-svg.png"; do
    set -- $pair
    differ=$(compare -metric AE "$work/$1" "$work/$2" null: 2>&1 || true)
    echo "$1 against $2: $differ pixels differ"
    [ "${differ%% *}" != "0" ] || { echo "$1: the marks changed nothing" >&2; exit 1; }
done

# The metafiles, the PDF page and the bitmap carry the picture's ink, the marked title included.
EXAMPLES=marked sh "$clients/picture_clients.sh" "$sigmora" "$work"
echo "markup drawn by librsvg, pdftotext, Inkscape and pdftoppm"
