# Sourced by the tests in which other programs read Sigmora's files: a scratch folder $work removed
# at exit, and the program run on the offscreen platform with a home, configuration, cache, data
# and runtime folder of its own inside it, so that no test reads or writes the user's.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
export XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$work/run" && chmod 700 "$work/run"
