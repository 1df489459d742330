#!/usr/bin/env bash
# Configures and builds Varnell into a build folder.
#   scripts/build.sh [BUILD_DIR] [extra cmake arguments...]
# BUILD_TARGETS (space-separated) builds only those targets instead of everything.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
shift || true
cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
# shellcheck disable=SC2086 # the list is meant to split into targets
cmake --build "$build_dir" -j"$(nproc)" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
