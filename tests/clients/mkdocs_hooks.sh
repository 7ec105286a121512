#!/bin/sh
# The MkDocs hooks in a real site: an image link to a diagram in a page of a sub-folder becomes
# the SVG picture Sigmora draws, copied into the site; a second build converts nothing (every
# call of the program is logged by a wrapper); a missing diagram is a warning naming the file,
# which --strict makes fail the build.
# Usage: mkdocs_hooks.sh SIGMORA SOURCE_DIR   (exit 77: mkdocs is not installed)
set -eu
sigmora=$1
source_dir=$2
command -v mkdocs >/dev/null 2>&1 || { echo "mkdocs is not installed" >&2; exit 77; }
. "$source_dir/tests/clients/doc_build_setup.sh"
mkdir -p "$work/site-src/docs/design/timing"

cd "$work/site-src"
cp "$source_dir/examples/handshake.sgm" docs/design/timing/handshake.sgm
cat >mkdocs.yml <<CONF
site_name: Timing
hooks:
  - $source_dir/integrations/mkdocs/sigmora_mkdocs.py
CONF
printf '# Home\n\nSee [the design](design/bus.md).\n' >docs/index.md
printf '# Bus\n\n![The read handshake](timing/handshake.sgm "A read cycle")\n\nAgain: ![Same](timing/handshake.sgm)\n' >docs/design/bus.md

mkdocs build --strict 2>"$work/err.txt" || fail "the build failed: $(cat "$work/err.txt")"
[ "$(wc -l <"$work/calls.log")" -eq 1 ] || fail "the build made $(wc -l <"$work/calls.log") conversions, not 1"
page=site/design/bus/index.html
src=$(grep -o '<img alt="The read handshake" src="[^"]*" title="A read cycle"' "$page" | sed 's/.* src="\([^"]*\)".*/\1/')
[ -n "$src" ] || fail "$page has no picture of the diagram: $(grep -n img "$page")"
case "$src" in *.svg) ;; *) fail "the picture $src is no SVG" ;; esac
picture=$(cd site/design/bus && realpath "$src")
"$sigmora" --convert docs/design/timing/handshake.sgm "$work/handshake.svg"
cmp -s "$picture" "$work/handshake.svg" || fail "the site's picture $picture is not the SVG --convert draws"

rm -rf site
mkdocs build --strict 2>"$work/err.txt" || fail "the second build failed: $(cat "$work/err.txt")"
[ "$(wc -l <"$work/calls.log")" -eq 1 ] || fail "the second build converted again: $(cat "$work/calls.log")"
cmp -s "$(cd site/design/bus && realpath "$src")" "$work/handshake.svg" || fail "the second build lost the picture"

printf '\n![Gone](timing/missing.sgm)\n' >>docs/design/bus.md
mkdocs build 2>"$work/err.txt" || fail "a missing diagram stopped a build without --strict"
grep -q "design/timing/missing.sgm" "$work/err.txt" || fail "no warning names the missing diagram: $(cat "$work/err.txt")"
if mkdocs build --strict >/dev/null 2>"$work/err.txt"; then fail "--strict did not fail the build"; fi
grep -q "design/timing/missing.sgm" "$work/err.txt" || fail "the failure does not name the diagram: $(cat "$work/err.txt")"
echo "MkDocs: the picture in the site, a second build converts nothing, a missing diagram warned"
