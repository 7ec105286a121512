#!/usr/bin/env bash
# Installs the Debian packages Sigmora needs, when any is missing.
#   setup-debian.sh          what building and running the editor need
#   setup-debian.sh --tests  that, plus what the tests run: Xvfb and xdotool for the real window,
#                            the test libraries, the programs that read Sigmora's files and the
#                            checkers of the Debian package
set -euo pipefail

build_and_run=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libx11-dev shared-mime-info
  fonts-liberation libemf-dev zlib1g-dev
  # FST dumps are read by the FST reader library (fstapi.c, MIT licence) that verilator ships.
  verilator
  # Optional speed-ups of the build; it works without them.
  ccache mold
)
tests=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-apps imagemagick
  inkscape poppler-utils libxml2-utils librsvg2-bin
  iverilog ghdl gtkwave
  # The documentation tools the plug-ins in integrations/ are built with.
  pandoc python3-sphinx mkdocs
  # The fuzz harnesses, built with clang and its libFuzzer runtime.
  clang libclang-rt-14-dev
  # The package test: cpack with dpkg-shlibdeps, the Debian checkers, and gio for the file type.
  dpkg-dev lintian appstream desktop-file-utils man-db libglib2.0-bin
)

packages=("${build_and_run[@]}")
if [ "${1:-}" = "--tests" ]; then
  packages+=("${tests[@]}")
fi

# One dpkg-query for the whole list: the check costs a few milliseconds when all are there.
missing=()
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null \
            | awk '$NF == "installed" { print $1 }' || true)
for p in "${packages[@]}"; do
  grep -qx "$p" <<<"$installed" || missing+=("$p")
done

if [ "${1:-}" = "--tests" ]; then
  # WaveDrom's renderer for the WaveJSON test runs on Node.js; any Node.js with npm will do.
  command -v node >/dev/null 2>&1 || missing+=(nodejs)
  command -v npm >/dev/null 2>&1 || missing+=(npm)
fi

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
