#!/bin/sh
# Makes the Debian package of a built tree, checks it with lintian, appstreamcli and
# desktop-file-validate, unpacks it and runs the program from there.
#   package_check.sh BUILD_DIR EXAMPLES_DIR VERSION
set -eu
build=$1
examples=$2
version=$3

for tool in cpack lintian appstreamcli desktop-file-validate dpkg-deb dpkg-shlibdeps man gio update-mime-database; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (scripts/setup-debian.sh --tests installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# --- The package ---------------------------------------------------------------------------------
arch=$(dpkg --print-architecture)
deb="$work/sigmora_${version}_${arch}.deb"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack could not make the package"
  exit 1
fi
[ -f "$deb" ] || { ls "$work"; echo "FAIL: no $deb"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = sigmora ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Section)" = electronics ] || fail "Section is '$(field Section)'"
# Libraries come from the binary (Qt among them), the fonts from the package's own list.
depends=$(field Depends)
for wanted in libqt6widgets6 libqt6svg6 libc6 fonts-liberation; do
  case "$depends" in
    *"$wanted"*) ;;
    *) fail "Depends lacks $wanted: $depends" ;;
  esac
done

dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|' >"$work/files"
# Every file the installation needs, at the place the program and the desktop look for it.
for path in \
    /usr/bin/sigmora \
    /usr/share/sigmora/tips.txt \
    /usr/share/doc/sigmora/index.html \
    /usr/share/doc/sigmora/copyright \
    /usr/share/doc/sigmora/changelog.gz \
    /usr/share/man/man1/sigmora.1.gz \
    /usr/share/doc-base/sigmora \
    /usr/share/applications/sigmora.desktop \
    /usr/share/metainfo/org.sigmora.sigmora.metainfo.xml \
    /usr/share/mime/packages/sigmora.xml \
    /usr/share/icons/hicolor/scalable/apps/sigmora.svg; do
  grep -qx "$path" "$work/files" || fail "the package lacks $path"
done
# The editor's module, which the program loads when it opens the window, in a private folder.
grep -q '^/usr/lib/\(.*/\)\?sigmora/modules/sigmora-editor\.so$' "$work/files" || fail "the package lacks the editor module"
# The MIME caches belong to the system (its trigger rebuilds them): only the type's definition
# may be shipped.
extra=$(grep '^/usr/share/mime/.' "$work/files" | grep -v -x -e '/usr/share/mime/' -e '/usr/share/mime/packages/' \
        -e '/usr/share/mime/packages/sigmora.xml' || true)
[ -z "$extra" ] || fail "the package ships generated MIME files: $extra"

# --- The checkers --------------------------------------------------------------------------------
# lintian: no error. Its warnings are shown in the log; the binary of a sanitizer build earns some
# that a release build does not.
lintian --fail-on error --display-info "$deb" >"$work/lintian.log" 2>&1 || fail "lintian reports errors"
sed 's/^/lintian: /' "$work/lintian.log"

root="$work/root"
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/org.sigmora.sigmora.metainfo.xml" \
  || fail "appstreamcli finds faults in the metainfo"
desktop-file-validate "$root/usr/share/applications/sigmora.desktop" || fail "desktop-file-validate finds faults"
man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/sigmora.1.gz" 2>&1 >/dev/null || true)
[ -z "$man_warnings" ] || fail "the manual page has faults: $man_warnings"

# The desktop's view of the file type: the system's types and the package's, as its trigger builds
# them. A diagram must come out as Sigmora's although SGML claims "*.sgm" too.
mkdir -p "$work/share/mime/packages" "$work/home"
cp /usr/share/mime/packages/freedesktop.org.xml "$root/usr/share/mime/packages/sigmora.xml" "$work/share/mime/packages/"
XDG_DATA_DIRS="$work/share" update-mime-database "$work/share/mime"
type=$(XDG_DATA_DIRS="$work/share" XDG_DATA_HOME="$work/home" gio info -a standard::content-type \
       "$examples/handshake.sgm" | sed -n 's/^ *standard::content-type: //p')
[ "$type" = application/x-sigmora ] || fail "a diagram's file type is '$type', not application/x-sigmora"

# --- The unpacked program ------------------------------------------------------------------------
program="$root/usr/bin/sigmora"
unset QT_QPA_PLATFORM LD_LIBRARY_PATH
# An unpacked program with --version in it must report the package's version; a binary without
# that option is told by the absence of its name.
if grep -q -a -e '--version' "$program"; then
  if out=$("$program" --version 2>&1); then
    case "$out" in
      *"$version"*) echo "sigmora --version: $out" ;;
      *) fail "sigmora --version prints '$out', not $version" ;;
    esac
  else
    fail "sigmora --version failed: $out"
  fi
else
  echo "NOTE: this sigmora has no --version option; only --convert is run"
fi

for out in handshake.svg handshake.png handshake.json; do
  if ! "$program" --convert "$examples/handshake.sgm" "$work/$out" 2>"$work/convert.err"; then
    fail "sigmora --convert to $out failed: $(cat "$work/convert.err")"
  elif [ ! -s "$work/$out" ]; then
    fail "sigmora --convert wrote an empty $out"
  fi
done
grep -q '<!-- Created with Sigmora' "$work/handshake.svg" || fail "the SVG written is not Sigmora's"

# The unpacked program opens its window: it finds and loads the editor module of the package,
# and is still running when stopped after a few seconds (a start that cannot load the module
# ends at once with status 1). Its own folders keep it apart from any other Sigmora running.
mkdir -p "$work/run" "$work/home" && chmod 700 "$work/run"
status=0
XDG_RUNTIME_DIR="$work/run" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen \
  timeout 5 "$program" >"$work/editor.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the unpacked program did not open its window (status $status): $(tail -3 "$work/editor.log")"
[ "$(head -c 8 "$work/handshake.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] \
  || fail "the PNG written is not a PNG"

if [ "$failures" -ne 0 ]; then
  echo "$failures fault(s) in the package"
  exit 1
fi
echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes, $(grep -c -v '/$' "$work/files") files"
