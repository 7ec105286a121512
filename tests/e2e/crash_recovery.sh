#!/usr/bin/env bash
# Starts the real Sigmora on a diagram of two low signals, draws a stroke with the draw tool and
# kills the program without a save. The next start offers the recovery copy; Esc keeps it, past a
# normal close, for the start after, where Yes brings back the stroke as unsaved changes of the
# same file, which Ctrl+S then saves there.
set -euo pipefail
sigmora=$1
locate=$2
diagram=$3
readonly draw_command=32787

source "$(dirname "$0")/isolated_home.sh"
copy=$XDG_STATE_HOME/sigmora/recovery.sgm

file=$work/strokes.sgm
"$diagram" make "$file" 2
before=$("$diagram" waves "$file")

"$work/bin/sigmora" "$file" >"$work/first.log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'strokes\.sgm\*? - Sigmora 3\.3\.5$' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
read -r bx by vx vy vw vh < <("$locate" "$draw_command" "$WIDTH" "$HEIGHT")
xdotool mousemove --sync $((X + bx)) $((Y + by)) click 1
sleep 0.5
read -r px py < <("$diagram" point "$file" 0 2 high)
xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py)) mousedown 1
for cell in 3 4 5 6; do
  read -r px py < <("$diagram" point "$file" 0 "$cell" high)
  xdotool mousemove --sync $((X + vx + px)) $((Y + vy + py))
  sleep 0.05
done
xdotool mouseup 1

# The first change is copied at once; then the program dies without a word.
for _ in $(seq 50); do [ -s "$copy" ] && break; sleep 0.2; done
[ -s "$copy" ] || { echo "FAIL: no recovery copy after an edit" >&2; exit 1; }
kill -9 "$pid"; wait "$pid" 2>/dev/null || true; pid=
[ "$("$diagram" waves "$file")" = "$before" ] || { echo "FAIL: the file changed without a save" >&2; exit 1; }

# Esc at the question keeps the copy for the next start, also past a normal close.
"$work/bin/sigmora" >"$work/put-off.log" 2>&1 &
pid=$!
question=$(timeout 30 xdotool search --sync --onlyvisible --name '^Sigmora$' | head -n 1)
sleep 0.5
xdotool windowfocus --sync "$question"
xdotool key Escape
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Untitled.* - Sigmora 3\.3\.5$' | head -n 1)
sleep 1
ls "$XDG_STATE_HOME/sigmora/"recovery-kept-*.sgm >/dev/null 2>&1 || { echo "FAIL: Esc did not keep the copy" >&2; exit 1; }
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
kill -0 "$pid" 2>/dev/null && { echo "FAIL: Exit without changes did not close" >&2; exit 1; }
pid=
ls "$XDG_STATE_HOME/sigmora/"recovery-kept-*.sgm >/dev/null 2>&1 || { echo "FAIL: the kept copy went at a normal close" >&2; exit 1; }
echo "Esc at the recovery question kept the copy past a normal close"

"$work/bin/sigmora" >"$work/second.log" 2>&1 &
pid=$!
question=$(timeout 30 xdotool search --sync --onlyvisible --name '^Sigmora$' | head -n 1)
sleep 0.5
import -window root "$work/question.png"
xdotool windowfocus --sync "$question"
xdotool key --clearmodifiers Return
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'strokes\.sgm\*? - Sigmora 3\.3\.5$' | head -n 1)
sleep 1
import -window root "$work/recovered.png"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+s
sleep 0.2
xdotool mousemove_relative --sync 1 1
sleep 1
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/question.png" "$work/recovered.png" "$SIGMORA_E2E_SHOTS/"; fi

first=$("$diagram" waves "$file" | sed -n 1p)
echo "row 0 cells 0-14 after recovery and save: ${first:1:15}"
if [ "${first:1:15}" != "001111100000000" ]; then
  echo "FAIL: the recovered stroke was not saved" >&2
  cat "$work/first.log" "$work/second.log" >&2
  exit 1
fi
[ ! -e "$copy" ] || { echo "FAIL: the recovery copy is still there after the save" >&2; exit 1; }
if ls "$XDG_STATE_HOME/sigmora/"recovery-kept-* >/dev/null 2>&1; then
  echo "FAIL: the copy kept by Esc is still there after it was recovered" >&2
  exit 1
fi
echo "PASS"
