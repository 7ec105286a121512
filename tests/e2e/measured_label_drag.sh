#!/usr/bin/env bash
# Starts the real Sigmora on two signals whose rising edges a label measures ("t = {t}", 20 ns)
# against a parameter of at most 22 ns, chooses Edit mode, selects the second row and drags its
# edge 15 pixels later (22.5 ns): the caption's text changes and the label and caption turn red.
# Dragged back, the caption is black and as it was; dragged late again and undone with Ctrl+Z, it
# is black and as it was once more. Each state is a screenshot of the label's part of the view.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
readonly tool_command=32788 # Edit mode

source "$(dirname "$0")/isolated_home.sh"

file=$work/timed.sgm
"$diagram" timed "$file"

source "$(dirname "$0")/open_and_choose.sh"

# The label's measure line (rows 0 and 1, cells 2 and 6) and the edge of row 1 at cell 6.
read -r mx my < <("$diagram" measure "$file" 0 2 1 6)
read -r ex ey < <("$diagram" anchor "$file" 1 6)
read -r px py < <("$diagram" point "$file" 1 8 high)

# A screenshot of the label and its caption: the view from the label's begin to past its end,
# from above the first row down past the caption.
crop_x=$((X + vx + mx - 150)) crop_y=$((Y + vy + my - 40))
shot() {
  xdotool mousemove --sync $((X + vx + vw - 20)) $((Y + vy + vh - 20))
  sleep 0.8
  import -window root "$work/root.png"
  convert "$work/root.png" -crop 300x110+$crop_x+$crop_y +repage "$work/$1.png"
  if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/$1.png" "$SIGMORA_E2E_SHOTS/measured-$1.png"; fi
}
# Pixels of the pure red the violated label and caption are drawn in.
red_pixels() {
  convert "$work/$1.png" -fill black +opaque "rgb(255,0,0)" -fill white -opaque "rgb(255,0,0)" \
    -format "%[fx:round(mean*w*h)]" info:
}
differ() {
  compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true
}
# Points at the edge of row 1 (just right of it, inside the hover window), presses, moves to each
# offset from there in turn and releases. Moving an edge earlier, a step that would bring it
# below one pixel into its cell moves it by one pixel only: the way back ends in single pixels.
drag_edge() {
  local from=$1
  shift
  xdotool mousemove --sync $((X + vx + from)) $((Y + vy + ey))
  sleep 0.4
  xdotool mousedown 1
  for offset in "$@"; do
    xdotool mousemove --sync $((X + vx + from + offset)) $((Y + vy + ey))
    sleep 0.1
  done
  xdotool mouseup 1
  sleep 0.5
}
fail() {
  echo "FAIL: $1" >&2
  cat "$work/sigmora.log" >&2
  exit 1
}

# Select row 1 by a click on its waveform, well right of the edge, then take hold of the edge and
# put it back where it was: the row is selected as every drag below leaves it.
xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py)) click 1
sleep 0.4
drag_edge $((ex + 1)) 1 0
shot met
[ "$(red_pixels met)" -eq 0 ] || fail "the label is red before any edge moved"

later=(3 6 9 12 15)
drag_edge $((ex + 1)) "${later[@]}"
shot late
red=$(red_pixels late)
changed=$(differ met late)
echo "dragged 15 pixels later: $red red pixels, $changed pixels changed"
[ "$changed" -gt 0 ] || fail "the caption did not change when the edge moved"
[ "$red" -gt 40 ] || fail "the label and its caption did not turn red past the maximum"

drag_edge $((ex + 16)) -3 -6 -9 -12 -13 -14 -15
shot back
red=$(red_pixels back)
echo "dragged back: $red red pixels, $(differ met back) pixels differ from the first state"
[ "$red" -eq 0 ] || fail "the label stayed red after the edge came back"
[ "$(differ met back)" -eq 0 ] || fail "the caption does not read as it did before the drag"

drag_edge $((ex + 1)) "${later[@]}"
shot late2
[ "$(red_pixels late2)" -gt 40 ] || fail "the second drag did not turn the label red"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+z
sleep 0.2
xdotool mousemove_relative --sync 1 1
sleep 0.5
shot undone
red=$(red_pixels undone)
echo "after Ctrl+Z: $red red pixels, $(differ met undone) pixels differ from the first state"
[ "$red" -eq 0 ] || fail "Ctrl+Z did not bring the label back within its maximum"
[ "$(differ met undone)" -eq 0 ] || fail "Ctrl+Z did not restore the caption"
echo "PASS"
