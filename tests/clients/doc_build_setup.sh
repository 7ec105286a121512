# Sourced by the documentation-tool tests: a scratch folder removed at exit, a home and runtime
# folder of its own, fail(), and SIGMORA set to a wrapper that logs every call of the program in
# $work/calls.log before running it (the tests count conversions by it). Needs $sigmora.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen HOME="$work" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$work/run" && chmod 700 "$work/run"
fail() { echo "$*" >&2; exit 1; }

cat >"$work/sigmora-logged" <<WRAP
#!/bin/sh
echo "\$*" >>"$work/calls.log"
exec "$sigmora" "\$@"
WRAP
chmod +x "$work/sigmora-logged"
export SIGMORA="$work/sigmora-logged"
: >"$work/calls.log"
