#!/usr/bin/env bash
# Starts the real Sigmora with a diagram and exports it through File, Export, Bitmap with the
# keyboard, taking the name the save dialog proposes (the diagram's, with .bmp). The bitmap must
# hold exactly the pixels of the program's own picture of the diagram.
set -euo pipefail
sigmora=$1
diagram=$2

source "$(dirname "$0")/isolated_home.sh"
start_with_diagram "$diagram"
xdotool windowfocus --sync "$window"
# File, Export, Bitmap; then Save in the dialog.
xdotool key alt+f
sleep 0.5
xdotool key e
sleep 0.5
xdotool key b
timeout 20 xdotool search --sync --onlyvisible --name '^Save as bitmap$' >/dev/null
sleep 0.5
xdotool key Return
for _ in $(seq 1 40); do
  [ -s "$work/diagram.bmp" ] && break
  sleep 0.25
done
[ -s "$work/diagram.bmp" ] || { echo "no bitmap was written" >&2; exit 1; }
sleep 0.5
QT_QPA_PLATFORM=offscreen "$work/bin/sigmora" --convert "$work/diagram.sgm" "$work/picture.png"
differing=$(compare -metric AE "$work/diagram.bmp" "$work/picture.png" null: 2>&1 || true)
echo "the exported bitmap differs from the picture in $differing pixels"
[ "$differing" = "0" ]
