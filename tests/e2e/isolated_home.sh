# Sourced by the real-window tests: a work folder with a home of its own (no tip of the day; the
# preferences file, the settings and the file association stay inside it), a copy of the program
# in $work/bin (with the editor module it loads from beside itself), and the clean-up that ends the program started as $pid and removes the folder.
# Expects $sigmora to name the program.
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export XDG_RUNTIME_DIR=$work/runtime XDG_STATE_HOME=$work/home/state
mkdir -p "$XDG_CONFIG_HOME/Kavlon Software" "$XDG_RUNTIME_DIR" "$work/bin"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Tip]\nStartUp=1\n' > "$XDG_CONFIG_HOME/Kavlon Software/Sigmora.conf"
cp "$sigmora" "$work/bin/sigmora"
cp "$(dirname "$sigmora")/sigmora-editor.so" "$work/bin/"

# Starts the program in $work on a copy of the diagram named ($work/diagram.sgm) and waits for
# its window: sets $pid and $window.
start_with_diagram() {
  cp "$1" "$work/diagram.sgm"
  cd "$work"
  "$work/bin/sigmora" "$work/diagram.sgm" >"$work/sigmora.log" 2>&1 &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^.*diagram\.sgm - Sigmora 3\.3\.5$' | head -n 1)
  sleep 1
}
