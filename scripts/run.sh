#!/usr/bin/env bash
# Installs what is missing, builds Varnell and starts it.
# Without a display (a server, a container) it converts a sample recording with varnell-convert
# into the OutPut folder beside the program instead, so the engine can be seen at work.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec build/varnell "$@"
fi
echo "No display found: converting a sample recording instead of opening the window."
mkdir -p build/OutPut
sample_folder="$(mktemp -d)"
trap 'rm -rf "$sample_folder"' EXIT
build/varnell-make-sample "$sample_folder/varnell-sample.m4a" >/dev/null
build/varnell-convert --output-dir build/OutPut "$sample_folder/varnell-sample.m4a"
