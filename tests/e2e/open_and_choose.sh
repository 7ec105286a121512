# Sourced by the real-window tests that work on a diagram file: starts the program copied by
# isolated_home.sh on $file (named NAME.sgm), waits for its window, finds the window's geometry
# (X, Y, WIDTH, HEIGHT), the tool-bar button of $tool_command (bx, by) and the diagram view
# (vx, vy, vw, vh) with $locate, and clicks that button.
"$work/bin/sigmora" "$file" >"$work/sigmora.log" 2>&1 &
pid=$!
title="$(basename "$file" | sed 's/\./\\./g') - Sigmora 3\\.3\\.5\$"
window=$(timeout 30 xdotool search --sync --onlyvisible --name "$title" | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
read -r bx by vx vy vw vh < <("$locate" "$tool_command" "$WIDTH" "$HEIGHT")
echo "window at $X,$Y size ${WIDTH}x$HEIGHT; button $tool_command at $bx,$by; view $vx,$vy ${vw}x$vh"
xdotool mousemove --sync $((X + bx)) $((Y + by)) click 1
sleep 0.5
