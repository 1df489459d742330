#!/usr/bin/env bash
# Installs the Debian 12 packages Varnell needs to build and test. Quick when all are present.
#   scripts/setup.sh              build and test packages
#   scripts/setup.sh --bench      also the tools the benchmarks compare with (ffmpeg)
#   scripts/setup.sh --screenshots  also a virtual X server and ImageMagick for window screenshots
#   scripts/setup.sh --package    also what building and checking the Debian package needs
#   scripts/setup.sh --skin       also Qt's SVG module, for varnell-skin-generator
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libavformat-dev libavcodec-dev libavutil-dev libswresample-dev libswscale-dev
  qt6-base-dev libgl-dev libsdl2-dev fonts-dejavu-core
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev
  desktop-file-utils appstream
  dbus-daemon
  xvfb at-spi2-core python3-pyatspi
)
case "${1:-}" in
  --bench) packages+=(ffmpeg) ;;
  --screenshots) packages+=(xvfb xauth imagemagick) ;;
  --package) packages+=(dpkg-dev file lintian) ;;
  --skin) packages+=(qt6-svg-dev) ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
