#!/usr/bin/env bash
# Wall time of a batch converted by the main window's own launch path (offscreen, scripted
# dialogs), one row at a time against one row per core, and varnell-convert on the same files with
# the same number at once, side by side in one run; see bench/README.md for the goals.
set -euo pipefail

SCRIPT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly SCRIPT_DIR
SCRIPT_NAME="$(basename "$0")"
readonly SCRIPT_NAME
readonly BUILD_DIR="${VARNELL_BUILD:-$SCRIPT_DIR/../build}"
readonly BENCH=varnell-window-convert-bench

fail() { echo "$SCRIPT_NAME: $*" >&2; exit 1; }

for tool in "$BENCH" varnell-convert; do
  [[ -x "$BUILD_DIR/$tool" ]] || fail "$BUILD_DIR/$tool not found; build it first (or set VARNELL_BUILD)"
done

WORK_DIR="$(mktemp -d "${TMPDIR:-/tmp}/varnell-bench.XXXXXX")"
readonly WORK_DIR
trap 'rm -rf "$WORK_DIR"' EXIT

# Snapshot: the build folder may be rebuilt while the benchmark runs. Its sources and outputs go
# under the same temporary folder.
cp "$BUILD_DIR/$BENCH" "$BUILD_DIR/varnell-convert" "$WORK_DIR/"
TMPDIR="$WORK_DIR" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$WORK_DIR/$BENCH" \
  --files "${BENCH_FILES:-8}" --seconds "${BENCH_SECONDS:-120}" \
  --repeats "${BENCH_REPEATS:-3}" --idle-wait "${BENCH_IDLE_WAIT:-20}" \
  --convert "$WORK_DIR/varnell-convert" \
  || fail "the window batch failed (see above)"
