#!/usr/bin/env bash
# Starts the real Sigmora with a diagram, clicks Print on the standard tool bar and prints to a
# PDF file from the print dialog, which proposes the diagram's name in its folder. The PDF must hold one page with the fonts embedded and the
# diagram at screen size: its drawing is 32 pixels (1/3 inch at 96 an inch) wider than the
# program's own picture, since printing widens the name margin and column by 32 each and starts
# the frame 32 from the left.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
readonly print_command=57607

source "$(dirname "$0")/isolated_home.sh"
start_with_diagram "$diagram"
eval "$(xdotool getwindowgeometry --shell "$window")"
read -r bx by _ < <("$locate" "$print_command" "$WIDTH" "$HEIGHT")
xdotool mousemove --sync $((X + bx)) $((Y + by)) click 1
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Print' | tail -n 1)
sleep 1
import -window root "$work/dialog.png"
xdotool windowfocus --sync "$dialog" key Return
pdf=
for _ in $(seq 1 40); do
  pdf=$(find "$work" -name '*.pdf' -size +1k | head -n 1)
  [ -n "$pdf" ] && break
  sleep 0.25
done
[ -n "$pdf" ] || { echo "no PDF was printed" >&2; exit 1; }
# Print to File proposed the diagram's own name in its folder.
[ "$pdf" = "$work/diagram.pdf" ] || { echo "the PDF was printed to $pdf, not beside the diagram as diagram.pdf" >&2; exit 1; }
sleep 1
pdfinfo "$pdf" | grep -q '^Pages: *1$' || { echo "the PDF does not hold one page" >&2; exit 1; }
if pdffonts "$pdf" | tail -n +3 | awk '$(NF-4) != "yes"' | grep -q .; then
  echo "a font of the PDF is not embedded" >&2
  exit 1
fi
pdftoppm -r 96 -png -singlefile "$pdf" "$work/page"
QT_QPA_PLATFORM=offscreen "$work/bin/sigmora" --convert "$work/diagram.sgm" "$work/picture.png"
printed=$(convert "$work/page.png" -trim -format %w info:)
drawn=$(convert "$work/picture.png" -trim -format %w info:)
echo "printed drawing ${printed} px wide, the picture's ${drawn} px"
difference=$((printed - drawn - 32))
if [ "${difference#-}" -gt 2 ]; then
  echo "the printed drawing is not at 1/96 inch a pixel with its margins" >&2
  exit 1
fi
