#!/usr/bin/env bash
# The recovery copy keeps up with the editing: the real Sigmora on a diagram of two low signals,
# one stroke, then a second stroke a few seconds later, then kill -9 right after the copy has
# caught up (well inside a minute). The next start recovers both strokes. Then a copy cut short:
# it is not offered, the user is told where it is kept, and a normal close leaves it there.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
readonly draw_command=32787

source "$(dirname "$0")/isolated_home.sh"
state=$XDG_STATE_HOME/sigmora
copy=$state/recovery.sgm

file=$work/burst.sgm
"$diagram" make "$file" 2

stroke() { # row, first cell, last cell
  local row=$1 first=$2 last=$3 px py
  read -r px py < <("$diagram" point "$file" "$row" "$first" high)
  xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py)) mousedown 1
  for cell in $(seq "$first" "$last"); do
    read -r px py < <("$diagram" point "$file" "$row" "$cell" high)
    xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py))
    sleep 0.05
  done
  xdotool mouseup 1
}
# Waits (at most 8 s) for the copy to hold row 0 as given.
copy_holds() {
  for _ in $(seq 40); do
    if [ -s "$copy" ] && [ "$("$diagram" waves "$copy" 2>/dev/null | sed -n 1p | cut -c2-16)" = "$1" ]; then return 0; fi
    sleep 0.2
  done
  echo "copy holds: $("$diagram" waves "$copy" 2>/dev/null | sed -n 1p | cut -c2-16)" >&2
  return 1
}

"$work/bin/sigmora" "$file" >"$work/first.log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'burst\.sgm\*? - Sigmora 3\.3\.5$' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
read -r bx by vx vy vw vh < <("$locate" "$draw_command" "$WIDTH" "$HEIGHT")
xdotool mousemove --sync $((X + bx)) $((Y + by)) click 1
sleep 0.5

stroke 0 2 3
copy_holds "001100000000000" || { echo "FAIL: the first stroke was not copied" >&2; exit 1; }
sleep 3
stroke 0 6 8
copy_holds "001100111000000" || { echo "FAIL: a stroke made seconds after the first was not copied" >&2; exit 1; }
echo "the copy caught up with the second stroke"
kill -9 "$pid"; wait "$pid" 2>/dev/null || true; pid=

"$work/bin/sigmora" >"$work/second.log" 2>&1 &
pid=$!
question=$(timeout 30 xdotool search --sync --onlyvisible --name '^Sigmora$' | head -n 1)
sleep 0.5
xdotool windowfocus --sync "$question"
xdotool key --clearmodifiers Return
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'burst\.sgm\*? - Sigmora 3\.3\.5$' | head -n 1)
sleep 1
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+s
sleep 0.2
xdotool mousemove_relative --sync 1 1
sleep 1
first=$("$diagram" waves "$file" | sed -n 1p)
echo "row 0 after recovery and save: ${first:1:15}"
[ "${first:1:15}" = "001100111000000" ] || { echo "FAIL: the recovered strokes were not saved" >&2; exit 1; }
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
pid=

# A copy cut short by the crash.
whole=$work/whole.sgm
"$diagram" make "$whole" 3
head -c 300 "$whole" > "$copy"
printf '%s' "$file" > "$state/recovery.name"
"$work/bin/sigmora" >"$work/third.log" 2>&1 &
pid=$!
message=$(timeout 30 xdotool search --sync --onlyvisible --name '^Sigmora$' | head -n 1)
sleep 0.5
import -window root "$work/unreadable.png"
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/unreadable.png" "$SIGMORA_E2E_SHOTS/"; fi
xdotool windowfocus --sync "$message"
xdotool key --clearmodifiers Return
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Untitled.* - Sigmora 3\.3\.5$' | head -n 1)
sleep 0.5
kept=$state/recovery-unreadable-1.sgm
cmp -s "$kept" <(head -c 300 "$whole") || { echo "FAIL: the copy cut short was not kept aside" >&2; ls -l "$state" >&2; exit 1; }
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
kill -0 "$pid" 2>/dev/null && { echo "FAIL: Exit did not close" >&2; exit 1; }
pid=
[ -s "$kept" ] || { echo "FAIL: a normal close deleted the copy kept aside" >&2; exit 1; }
[ ! -e "$copy" ] || { echo "FAIL: the copy cut short is still offered" >&2; exit 1; }
echo "PASS"
