#!/usr/bin/env bash
# Starts the real Sigmora on three signals told apart by one high cell each, widens the name column
# by a pixel (the first change after Open is not undoable), highlights the first four cells of the
# first row in Edit mode, presses Del and saves: the high cell is gone. Ctrl+Z once and save again:
# the row is back as it was. Then presses just below the diagram's bottom in the name column and
# moves: the height/spacing window opens.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
readonly tool_command=32788 # Edit mode

source "$(dirname "$0")/isolated_home.sh"

file=$work/cells.sgm
"$diagram" marked "$file" 3
before=$("$diagram" waves "$file")

source "$(dirname "$0")/open_and_choose.sh"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+Right
sleep 0.3

read -r px py < <("$diagram" point "$file" 0 0 high)
xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py)) mousedown 1
for cell in 1 2 3; do
  read -r px py < <("$diagram" point "$file" 0 "$cell" high)
  xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py))
  sleep 0.05
done
xdotool mouseup 1
sleep 0.3
xdotool key Delete
sleep 0.4
xdotool key --clearmodifiers ctrl+s
sleep 0.5
deleted=$("$diagram" waves "$file")
xdotool key --clearmodifiers ctrl+z
sleep 0.4
xdotool key --clearmodifiers ctrl+s
sleep 0.5
undone=$("$diagram" waves "$file")
echo "first row before, after Del, after one Undo: ${before:1:8} ${deleted:1:8} ${undone:1:8}"
if [ "$deleted" = "$before" ] || [ "$undone" != "$before" ]; then
  echo "FAIL: one Undo does not bring the deleted cells back" >&2
  cat "$work/sigmora.log" >&2
  exit 1
fi

# The bottom of three rows of the default layout: top margin 20 + 3 rows of 44 pixels.
bottom=$((20 + 3 * 44))
xdotool mousemove --sync $((X + vx + 30)) $((Y + vy + bottom + 2))
sleep 0.3
xdotool mousedown 1
sleep 0.2
xdotool mousemove --sync $((X + vx + 30)) $((Y + vy + bottom + 12))
sleep 0.3
xdotool mouseup 1
sleep 0.8
import -window root "$work/bottom.png"
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/bottom.png" "$SIGMORA_E2E_SHOTS/"; fi
if ! xdotool search --onlyvisible --name "Adjust Signal Height/Spacing" >/dev/null 2>&1; then
  echo "FAIL: the bottom edge taken in the name column did not open the height/spacing window" >&2
  cat "$work/sigmora.log" >&2
  exit 1
fi
echo "PASS"
