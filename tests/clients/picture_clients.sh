#!/bin/sh
# Other programs read Sigmora's picture files and see the same drawing as Sigmora's own PNG:
# Inkscape draws the enhanced and the Windows metafile, pdftoppm (poppler) the PDF page, and
# ImageMagick reads the bitmap. Each dark pixel of one drawing must lie within two pixels of a
# dark pixel of the other (at most 1 % of the ink may not); the bitmap must equal the PNG.
# Usage: picture_clients.sh SIGMORA EXAMPLES_DIR  (exit 77: a client is not installed)
set -eu
sigmora=$1
examples=$2
EXAMPLES=${EXAMPLES:-"annotated handshake"}
for tool in inkscape pdftoppm pdffonts convert compare identify; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed" >&2; exit 77; }
done
. "$(dirname "$0")/scratch_home.sh"

# Pixels of the first ink picture farther than two pixels from any ink of the second.
misses() {
    convert "$1" \( "$2" -morphology Dilate Square:2 -negate \) -compose multiply -composite \
        -format "%[fx:round(mean*w*h)]" info:
}
ink() {
    convert "$1" -format "%[fx:round(mean*w*h)]" info:
}
# The dark pixels of a drawing, white on black, in a W x H window from the top left.
inked() {
    convert "$1" -background white -flatten -crop "$3x$4+0+0" +repage -colorspace gray -threshold 50% -negate "$2"
}
same_ink() {
    ours=$(ink "$1")
    theirs=$(ink "$2")
    lost=$(misses "$1" "$2")
    added=$(misses "$2" "$1")
    echo "$3: ink $ours (Sigmora) / $theirs ($4); $lost and $added pixels farther than 2 px"
    if [ "$ours" -lt 1000 ] || [ "$lost" -gt $((ours / 100)) ] || [ "$added" -gt $((theirs / 100)) ]; then
        echo "$3: $4 draws something else than Sigmora" >&2
        exit 1
    fi
}

for base in $EXAMPLES; do
    sgm="$examples/$base.sgm"
    for ext in png bmp pdf emf wmf; do
        "$sigmora" --convert "$sgm" "$work/$base.$ext"
    done
    # The bitmap holds exactly the picture's pixels.
    diff=$(compare -metric AE "$work/$base.png" "$work/$base.bmp" null: 2>&1 || true)
    [ "$diff" = "0" ] || { echo "$base: the bitmap differs from the picture in $diff pixels" >&2; exit 1; }
    # The PDF page has the picture's size at 96 pixels an inch and carries its fonts.
    pdftoppm -r 96 -png -singlefile "$work/$base.pdf" "$work/$base-pdf"
    [ "$(identify -format %wx%h "$work/$base-pdf.png")" = "$(identify -format %wx%h "$work/$base.png")" ] ||
        { echo "$base: the PDF page is not the picture's size" >&2; exit 1; }
    if pdffonts "$work/$base.pdf" | tail -n +3 | awk '$(NF-4) != "yes"' | grep -q .; then
        echo "$base: a font of the PDF is not embedded" >&2
        exit 1
    fi
    w=$(identify -format %w "$work/$base.png")
    h=$(identify -format %h "$work/$base.png")
    inked "$work/$base.png" "$work/ours.png" "$w" "$h"
    inked "$work/$base-pdf.png" "$work/pdf.png" "$w" "$h"
    same_ink "$work/ours.png" "$work/pdf.png" "$base.pdf" pdftoppm
    # The metafiles are framed to the diagram without the bitmap's margin: drawn as wide as
    # their frame in pixels, they lie over the picture's top-left part.
    for ext in emf wmf; do
        # Inkscape sizes an enhanced metafile by its frame in millimetres: draw it as many
        # pixels wide as the frame's width in view pixels (1024 pixels on 320 mm).
        case $ext in
        emf) frame=$(od -An -t d4 -j 32 -N 4 "$work/$base.emf" | tr -d ' ')
             width=$(( (frame * 1024 + 16000) / 32000 )) ;;
        wmf) width=$(od -An -t d2 -j 10 -N 2 "$work/$base.wmf" | tr -d ' ') ;;
        esac
        inkscape --export-type=png --export-background=white --export-background-opacity=1 \
            --export-width="$width" --export-filename="$work/$base-$ext.png" "$work/$base.$ext" >/dev/null 2>&1
        mw=$(identify -format %w "$work/$base-$ext.png")
        mh=$(identify -format %h "$work/$base-$ext.png")
        # Without the frame's right and bottom lines: Inkscape fills a rectangle without a pen
        # one pixel wider than Windows does, so the margin clean-up covers the right line.
        cw=$(( (mw < w ? mw : w) - 8 - 2 ))
        ch=$(( (mh < h ? mh : h) - 8 - 2 ))
        inked "$work/$base.png" "$work/ours.png" "$cw" "$ch"
        inked "$work/$base-$ext.png" "$work/meta.png" "$cw" "$ch"
        same_ink "$work/ours.png" "$work/meta.png" "$base.$ext" Inkscape
    done
done
