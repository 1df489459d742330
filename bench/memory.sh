#!/usr/bin/env bash
# Peak memory of varnell-convert --jobs 1 over a small and a ten-times larger batch of short files,
# next to the ffmpeg tool converting one such file. The batch peak must not grow with the batch
# size: per-file state has to be released before the next file starts. See bench/README.md.
set -euo pipefail

SCRIPT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly SCRIPT_DIR
readonly BUILD_DIR="${VARNELL_BUILD:-$SCRIPT_DIR/../build}"
readonly CONVERT="$BUILD_DIR/varnell-convert"
readonly MAKE_SAMPLE="$BUILD_DIR/varnell-make-sample"
readonly SMALL_BATCH="${BENCH_SMALL_BATCH:-20}"
readonly LARGE_BATCH="${BENCH_LARGE_BATCH:-200}"
readonly SECONDS_PER_FILE=2
# "About 1.0": allocator noise and lazily loaded codec tables may add a few percent, real
# per-file leaks over 180 extra files add far more.
readonly GROWTH_GOAL=1.10

fail() { echo "memory.sh: $*" >&2; exit 1; }

for tool in "$CONVERT" "$MAKE_SAMPLE"; do
  [[ -x "$tool" ]] || fail "$tool not found; build the project first (or set VARNELL_BUILD)"
done
command -v ffmpeg >/dev/null || fail "ffmpeg not found on PATH"

WORK_DIR="$(mktemp -d "${TMPDIR:-/tmp}/varnell-memory.XXXXXX")"
readonly WORK_DIR
trap 'rm -rf "$WORK_DIR"' EXIT

# GNU time when it exists; otherwise wait4's ru_maxrss, which is the same kernel figure.
# BENCH_RSS_TOOL=python forces the fallback so both paths can be checked on one machine.
readonly RSS_TOOL="${BENCH_RSS_TOOL:-$([[ -x /usr/bin/time ]] && /usr/bin/time -f %M true 2>/dev/null && echo gnu-time || echo python)}"
[[ "$RSS_TOOL" == python ]] && { command -v python3 >/dev/null || fail "neither GNU time nor python3"; }

readonly RSS_RUNNER="$WORK_DIR/max_rss.py"
cat >"$RSS_RUNNER" <<'PY'
import os, subprocess, sys
rss_path, log_path, command = sys.argv[1], sys.argv[2], sys.argv[3:]
with open(log_path, "wb") as log:
    child = subprocess.Popen(command, stdout=log, stderr=subprocess.STDOUT)
    _, status, usage = os.wait4(child.pid, 0)
with open(rss_path, "w") as rss:
    rss.write(f"{usage.ru_maxrss}\n")
sys.exit(os.waitstatus_to_exitcode(status))
PY

peak_rss_kb() {  # LOG COMMAND... -> peak RSS in KiB; fails with the log shown on error
  local log="$1"; shift
  local rss_file="$log.rss"
  local status=0
  if [[ "$RSS_TOOL" == gnu-time ]]; then
    /usr/bin/time -f %M -o "$rss_file" "$@" >"$log" 2>&1 || status=$?
  else
    python3 "$RSS_RUNNER" "$rss_file" "$log" "$@" || status=$?
  fi
  if ((status != 0)); then
    cat "$log" >&2
    fail "command failed ($status): $*"
  fi
  tail -n 1 "$rss_file"
}

# One generated source copied under many names: generation dominates the run time otherwise, and
# identical content keeps the two batches comparable file for file.
prepare_batch() {  # COUNT -> directory holding COUNT sources
  local count="$1" dir="$WORK_DIR/batch$1" index
  mkdir -p "$dir"
  for ((index = 0; index < count; ++index)); do
    cp "$WORK_DIR/template.m4a" "$dir/clip$index.m4a"
  done
  echo "$dir"
}

run_batch() {  # COUNT -> peak RSS in KiB of varnell-convert --jobs 1 over the batch
  local count="$1" source_dir out_dir
  source_dir="$(prepare_batch "$count")"
  out_dir="$WORK_DIR/out$count"
  mkdir -p "$out_dir"
  local rss
  rss="$(peak_rss_kb "$out_dir.log" "$CONVERT" --jobs 1 --output-dir "$out_dir" "$source_dir"/*.m4a)"
  local completed written
  completed="$(grep -c '^Completed: ' "$out_dir.log" || true)"
  written="$(find "$out_dir" -maxdepth 1 -type f -name '*.mp3' -size +0 | wc -l)"
  ((completed == count && written == count)) ||
    fail "batch of $count: $completed Completed: lines, $written outputs"
  rm -rf "$source_dir" "$out_dir"
  echo "$rss"
}

"$MAKE_SAMPLE" "$WORK_DIR/template.m4a" --seconds "$SECONDS_PER_FILE" --rate 44100 --channels 2 \
  >/dev/null 2>&1 || fail "varnell-make-sample failed"

mkdir -p "$WORK_DIR/ffmpeg"
ffmpeg_kb="$(peak_rss_kb "$WORK_DIR/ffmpeg.log" ffmpeg -nostdin -v error -i "$WORK_DIR/template.m4a" \
  -map 0:a:0 -c:a libmp3lame -b:a 128k -ar 44100 -ac 2 -id3v2_version 3 "$WORK_DIR/ffmpeg/clip.mp3")"
[[ -s "$WORK_DIR/ffmpeg/clip.mp3" ]] || fail "ffmpeg wrote no output"
small_kb="$(run_batch "$SMALL_BATCH")"
large_kb="$(run_batch "$LARGE_BATCH")"

growth="$(awk -v large="$large_kb" -v small="$small_kb" 'BEGIN { printf "%.3f", large / small }')"
verdict="$(awk -v g="$growth" -v goal="$GROWTH_GOAL" 'BEGIN { print (g <= goal ? "PASS" : "MISS") }')"
to_ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "peak RSS (max resident set, via $RSS_TOOL), ${SECONDS_PER_FILE}-second 44.1 kHz stereo AAC -> MP3 128 kb/s"
printf '%-34s %10s %14s\n' run peak_KiB vs_ffmpeg_1file
printf '%-34s %10s %14s\n' "ffmpeg, 1 file" "$ffmpeg_kb" "1.00"
printf '%-34s %10s %14s\n' "varnell --jobs 1, $SMALL_BATCH files" "$small_kb" "$(to_ratio "$small_kb" "$ffmpeg_kb")"
printf '%-34s %10s %14s\n' "varnell --jobs 1, $LARGE_BATCH files" "$large_kb" "$(to_ratio "$large_kb" "$ffmpeg_kb")"
echo "growth ${LARGE_BATCH}/${SMALL_BATCH} files: $growth (goal <= $GROWTH_GOAL, about 1.0): $verdict"
