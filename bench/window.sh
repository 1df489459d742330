#!/usr/bin/env bash
# Wall time of a batch converted by the main window's own launch path (offscreen, scripted
# dialogs), one row at a time against one row per core, side by side in one run; see
# bench/README.md for the goal.
set -euo pipefail

SCRIPT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly SCRIPT_DIR
SCRIPT_NAME="$(basename "$0")"
readonly SCRIPT_NAME
readonly BUILD_DIR="${VARNELL_BUILD:-$SCRIPT_DIR/../build}"
readonly BENCH=varnell-window-convert-bench

fail() { echo "$SCRIPT_NAME: $*" >&2; exit 1; }

[[ -x "$BUILD_DIR/$BENCH" ]] || fail "$BUILD_DIR/$BENCH not found; build it first (or set VARNELL_BUILD)"

WORK_DIR="$(mktemp -d "${TMPDIR:-/tmp}/varnell-bench.XXXXXX")"
readonly WORK_DIR
trap 'rm -rf "$WORK_DIR"' EXIT

# Snapshot: the build folder may be rebuilt while the benchmark runs. Its sources and outputs go
# under the same temporary folder.
cp "$BUILD_DIR/$BENCH" "$WORK_DIR/"
TMPDIR="$WORK_DIR" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$WORK_DIR/$BENCH" \
  --files "${BENCH_FILES:-8}" --seconds "${BENCH_SECONDS:-120}" \
  --repeats "${BENCH_REPEATS:-3}" --idle-wait "${BENCH_IDLE_WAIT:-20}" \
  || fail "the window batch failed (see above)"
