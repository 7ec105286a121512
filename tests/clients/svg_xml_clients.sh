#!/bin/sh
# Every example diagram, and a diagram with a Latin-1 name, written as SVG and XML is well-formed
# for xmllint; the SVG drawn by librsvg (rsvg-convert) carries the same waveform ink as Sigmora's
# own picture of the diagram, each dark pixel of one within three pixels of a dark pixel of the
# other, but for at most 2 % of them: the letters of text boxes and labels are set by each
# renderer's own font engine and differ by a pixel here and there, and the SVG writes a text
# box's line on the baseline at its top + the text height, the font's descent (3 pixels at
# 8 points) below the picture's letters; a waveform drawn wrongly moves whole lines by a level
# or a cell. The SVG drawing lies 10 pixels lower than the picture. Diagrams with annotations are compared only once their SVG
# elements are written: INK_EXAMPLES names the examples compared.
# Usage: svg_xml_clients.sh SIGMORA EXAMPLES_DIR  (exit 77: a client is not installed)
set -eu
sigmora=$1
examples=$2
INK_EXAMPLES=${INK_EXAMPLES:-"handshake spi"}
for tool in xmllint rsvg-convert convert identify; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed" >&2; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
svg_y_offset=10
top_margin=20
shadow=8

# Pixels of the first ink picture farther than three pixels from any ink of the second.
misses() {
    convert "$1" \( "$2" -morphology Dilate Square:3 -negate \) -compose multiply -composite \
        -format "%[fx:round(mean*w*h)]" info:
}
ink() {
    convert "$1" -format "%[fx:round(mean*w*h)]" info:
}

# A name of single-byte text (older diagrams, a comma-separated line written in Latin-1) is
# written as UTF-8 ("d\302\265s", the micro sign) in both, so that xmllint reads them.
printf 'd\265s, 0110\n' >"$work/latin1.csv"
for type in svg xml; do
    "$sigmora" --convert "$work/latin1.csv" "$work/latin1.$type"
    xmllint --noout "$work/latin1.$type"
    grep -q "$(printf 'd\302\265s')" "$work/latin1.$type"
done

for sgm in "$examples"/*.sgm; do
    base=$(basename "$sgm" .sgm)
    "$sigmora" --convert "$sgm" "$work/$base.svg"
    "$sigmora" --convert "$sgm" "$work/$base.xml"
    xmllint --noout "$work/$base.svg" "$work/$base.xml"
    case " $INK_EXAMPLES " in *" $base "*) ;; *) continue ;; esac
    "$sigmora" --convert "$sgm" "$work/$base.png"
    rsvg-convert "$work/$base.svg" -o "$work/$base-rsvg.png"
    # The waveform area: from the first waveform's start to the right end, below the labels.
    x=$(grep -A1 -m1 '^<path' "$work/$base.svg" | sed -n 's/.*d="M \([0-9]*\),.*/\1/p')
    w=$(( $(identify -format %w "$work/$base-rsvg.png") - shadow - x ))
    # The bounding rectangle's bottom line is not moved down with the drawing: leave it out.
    h=$(( $(identify -format %h "$work/$base-rsvg.png") - shadow - svg_y_offset - top_margin - 2 ))
    convert "$work/$base.png" -crop "${w}x${h}+${x}+${top_margin}" +repage -colorspace gray -threshold 50% \
        -negate "$work/ours.png"
    convert "$work/$base-rsvg.png" -background white -flatten \
        -crop "${w}x${h}+${x}+$((top_margin + svg_y_offset))" +repage -colorspace gray -threshold 50% -negate \
        "$work/rsvg.png"
    ours=$(ink "$work/ours.png")
    theirs=$(ink "$work/rsvg.png")
    lost=$(misses "$work/ours.png" "$work/rsvg.png")
    added=$(misses "$work/rsvg.png" "$work/ours.png")
    echo "$base: ink $ours (Sigmora) / $theirs (librsvg); $lost and $added pixels farther than 3 px"
    if [ "$ours" -lt 1000 ] || [ "$lost" -gt $((ours / 50)) ] || [ "$added" -gt $((theirs / 50)) ]; then
        echo "$base: the SVG drawing differs from the picture" >&2
        exit 1
    fi
done
