#!/usr/bin/env bash
# Starts the real Sigmora on three signals told apart by one high cell each, chooses Edit mode,
# selects the third row by its name, moves it up twice with the Up key, draws nothing, saves with
# Ctrl+S and reads the file: the third row is now the first.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
readonly tool_command=32788 # Edit mode

source "$(dirname "$0")/isolated_home.sh"

file=$work/rows.sgm
"$diagram" marked "$file" 3
third=$("$diagram" waves "$file" | sed -n 3p)

source "$(dirname "$0")/open_and_choose.sh"
read -r px py < <("$diagram" point "$file" 2 0 high)
# The name column: well left of the waveforms, on the third row.
xdotool mousemove --sync $((X + vx + 30)) $((Y + vy + py + 4))
sleep 0.2
xdotool click 1
sleep 0.3
xdotool windowfocus --sync "$window"
xdotool key Up
sleep 0.3
xdotool key Up
sleep 0.3
xdotool key --clearmodifiers ctrl+s
sleep 0.2
xdotool mousemove_relative --sync 1 1
sleep 1
import -window root "$work/moved.png"
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/moved.png" "$SIGMORA_E2E_SHOTS/"; fi

first=$("$diagram" waves "$file" | sed -n 1p)
echo "first row now: ${first:1:6} (the third was ${third:1:6})"
if [ "$first" != "$third" ]; then
  echo "FAIL: the third row did not move to the top" >&2
  cat "$work/sigmora.log" >&2
  exit 1
fi
echo "PASS"
