# Sourced by the documentation-tool tests: a scratch folder removed at exit, a home and runtime
# folder of its own, fail(), and SIGMORA set to a wrapper that logs every call of the program in
# $work/calls.log before running it (the tests count conversions by it). Needs $sigmora.
. "$source_dir/tests/clients/scratch_home.sh"
fail() { echo "$*" >&2; exit 1; }

cat >"$work/sigmora-logged" <<WRAP
#!/bin/sh
echo "\$*" >>"$work/calls.log"
exec "$sigmora" "\$@"
WRAP
chmod +x "$work/sigmora-logged"
export SIGMORA="$work/sigmora-logged"
: >"$work/calls.log"
