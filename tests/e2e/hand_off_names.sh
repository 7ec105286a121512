#!/usr/bin/env bash
# Starts the real Sigmora on the X display of xvfb-run, with a named pipe where its preferences
# file belongs (the window comes up all the same), then hands it files as a second start does: a diagram whose name holds a line break opens under its whole name (not the part before
# the break, which is another file here), a named pipe is refused with a message at once while
# the window stays alive and keeps its diagram, and a name starting with "-" after "--" opens.
set -euo pipefail
sigmora=$1
example=$2

source "$(dirname "$0")/isolated_home.sh"
fail() {
  echo "FAIL: $*" >&2
  cat "$work/sigmora.log" >&2 || true
  if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work"/*.png "$SIGMORA_E2E_SHOTS/" 2>/dev/null || true; fi
  exit 1
}
broken="$work/first line
second.sgm"
"$work/bin/sigmora" --convert "$example" "$broken"
# What a request cut at the line break would open instead.
cp "$example" "$work/first line"
mkfifo "$work/pipe.sgm"
cp "$example" "$work/-dash.sgm"
mkfifo "$XDG_CONFIG_HOME/Kavlon Software/sigmora.ini"

"$work/bin/sigmora" >"$work/sigmora.log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Untitled - Sigmora 3\.3\.5$' | head -n 1) ||
  fail "the first start showed no window (a pipe as sigmora.ini holds it up)"
[ -n "$window" ] || fail "the first start showed no window (a pipe as sigmora.ini holds it up)"

timeout 10 "$work/bin/sigmora" "$broken" || fail "the second start did not end by itself"
for _ in $(seq 40); do
  case "$(xdotool getwindowname "$window")" in *"second.sgm - Sigmora 3.3.5") break ;; esac
  sleep 0.25
done
title=$(xdotool getwindowname "$window")
[ "$title" = "$broken - Sigmora 3.3.5" ] || fail "the window opened another name: $title"
echo "opened under its whole name: $(printf '%s' "$title" | tr '\n' '|')"

timeout 10 "$work/bin/sigmora" "$work/pipe.sgm" || fail "the second start with a pipe did not end by itself"
box=$(timeout 15 xdotool search --sync --onlyvisible --name '^Sigmora$' | head -n 1) ||
  fail "no message about the pipe: the window waits on it"
sleep 0.3
import -window root "$work/pipe-refused.png"
xdotool windowfocus --sync "$box"
xdotool key Return
sleep 1
kill -0 "$pid" || fail "the running Sigmora ended"
[ "$(xdotool getwindowname "$window")" = "$broken - Sigmora 3.3.5" ] || fail "the pipe replaced the diagram"
[ -p "$work/pipe.sgm" ] || fail "the pipe is no longer a pipe"
[ -p "$XDG_CONFIG_HOME/Kavlon Software/sigmora.ini" ] || fail "sigmora.ini is no longer a pipe"

(cd "$work" && timeout 10 "$work/bin/sigmora" -- -dash.sgm) || fail "the start with -- did not end by itself"
for _ in $(seq 40); do
  [ "$(xdotool getwindowname "$window")" = "$work/-dash.sgm - Sigmora 3.3.5" ] && break
  sleep 0.25
done
[ "$(xdotool getwindowname "$window")" = "$work/-dash.sgm - Sigmora 3.3.5" ] ||
  fail "a name after -- did not open: $(xdotool getwindowname "$window")"
echo "PASS"
