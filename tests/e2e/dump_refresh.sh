#!/usr/bin/env bash
# A diagram imported from a dump and annotated is refreshed in the real Sigmora after the next
# simulation moved its edges: File > Refresh from Dump (by the keys), then one Ctrl+Z.
#   after the refresh: d is drawn from the new dump, the arrow on d's second edge ends on the new
#                      second edge, the time break on its third edge sits on the new third edge;
#   after Ctrl+Z:      the diagram is the one opened, cells and annotations alike.
set -euo pipefail
sigmora=$1
diagram=$2

source "$(dirname "$0")/isolated_home.sh"

# A clock of period 10 whose first edge at 5 starts the cells, and d changing in the columns given.
dump() {
  printf '$timescale 1ns $end\n$scope module tb $end\n$var wire 1 ! clk $end\n$var wire 1 " d $end\n'
  printf '$upscope $end\n$enddefinitions $end\n#0\n0!\n0"\n'
  local level=0 column t c
  for column in $(seq 0 20); do
    t=$((5 + 5 * column))
    printf '#%d\n%d!\n' "$t" $((column % 2 == 0 ? 1 : 0))
    for c in "$@"; do
      if [ "$c" = "$column" ]; then
        level=$((1 - level))
        printf '#%d\n%d"\n' $((t + 1)) "$level"
      fi
    done
  done
  printf '#110\n'
}

fail() {
  echo "FAIL: $1" >&2
  cat "$work/sigmora.log" >&2
  if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work"/*.png "$SIGMORA_E2E_SHOTS/" 2>/dev/null || true; fi
  exit 1
}
await() { # the window named $1 (a pattern), with a screenshot as $2.png; prints its id
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
  sleep 0.5
}
arrowEnd() { "$diagram" list "$1" arrows | cut -d. -f3; }
breakCell() { "$diagram" list "$1" breaks | cut -d. -f1; }
cellsOfD() { "$diagram" waves "$1" | sed -n 2p | cut -c1-22; }

dump 3 7 12 >"$work/run.vcd"
QT_QPA_PLATFORM=offscreen "$work/bin/sigmora" --convert "$work/run.vcd" "$work/imported.sgm" ||
  fail "the dump was not imported"
"$diagram" append "$work/imported.sgm" arrows "2.clk.7.d.0.0.0.0.0.0.0.0.0.0." || fail "no arrow added"
"$diagram" append "$work/imported.sgm" breaks "12.d." || fail "no time break added"
before=$(cellsOfD "$work/imported.sgm")
echo "d as imported: $before, the arrow ends at cell $(arrowEnd "$work/imported.sgm")"

start_with_diagram "$work/imported.sgm"
[ -n "$window" ] || fail "no window"
dump 4 9 13 >"$work/run.vcd" # the next simulation

# File, then "Refresh from Dump" by its key.
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+f
sleep 1
xdotool key f
sleep 1
import -window root "$work/refreshed.png"
save "$work/after.sgm"
after=$(cellsOfD "$work/after.sgm")
echo "d after the refresh: $after, the arrow ends at cell $(arrowEnd "$work/after.sgm"), the break at $(breakCell "$work/after.sgm")"
[ "$after" = "0000011111000011111111" ] || fail "d was not drawn from the new dump: $after"
[ "$(arrowEnd "$work/after.sgm")" = 9 ] || fail "the arrow did not follow d's second edge"
[ "$(breakCell "$work/after.sgm")" = 13 ] || fail "the time break did not follow d's third edge"

xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+z
sleep 0.5
xdotool mousemove 5 5 # one more event after the combination
save "$work/undone.sgm"
echo "d after Ctrl+Z: $(cellsOfD "$work/undone.sgm"), the arrow ends at cell $(arrowEnd "$work/undone.sgm")"
[ "$(cellsOfD "$work/undone.sgm")" = "$before" ] || fail "Ctrl+Z did not bring d back"
[ "$(arrowEnd "$work/undone.sgm")" = 7 ] || fail "Ctrl+Z did not bring the arrow back"
[ "$(breakCell "$work/undone.sgm")" = 12 ] || fail "Ctrl+Z did not bring the time break back"
