#!/usr/bin/env bash
# Starts the real Sigmora on a diagram of two low signals, sets 30 cells high with 30 clicks of
# the draw tool, saves (Ctrl+S: the title loses its mark of unsaved changes), presses Ctrl+Z 35
# times and saves again: the file is back to the diagram as it was opened, every one of the 30
# changes undone. Ctrl+Q then ends the program, and the preferences file is in the user's
# configuration folder, not beside the program.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
readonly tool_command=32787 # the draw tool
readonly edits=30

source "$(dirname "$0")/isolated_home.sh"

file=$work/steps.sgm
"$diagram" make "$file" 2
before=$("$diagram" waves "$file")

source "$(dirname "$0")/open_and_choose.sh"

fail() {
  echo "FAIL: $1" >&2
  cat "$work/sigmora.log" >&2
  exit 1
}
title() { xdotool getwindowname "$window"; }
save() {
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers ctrl+s
  sleep 0.5
}

# One click on each of 15 cells of both rows: 30 changes, each its own undo step.
for i in $(seq 0 $((edits - 1))); do
  read -r px py < <("$diagram" point "$file" $((i % 2)) $((i / 2)) high)
  xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py)) click 1
  sleep 0.1
done
sleep 0.5
echo "title after the changes: $(title)"
[ "$(title)" = "steps.sgm* - Sigmora 3.3.5" ] || [ "$(title)" = "$file* - Sigmora 3.3.5" ] ||
  fail "the title does not mark the unsaved changes: $(title)"
save
drawn=$("$diagram" waves "$file")
echo "row 0 cells 0-15 drawn: $(sed -n 1p <<<"$drawn" | cut -c2-17)"
[ "$(sed -n 1p <<<"$drawn" | cut -c2-16)" = "111111111111111" ] || fail "the clicks did not set the cells"
[ "$(sed -n 2p <<<"$drawn" | cut -c2-16)" = "111111111111111" ] || fail "the clicks did not set the cells"
case "$(title)" in *"* - Sigmora"*) fail "the title still marks unsaved changes after saving: $(title)" ;; esac

# More Undo presses than changes: the ones past the first state do nothing.
xdotool windowfocus --sync "$window"
for _ in $(seq 1 $((edits + 5))); do
  xdotool key --clearmodifiers ctrl+z
  sleep 0.05
done
sleep 0.5
save
after=$("$diagram" waves "$file")
echo "row 0 cells 0-15 undone: $(sed -n 1p <<<"$after" | cut -c2-17)"
[ "$after" = "$before" ] || fail "the $edits changes after Open were not all undone"

# Ctrl+Q ends the program (nothing is unsaved); the preferences went to the configuration folder.
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+q
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q did not end the program"
wait "$pid" || true
pid=
[ -f "$XDG_CONFIG_HOME/Kavlon Software/sigmora.ini" ] || fail "no sigmora.ini in the configuration folder"
[ ! -e "$work/bin/sigmora.ini" ] || fail "sigmora.ini was written beside the program"
[ "$(stat -c %s "$XDG_CONFIG_HOME/Kavlon Software/sigmora.ini")" = 64 ] || fail "sigmora.ini is not 16 integers"
echo "PASS"
