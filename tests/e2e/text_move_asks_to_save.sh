#!/usr/bin/env bash
# Starts the real Sigmora on the annotated example, clicks the text box "plain note" in Edit mode,
# saves with Ctrl+S, presses Right three times and chooses File > Exit: Sigmora asks to save the
# changes; Yes writes the box three quarter-cell steps (21 pixels) further right.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
example=$4
readonly tool_command=32788 # Edit mode

source "$(dirname "$0")/isolated_home.sh"

file=$work/annotated.sgm
cp "$example" "$file"
note() { "$diagram" list "$file" texts | grep '\.plain note\.'; }
left_before=$(note | cut -d. -f1)
top=$(note | cut -d. -f2)

source "$(dirname "$0")/open_and_choose.sh"
xdotool mousemove --sync $((X + vx + left_before + 20)) $((Y + vy + top + 6)) click 1
sleep 0.4
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+s
sleep 0.5
for _ in 1 2 3; do
  xdotool key Right
  sleep 0.2
done
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
sleep 1
import -window root "$work/question.png"
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/question.png" "$SIGMORA_E2E_SHOTS/"; fi
question=$(xdotool search --onlyvisible --name "^Save Changes\?$" 2>/dev/null | head -n 1 || true)
if [ -z "$question" ]; then
  echo "FAIL: Exit after moving the text box asked nothing" >&2
  cat "$work/sigmora.log" >&2
  exit 1
fi
xdotool windowfocus --sync "$question"
xdotool key Return
for _ in $(seq 20); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.25
done
left_after=$(note | cut -d. -f1)
echo "plain note left: $left_before before, $left_after after"
if [ "$left_after" != $((left_before + 21)) ]; then
  echo "FAIL: the moved text box was not saved" >&2
  cat "$work/sigmora.log" >&2
  exit 1
fi
echo "PASS"
