#!/usr/bin/env bash
# Starts the real Sigmora on the X display of xvfb-run, clicks the Clock button of the standard
# tool bar and checks on a screenshot that a clock row has been drawn.
set -euo pipefail
sigmora=$1
locate=$2
readonly clock_command=32776

source "$(dirname "$0")/isolated_home.sh"

"$work/bin/sigmora" >"$work/sigmora.log" 2>&1 &
pid=$!

# The splash picture shows for three seconds before the window.
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Untitled - Sigmora 3\.3\.5$' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
read -r bx by vx vy vw vh < <("$locate" "$clock_command" "$WIDTH" "$HEIGHT")
echo "window at $X,$Y size ${WIDTH}x$HEIGHT; Clock button at $bx,$by; view $vx,$vy ${vw}x$vh"

# Columns of the top of the view that hold a dark vertical run of at least 10 pixels: the edges
# of a clock row.
edge_columns() {
  local shot=$1
  import -window root "$shot"
  convert "$shot" -crop "$((vw - 20))x120+$((X + vx))+$((Y + vy))" +repage -colorspace Gray -threshold 50% txt:- |
    awk -F'[,: ]+' 'NR > 1 && $0 ~ /black|#000000/ { dark[$1] = dark[$1] " " $2 }
      END {
        edges = 0
        for (x in dark) {
          n = split(dark[x], ys, " "); run = 0; best = 0; prev = -2
          for (i = 1; i <= n; i++) { run = (ys[i] == prev + 1) ? run + 1 : 1; prev = ys[i]; if (run > best) best = run }
          if (best >= 10) edges++
        }
        print edges
      }'
}

before=$(edge_columns "$work/before.png")
xdotool mousemove --sync $((X + bx)) $((Y + by)) click 1
sleep 1
after=$(edge_columns "$work/after.png")
echo "vertical edges in the view: before $before, after $after"
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/before.png" "$work/after.png" "$SIGMORA_E2E_SHOTS/"; fi

# Twenty cells of a clock have at least fifteen rising or falling edges in view.
if [ "$before" -ge 3 ] || [ "$after" -lt 15 ]; then
  echo "FAIL: no clock row was drawn after clicking the Clock button" >&2
  cat "$work/sigmora.log" >&2
  exit 1
fi
echo "PASS"
