#!/usr/bin/env bash
# Starts the real Sigmora on a diagram of two low signals, chooses the draw tool, drags across the
# upper half of the first row, drags again across the second, presses Ctrl+Z and Ctrl+S, and reads
# the saved file: the first stroke is there, the second is not.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
readonly tool_command=32787 # the draw tool

source "$(dirname "$0")/isolated_home.sh"

file=$work/strokes.sgm
"$diagram" make "$file" 2
before=$("$diagram" waves "$file")

source "$(dirname "$0")/open_and_choose.sh"

# Presses at the first cell, moves through every cell up to the last, releases there.
drag() {
  local row=$1 from=$2 to=$3 px py
  read -r px py < <("$diagram" point "$file" "$row" "$from" high)
  xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py)) mousedown 1
  # The press put the pointer on the first cell; a move onto where it already is would leave
  # xdotool's --sync waiting for a motion that never comes.
  for cell in $(seq $((from + 1)) "$to"); do
    read -r px py < <("$diagram" point "$file" "$row" "$cell" high)
    xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.3
}
drag 0 2 6
drag 1 8 12
import -window root "$work/drawn.png"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+z
sleep 0.5
xdotool key --clearmodifiers ctrl+s
sleep 0.2
xdotool mousemove_relative --sync 1 1
sleep 1
import -window root "$work/undone.png"
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/drawn.png" "$work/undone.png" "$SIGMORA_E2E_SHOTS/"; fi

after=$("$diagram" waves "$file")
first=$(sed -n 1p <<<"$after")
second=$(sed -n 2p <<<"$after")
echo "row 0 cells 0-14 after: ${first:1:15}"
echo "row 1 cells 0-14 after: ${second:1:15}"
if [ "${first:1:15}" != "001111100000000" ] || [ "$second" != "$(sed -n 2p <<<"$before")" ]; then
  echo "FAIL: the saved file does not hold the first stroke alone" >&2
  cat "$work/sigmora.log" >&2
  exit 1
fi
echo "PASS"
