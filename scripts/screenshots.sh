#!/usr/bin/env bash
# Makes the pictures in docs/ (main window empty and with rows, converting, converted, settings,
# file information, about, clip dialog) from the real windows on a virtual X server, then the
# window with its rows, the settings and the file information in German (*-de.png), and the main
# window once more on a HiDPI screen (QT_SCALE_FACTOR=2) as main-window-2x.png.
#   scripts/screenshots.sh           writes into docs/
#   scripts/screenshots.sh FOLDER    writes into FOLDER instead, to compare before replacing
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --screenshots

output="$(realpath -m "${1:-docs}")"
mkdir -p "$output"
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target varnell-screenshots

work="$(mktemp -d /tmp/varnell-screenshots.XXXXXX)"
trap 'rm -rf "$work"' EXIT
# The real window system, a fixed screen and no sound card: the previews play on SDL's silent
# device, still in real time.
env -u QT_QPA_PLATFORM SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb \
  xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" \
  build/varnell-screenshots "$output" "$work"
rm -rf "${work:?}"/*
env -u QT_QPA_PLATFORM SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb \
  xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" \
  build/varnell-screenshots "$output" "$work" de
# The same windows at twice the pixels: the skin's HiDPI drawings, the layout unchanged. Only the
# main window is kept from this run.
rm -rf "${work:?}"/*
mkdir -p "$work/2x-shots" "$work/2x"
env -u QT_QPA_PLATFORM SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 \
  xvfb-run --auto-servernum --server-args="-screen 0 2560x1600x24" \
  build/varnell-screenshots "$work/2x-shots" "$work/2x"
cp "$work/2x-shots/main-window.png" "$output/main-window-2x.png"
