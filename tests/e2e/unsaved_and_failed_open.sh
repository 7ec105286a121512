#!/usr/bin/env bash
# Starts the real Sigmora on the handshake example. A second start hands it a copy of the file cut
# in half: Sigmora says the file is damaged, and the handshake stays on screen under its own name.
# Then a clock is added and File > Exit chosen: Esc at "Save Changes?" keeps the window and the
# diagram with its new clock; Exit again and No closes without touching the file.
set -euo pipefail
sigmora=$1
locate=$2
example=$3
readonly clock_command=32776

source "$(dirname "$0")/isolated_home.sh"

file=$work/handshake.sgm
cp "$example" "$file"
cut=$work/cut.sgm
head -c $(($(stat -c %s "$file") / 2)) "$file" >"$cut"

"$work/bin/sigmora" "$file" >"$work/sigmora.log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'handshake\.sgm.* - Sigmora 3\.3\.5$' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
read -r bx by vx vy vw vh < <("$locate" "$clock_command" "$WIDTH" "$HEIGHT")
# The diagram view as it stands on the screen.
view() { import -window root -crop "${vw}x${vh}+$((X + vx))+$((Y + vy))" +repage "$1"; }
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = "0" ]; }
fail() {
  echo "FAIL: $1" >&2
  cat "$work/sigmora.log" >&2
  if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work"/*.png "$SIGMORA_E2E_SHOTS/" 2>/dev/null || true; fi
  exit 1
}
title() { xdotool getwindowname "$window"; }
answer() { # waits for the question or message titled $1 and presses the key $2 on it
  local box
  box=$(timeout 15 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
  sleep 0.3
  import -window root "$work/$3.png"
  xdotool windowfocus --sync "$box"
  xdotool key "$2"
  sleep 1
}

view "$work/opened.png"
opened_title=$(title)
"$work/bin/sigmora" "$cut" >"$work/second.log" 2>&1
answer '^Sigmora$' Return damaged
view "$work/after-cut.png"
echo "title after the cut file: $(title)"
[ "$(title)" = "$opened_title" ] || fail "the title changed after a damaged file: $(title)"
same "$work/opened.png" "$work/after-cut.png" || fail "the diagram on screen changed after a damaged file"

xdotool mousemove --sync $((X + bx)) $((Y + by)) click 1
sleep 0.5
view "$work/changed.png"
same "$work/opened.png" "$work/changed.png" && fail "the clock button changed nothing"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
answer '^Save Changes\?$' Escape question
kill -0 "$pid" 2>/dev/null || fail "Esc at the question closed the program"
[ -z "$(xdotool search --onlyvisible --name '^Save Changes\?$' 2>/dev/null || true)" ] || fail "the question is still up"
view "$work/after-esc.png"
same "$work/changed.png" "$work/after-esc.png" || fail "the diagram on screen changed after Esc"
cmp -s "$example" "$file" || fail "Esc wrote the file"
echo "Esc at the question: window and diagram kept ($(title))"

xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
answer '^Save Changes\?$' n question-again
for _ in $(seq 40); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.25
done
kill -0 "$pid" 2>/dev/null && fail "No at the question did not close the program"
pid=
cmp -s "$example" "$file" || fail "No wrote the file"
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work"/*.png "$SIGMORA_E2E_SHOTS/"; fi
echo "PASS"
