#!/usr/bin/env bash
# Starts the real Sigmora on the X display of xvfb-run, then starts it a second time with a
# diagram, as a file manager does: the second start must end at once without a window of its own,
# and the running window must open the diagram. A third start without a file must end as well.
set -euo pipefail
sigmora=$1
example=$2

source "$(dirname "$0")/isolated_home.sh"
fail() {
  echo "FAIL: $*" >&2
  cat "$work/sigmora.log" >&2 || true
  exit 1
}
mkdir -p "$work/my diagrams"
diagram="$work/my diagrams/hand off.sgm"
"$work/bin/sigmora" --convert "$example" "$diagram"

"$work/bin/sigmora" >"$work/sigmora.log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Untitled - Sigmora 3\.3\.5$' | head -n 1)
[ -n "$window" ] || fail "the first start showed no window"

windows_of_sigmora() { xdotool search --onlyvisible --name 'Sigmora 3\.3\.5$' 2>/dev/null | wc -l; }

started=$(date +%s%N)
(cd "$work/my diagrams" && timeout 10 "$work/bin/sigmora" "hand off.sgm") || fail "the second start did not end by itself"
took=$(( ($(date +%s%N) - started) / 1000000 ))
echo "second start ended after $took ms"

opened=$(timeout 10 xdotool search --sync --onlyvisible --name "^$diagram - Sigmora 3\\.3\\.5\$" | head -n 1) ||
  fail "the running window did not open the diagram"
[ "$opened" = "$window" ] || fail "the diagram opened in another window"
[ "$(windows_of_sigmora)" -eq 1 ] || fail "more than one Sigmora window"
sleep 1
import -window root "$work/handed.png"
if [ -n "${SIGMORA_E2E_SHOTS:-}" ]; then cp "$work/handed.png" "$SIGMORA_E2E_SHOTS/"; fi

timeout 10 "$work/bin/sigmora" || fail "a start without a file did not end by itself"
sleep 1
[ "$(windows_of_sigmora)" -eq 1 ] || fail "a start without a file made a window"
kill -0 "$pid" || fail "the running Sigmora ended"
echo "PASS"
