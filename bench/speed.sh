#!/usr/bin/env bash
# Wall-time comparison of varnell-convert against the ffmpeg command-line tool doing the same
# conversions one file after another. Sources are generated here so every run measures the same
# input; see bench/README.md for the goals.
set -euo pipefail

SCRIPT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly SCRIPT_DIR
readonly FILE_COUNT="${BENCH_FILES:-8}"
readonly SECONDS_PER_FILE="${BENCH_SECONDS:-120}"
readonly REPEATS="${BENCH_REPEATS:-3}"
readonly BITRATE_KBPS=128
readonly JOBS1_GOAL=1.02
# Longest wait, per measured run, for other processes to leave the cores alone.
readonly IDLE_WAIT_SECONDS="${BENCH_IDLE_WAIT:-20}"
readonly SPEEDUP_GOAL=1.8

# shellcheck source=bench/common.sh
source "$SCRIPT_DIR/common.sh"

# Filled in by check_ffmpeg_threading: empty unless ffmpeg was seen using more than one core.
FFMPEG_THREAD_ARGS=""

# A run only counts if it produced every file at a plausible size: a converter that stops early
# or skips files would otherwise look fast.
verify_outputs() {  # FORMAT OUT_DIR LABEL
  local format="$1" out_dir="$2" label="$3"
  local count
  count="$(find "$out_dir" -maxdepth 1 -type f -name "*.$format" | wc -l)"
  ((count == FILE_COUNT)) || fail "$label wrote $count .$format files, expected $FILE_COUNT"
  if [[ "$label" == varnell* ]]; then
    local completed
    completed="$(grep -c '^Completed: ' "$out_dir.log" || true)"
    ((completed == FILE_COUNT)) || fail "$label printed $completed Completed: lines, expected $FILE_COUNT"
    grep -q "^$FILE_COUNT completed, 0 failed" "$out_dir.log" || fail "$label summary line missing"
  fi
  local minimum_bytes=$((BITRATE_KBPS * 1000 * SECONDS_PER_FILE * 8 / (8 * 10)))
  local output size
  for output in "$out_dir"/*."$format"; do
    size="$(stat -c %s "$output")"
    ((size >= minimum_bytes)) || fail "$label output $output is $size bytes, expected >= $minimum_bytes"
  done
}


check_ffmpeg_threading() {
  local probe_dir="$WORK_DIR/threading-probe" wall cpu other cores
  read -r wall cpu other <<<"$(run_ffmpeg_sequential mp3 "$probe_dir" "${SOURCES[0]}")"
  rm -rf "$probe_dir" "$probe_dir.log"
  cores="$(ratio "$cpu" "$wall")"
  if [[ "$(verdict "$cores" '<=' 1.15)" == MISS ]]; then
    FFMPEG_THREAD_ARGS="-threads 1"
  fi
  echo "ffmpeg probe: $cores cores used on one file ->" \
    "${FFMPEG_THREAD_ARGS:-no -threads limit needed (single-threaded audio path)}"
}

generate_sources
CORES="$(nproc)"
readonly CORES
echo "sources: $FILE_COUNT x ${SECONDS_PER_FILE}s 44.1 kHz stereo AAC (.m4a), $REPEATS repeats, $CORES cores"
check_ffmpeg_threading

print_row() { printf '%-4s %-6s %11s %14s %16s %12s %-5s %16s %-5s\n' "$@"; }
TABLE_ROWS=()
OTHER_LOAD_SEEN=0
for format in mp3 wma; do
  declare -a walls_ffmpeg=() walls_jobs1=() walls_default=()
  declare -a cpus_ffmpeg=() cpus_jobs1=() cpus_default=()
  declare -a others_ffmpeg=() others_jobs1=() others_default=()
  for ((repeat = 0; repeat < REPEATS; ++repeat)); do
    # Interleaved so drift on the machine spreads over all three contenders alike.
    run_dir="$WORK_DIR/$format-$repeat"
    read -r wall cpu other <<<"$(run_ffmpeg_sequential "$format" "$run_dir/ffmpeg" "${SOURCES[@]}")"
    verify_outputs "$format" "$run_dir/ffmpeg" "ffmpeg"
    walls_ffmpeg+=("$wall"); cpus_ffmpeg+=("$cpu"); others_ffmpeg+=("$other")
    read -r wall cpu other <<<"$(run_varnell "$format" "$run_dir/jobs1" "--jobs 1")"
    verify_outputs "$format" "$run_dir/jobs1" "varnell --jobs 1"
    walls_jobs1+=("$wall"); cpus_jobs1+=("$cpu"); others_jobs1+=("$other")
    read -r wall cpu other <<<"$(run_varnell "$format" "$run_dir/default" "")"
    verify_outputs "$format" "$run_dir/default" "varnell default jobs"
    walls_default+=("$wall"); cpus_default+=("$cpu"); others_default+=("$other")
    rm -rf "$run_dir"
  done
  ffmpeg_s="$(median "${walls_ffmpeg[@]}")"
  jobs1_s="$(median "${walls_jobs1[@]}")"
  default_s="$(median "${walls_default[@]}")"
  ratio_jobs1="$(ratio "$jobs1_s" "$ffmpeg_s")"
  speedup_default="$(ratio "$ffmpeg_s" "$default_s")"
  TABLE_ROWS+=("$(print_row "$format" wall "$ffmpeg_s" "$jobs1_s" "$default_s" \
    "$ratio_jobs1" "$(verdict "$ratio_jobs1" '<=' "$JOBS1_GOAL")" \
    "$speedup_default" "$(verdict "$speedup_default" '>=' "$SPEEDUP_GOAL")")")
  TABLE_ROWS+=("$(print_row "" cpu "$(median "${cpus_ffmpeg[@]}")" \
    "$(median "${cpus_jobs1[@]}")" "$(median "${cpus_default[@]}")" "" "" "" "")")
  other_ffmpeg="$(median "${others_ffmpeg[@]}")"
  other_jobs1="$(median "${others_jobs1[@]}")"
  other_default="$(median "${others_default[@]}")"
  TABLE_ROWS+=("$(print_row "" other "$other_ffmpeg" "$other_jobs1" "$other_default" \
    "" "" "" "")")
  # More than a tenth of a core taken by other processes during the parallel run.
  if [[ "$(verdict "$other_default" '<=' "$(ratio "$default_s" 10)")" == MISS ]]; then
    OTHER_LOAD_SEEN=1
  fi
done

echo
echo "median seconds over $REPEATS runs ($FILE_COUNT files each, ${BITRATE_KBPS} kb/s);"
echo "cpu = user+sys of the measured command, other = CPU used by other processes meanwhile"
print_row fmt "" ffmpeg_seq varnell_jobs1 varnell_default \
  ratio_jobs1 "<=$JOBS1_GOAL" speedup_default ">=$SPEEDUP_GOAL"
printf '%s\n' "${TABLE_ROWS[@]}"
if ((OTHER_LOAD_SEEN)); then
  echo "WARNING: other processes used the CPUs during the default-jobs runs; speedup_default" \
    "understates varnell's parallelism. Rerun on an idle machine."
fi
