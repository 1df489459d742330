#!/usr/bin/env bash
# Installs what is missing, builds Varnell and starts it. Until the main window lands, this makes a
# sample recording and converts it with varnell-convert into the OutPut folder beside the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
mkdir -p build/OutPut
sample="$(mktemp -d)/varnell-sample.m4a"
build/varnell-make-sample "$sample" >/dev/null
echo "Converting the sample recording $sample:"
build/varnell-convert --output-dir build/OutPut "$sample" "$@"
rm -rf "$(dirname "$sample")"
