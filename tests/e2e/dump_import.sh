#!/usr/bin/env bash
# Imports a value change dump into the real Sigmora through File > Import > Value Change Dump, the
# file dialog and the dump dialog, with the keyboard, and saves the result.
#   rows: a dump of 300 signals. The dialog takes them all; Sigmora says it left out the 44 past
#         the 256 rows a diagram holds, and the saved diagram has 256 rows.
#   zoom: a dump with a bus. The tool bar's zoom buttons narrow the cycles ten times and widen them
#         ten times; every bus value is back where it was (within 2 pixels), on the run it names,
#         and the window shows what it showed before the zoom.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
mode=$4
readonly zoom_in=32820 zoom_out=32821

source "$(dirname "$0")/isolated_home.sh"

dump=$work/sim.vcd
if [ "$mode" = rows ]; then
  {
    printf '$timescale 1ns $end\n$scope module tb $end\n$var wire 1 ! clk $end\n'
    for i in $(seq 0 298); do printf '$var wire 1 s%d s%d $end\n' "$i" "$i"; done
    printf '$upscope $end\n$enddefinitions $end\n#0\n0!\n#5\n1!\n#10\n0!\n#15\n1!\n#20\n0!\n'
  } >"$dump"
else
  {
    printf '$timescale 1ns $end\n$scope module tb $end\n$var wire 1 ! clk $end\n$var wire 8 " data [7:0] $end\n'
    printf '$upscope $end\n$enddefinitions $end\n#0\n0!\nb11010110 "\n'
    t=5
    for v in 1 10 10 11111111 11111111 11111111 0 101 101 110 110 110; do
      printf '#%d\n1!\n#%d\n0!\nb%s "\n' "$t" $((t + 5)) "$v"
      t=$((t + 10))
    done
  } >"$dump"
fi

fail() {
  echo "FAIL: $1" >&2
  cat "$work/sigmora.log" >&2
  if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work"/*.png "$SIGMORA_E2E_SHOTS/" 2>/dev/null || true; fi
  exit 1
}
# Waits for the window named $1 (a pattern), takes a screenshot as $2.png and prints its id. The
# search is repeated rather than left to xdotool's own waiting: a search that walks the windows
# while a dialog closes can meet one already gone and end with an X error.
await() {
  local w= deadline=$((SECONDS + 30))
  while [ -z "$w" ] && [ "$SECONDS" -lt "$deadline" ]; do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || w=
    [ -n "$w" ] || sleep 0.2
  done
  [ -n "$w" ] || fail "no window $1"
  sleep 0.5
  import -window root "$work/$2.png"
  echo "$w"
}

cd "$work"
"$work/bin/sigmora" >"$work/sigmora.log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Untitled - Sigmora 3\.3\.5$' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"

# File, Import, the last item that can be chosen (Value Change Dump: "Verilog..." below it is
# disabled, and the keys pass over it); the file dialog takes the path typed.
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+f
sleep 1
xdotool key i
sleep 1
xdotool key Up Return
box=$(await '^Open Value Change Dump files$' file-dialog)
xdotool windowfocus --sync "$box"
xdotool type --delay 20 "$dump"
xdotool key Return
box=$(await '^Import Value Change Dump$' dump-dialog)
xdotool windowfocus --sync "$box"
xdotool key Return
if [ "$mode" = rows ]; then
  box=$(await '^Sigmora$' left-out)
  xdotool windowfocus --sync "$box"
  xdotool key Return
  sleep 0.5
fi
timeout 20 xdotool search --sync --onlyvisible --name '^Untitled\*? - Sigmora 3\.3\.5$' >/dev/null ||
  timeout 5 xdotool search --sync --onlyvisible --name 'Sigmora 3\.3\.5$' >/dev/null
sleep 0.5

read -r _ _ vx vy vw vh < <("$locate" "$zoom_in" "$WIDTH" "$HEIGHT")
view() { import -window root -crop "${vw}x${vh}+$((X + vx))+$((Y + vy))" +repage "$work/$1.png"; }
save() { # File, Save As, with the name typed
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers ctrl+shift+s
  local b
  b=$(await 'Save' save-dialog)
  xdotool windowfocus --sync "$b"
  xdotool type --delay 20 "$1"
  xdotool key Return
  for _ in $(seq 120); do
    [ -s "$1" ] && break
    sleep 0.25
  done
  [ -s "$1" ] || fail "nothing was saved to $1"
}

if [ "$mode" = rows ]; then
  save "$work/rows.sgm"
  rows=$("$diagram" waves "$work/rows.sgm" | wc -l)
  echo "the imported diagram has $rows rows"
  [ "$rows" = 256 ] || fail "the diagram has $rows rows, not 256"
  exit 0
fi

view before
read -r ox oy _ _ _ _ < <("$locate" "$zoom_out" "$WIDTH" "$HEIGHT")
read -r ix iy _ _ _ _ < <("$locate" "$zoom_in" "$WIDTH" "$HEIGHT")
xdotool mousemove --sync $((X + ox)) $((Y + oy))
for _ in $(seq 10); do
  xdotool click 1
  sleep 0.2
done
sleep 0.5
view narrow
save "$work/narrow.sgm"
xdotool mousemove --sync $((X + ix)) $((Y + iy))
for _ in $(seq 10); do
  xdotool click 1
  sleep 0.2
done
sleep 0.5
view back
save "$work/back.sgm"
QT_QPA_PLATFORM=offscreen "$work/bin/sigmora" --convert "$dump" "$work/imported.sgm"

# Every value box: its left edge and its text, as the import made it and after the zoom.
boxes() { "$diagram" list "$1" texts | awk -F. '{ print $1, $5 }'; }
paste <(boxes "$work/imported.sgm") <(boxes "$work/back.sgm") | while read -r x1 t1 x2 t2; do
  echo "value $t1: left $x1, after ten steps out and ten in $x2"
  [ "$t1" = "$t2" ] || fail "the boxes changed order: $t1 and $t2"
  d=$((x1 - x2))
  [ "${d#-}" -le 2 ] || fail "value $t1 moved from $x1 to $x2"
done
# At the narrow width each value still lies on the run that starts at its column.
"$diagram" values "$work/narrow.sgm" 1 || fail "a value left its run at the narrow width"
differing=$(compare -metric AE "$work/before.png" "$work/back.png" null: 2>&1 || true)
echo "the view after zooming out and back differs from the view before in $differing pixels"
[ "$differing" -lt 400 ] || fail "the view after the zoom is not the view before it"
