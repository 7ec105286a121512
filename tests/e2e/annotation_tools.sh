#!/usr/bin/env bash
# Starts the real Sigmora on three signals with one pulse each, uses one annotation tool the way a
# user does, saves with Ctrl+S and reads the saved records:
#   arrow      two clicks on rising edges of rows 0 and 1, the end handle dragged to row 2, the
#              Right key moving that end one cell on, then the middle handle moving the whole arrow
#              and Yes to the snap question
#   label      two clicks on row 0, a caption typed into the text dialog, then the label selected
#              and its middle handle dragged 12 pixels down
#   timebreak  a click on row 0 answered Yes to "Column Break?": a break on every row
#   text       a click with the text tool and a message with a subscript and an overline typed
#              into the text dialog
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
family=$4
case $family in
  arrow) readonly tool_command=32933 ;;     # straight arrow
  label) readonly tool_command=32874 ;;     # label, arrows outward
  timebreak) readonly tool_command=32884 ;;
  text) readonly tool_command=32785 ;;
  *) echo "unknown tool family $family" >&2; exit 2 ;;
esac

source "$(dirname "$0")/isolated_home.sh"

file=$work/annotated.sgm
"$diagram" edges "$file" 3

source "$(dirname "$0")/open_and_choose.sh"

# Clicks in the upper half of a cell of a row.
click_cell() {
  local px py
  read -r px py < <("$diagram" point "$file" "$1" "$2" high)
  xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py)) click 1
  sleep 0.4
}
# Types into the text dialog that has just opened and confirms it with its OK button.
answer_text_dialog() {
  local dialog
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Text Attributes$' | head -n 1)
  sleep 0.5
  xdotool windowfocus --sync "$dialog"
  sleep 0.2
  xdotool type --delay 30 "$1"
  sleep 0.2
  # OK is the first of the two buttons in the dialog's bottom right corner.
  eval "$(xdotool getwindowgeometry --shell "$dialog" | sed 's/^/DIALOG_/')"
  xdotool mousemove --sync $((DIALOG_X + DIALOG_WIDTH - 138)) $((DIALOG_Y + DIALOG_HEIGHT - 24)) click 1
  sleep 0.5
}

# Points at a view point, presses, moves by (dx, dy) in four steps and releases.
drag_by() {
  local x=$1 y=$2 dx=$3 dy=$4
  xdotool mousemove --sync $((X + vx + x)) $((Y + vy + y))
  sleep 0.3
  xdotool mousedown 1
  for step in 1 2 3 4; do
    xdotool mousemove --sync $((X + vx + x + dx * step / 4)) $((Y + vy + y + dy * step / 4))
    sleep 0.1
  done
  xdotool mouseup 1
  sleep 0.4
}
# Answers Yes to the question box with the given title.
answer_yes() {
  local question
  question=$(timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
  sleep 0.3
  xdotool windowfocus --sync "$question"
  xdotool key --clearmodifiers alt+y
  sleep 0.5
}

expected=()
case $family in
  arrow)
    click_cell 0 2
    click_cell 1 4
    # The new arrow is selected: its end handle sits on the rising edge of row 1 at cell 4.
    read -r ex ey < <("$diagram" anchor "$file" 1 4)
    read -r tx ty < <("$diagram" point "$file" 2 6 high)
    drag_by $((ex + 1)) "$ey" $((tx - ex - 1)) $((ty - ey))
    # The end handle was pressed last: the Right key moves that end one cell on.
    xdotool key Right
    sleep 0.3
    # The middle handle moves the whole arrow by (40, 20); Yes to the snap question leaves it
    # floating where it was dropped.
    read -r bx0 by0 < <("$diagram" anchor "$file" 0 2)
    read -r ex ey < <("$diagram" anchor "$file" 2 7)
    drag_by $(( (bx0 + ex) / 2 )) $(( (by0 + ey) / 2 )) 40 20
    answer_yes '^Sigmora$'
    list=arrows
    expected=("2.Default Signal.7.Default Signal 3.0.0.1.0.1.1.$((bx0 + 40)).$((by0 + 20)).$((ex + 40)).$((ey + 20)).")
    ;;
  label)
    click_cell 0 2
    click_cell 0 5
    answer_text_dialog "tsu"
    # On the first row the measure line goes below the row (an offset of 2 x 16 + 12), clear of the
    # frame and the cycle labels. Select the label by its measure line, clear of the rising edge
    # under its begin (a press near an edge of the selected row takes hold of the edge), then drag
    # its middle handle 12 pixels down.
    read -r bx0 by0 < <("$diagram" anchor "$file" 0 2)
    read -r mx my < <("$diagram" measure "$file" 0 2 0 5 44)
    xdotool mousemove --sync $((X + vx + bx0 + 18)) $((Y + vy + my)) click 1
    sleep 0.4
    drag_by "$mx" "$my" 0 12
    list=labels
    expected=("2.Default Signal.5.Default Signal.2.0.56.0.0.0.0.1.")
    ;;
  timebreak)
    click_cell 0 3
    answer_yes '^Column Break\?$'
    list=breaks
    expected=("3.Default Signal." "3.Default Signal 2." "3.Default Signal 3.")
    ;;
  text)
    click_cell 2 9
    # A datasheet symbol with a subscript and an overline: kept as typed.
    answer_text_dialog "t_{SU} = 2.5 ns after ~{CS}"
    list=texts
    expected=("t_{SU} = 2~QorWFPeriod~5 ns after ~{CS}.SigmoraNone.")
    ;;
esac

xdotool mousemove --sync $((X + vx + vw - 40)) $((Y + vy + vh - 40))
sleep 0.3
import -window root "$work/$family.png"
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/$family.png" "$SIGMORA_E2E_SHOTS/"; fi
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+s
sleep 1

saved=$("$diagram" list "$file" "$list")
echo "saved $list:"
echo "$saved"
if [ "$family" = label ]; then
  captions=$("$diagram" list "$file" texts)
  echo "saved texts: $captions"
  if ! grep -q '\.tsu\.WFLabel\*0\*\.' <<<"$captions"; then
    echo "FAIL: the label's caption is not in the saved file" >&2
    exit 1
  fi
fi
if [ "$(wc -l <<<"$saved")" != "${#expected[@]}" ]; then
  echo "FAIL: expected ${#expected[@]} records in $list" >&2
  cat "$work/sigmora.log" >&2
  exit 1
fi
for i in "${!expected[@]}"; do
  record=$(sed -n "$((i + 1))p" <<<"$saved")
  if [[ "$record" != *"${expected[$i]}"* ]]; then
    echo "FAIL: record $i of $list is '$record', expected it to hold '${expected[$i]}'" >&2
    cat "$work/sigmora.log" >&2
    exit 1
  fi
done
echo "PASS"
