#!/usr/bin/env bash
# Starts the real Sigmora on three signals told apart by one high cell each, chooses Edit mode,
# drags a block over the first four cells of the first row, copies it with Ctrl+C, clicks a single
# cell of the third row, pastes with Ctrl+V, saves with Ctrl+S and reads the file: the third row
# now holds the copied cells from that cell on, and the other rows are unchanged.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
readonly tool_command=32788 # Edit mode
readonly target_cell=10

source "$(dirname "$0")/isolated_home.sh"

file=$work/block.sgm
"$diagram" marked "$file" 3
before=$("$diagram" waves "$file")

source "$(dirname "$0")/open_and_choose.sh"

at() { # moves the pointer into ROW's CELL, upper half
  local px py
  read -r px py < <("$diagram" point "$file" "$1" "$2" high)
  xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py))
}
at 0 0
xdotool mousedown 1
for cell in 1 2 3; do
  sleep 0.05
  at 0 "$cell"
done
xdotool mouseup 1
sleep 0.3
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+c
sleep 0.3
at 2 "$target_cell"
xdotool click 1
sleep 0.3
import -window root "$work/target.png"
xdotool key --clearmodifiers ctrl+v
sleep 0.3
xdotool key --clearmodifiers ctrl+s
sleep 0.2
xdotool mousemove_relative --sync 1 1
sleep 1
import -window root "$work/pasted.png"
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/target.png" "$work/pasted.png" "$SIGMORA_E2E_SHOTS/"; fi

after=$("$diagram" waves "$file")
row0=$(sed -n 1p <<<"$before")
expected=$(sed -n 3p <<<"$before")
# Character 0 is the level entering the first cell: cell i is character i + 1.
expected=${expected:0:$((target_cell + 1))}${row0:1:4}${expected:$((target_cell + 5))}
echo "row 2 cells 0-15 after: $(sed -n 3p <<<"$after" | cut -c2-17)"
if [ "$(sed -n 3p <<<"$after")" != "$expected" ] || [ "$(sed -n 1,2p <<<"$after")" != "$(sed -n 1,2p <<<"$before")" ]; then
  echo "FAIL: the saved file does not hold the pasted block in the third row alone" >&2
  echo "expected row 2 cells 0-15: ${expected:1:16}" >&2
  cat "$work/sigmora.log" >&2
  exit 1
fi
echo "PASS"
