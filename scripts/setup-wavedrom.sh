#!/usr/bin/env bash
# Installs WaveDrom's command-line renderer (npm wavedrom-cli) into the folder given, for the test
# that has it draw Sigmora's WaveJSON exports. Does nothing when it is already there.
set -euo pipefail
dir=${1:?usage: setup-wavedrom.sh FOLDER}
version=${WAVEDROM_CLI_VERSION:-3.2.0}
if [ -f "$dir/node_modules/wavedrom-cli/wavedrom-cli.js" ]; then
  exit 0
fi
mkdir -p "$dir"
cd "$dir"
[ -f package.json ] || printf '{"name":"sigmora-wavedrom-client","private":true}\n' > package.json
# --prefer-offline: a package already in npm's cache is taken from there without asking the registry.
npm install --no-audit --no-fund --loglevel=error --prefer-offline "wavedrom-cli@$version"
