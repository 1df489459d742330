#!/usr/bin/env bash
# Per output format: varnell-convert --jobs 1 against the ffmpeg command-line tool with the same
# encoder and encoder settings, one file after another, on the same generated sources, side by
# side in one run. They share FFmpeg's encoders, so the ratio shows what the converter's own
# pipeline (demux, decode, resample, FIFO, mux, tags, exact-length bookkeeping) costs on top.
set -euo pipefail

SCRIPT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly SCRIPT_DIR
readonly FILE_COUNT="${BENCH_FILES:-4}"
readonly SECONDS_PER_FILE="${BENCH_SECONDS:-60}"
readonly REPEATS="${BENCH_REPEATS:-3}"
readonly BITRATE_KBPS=128
readonly JOBS1_GOAL=1.02
readonly IDLE_WAIT_SECONDS="${BENCH_IDLE_WAIT:-20}"
read -r -a FORMATS <<<"${BENCH_FORMATS:-mp3 mp3vbr m4a aac ogg opus flac wav aiff wma}"
readonly FORMATS

# shellcheck source=bench/common.sh
source "$SCRIPT_DIR/common.sh"

# A run only counts if it wrote every file and, for varnell, said so; an empty or missing output
# would otherwise look fast.
verify_outputs() {  # FORMAT OUT_DIR LABEL
  local extension out_dir="$2" label="$3" count output
  extension="$(extension_of "$1")"
  count="$(find "$out_dir" -maxdepth 1 -type f -name "*.$extension" | wc -l)"
  ((count == FILE_COUNT)) || fail "$label wrote $count .$extension files, expected $FILE_COUNT"
  for output in "$out_dir"/*."$extension"; do
    [[ -s "$output" ]] || fail "$label wrote an empty $output"
  done
  if [[ "$label" == varnell ]]; then
    grep -q "^$FILE_COUNT completed, 0 failed" "$out_dir.log" ||
      fail "$label did not complete every $1 file: $(tail -3 "$out_dir.log")"
  fi
}

generate_sources
echo "sources: $FILE_COUNT x ${SECONDS_PER_FILE}s 44.1 kHz stereo AAC (.m4a), $REPEATS repeats"

print_row() { printf '%-7s %11s %14s %8s %-5s %10s\n' "$@"; }
TABLE_ROWS=()
for format in "${FORMATS[@]}"; do
  walls_ffmpeg=() walls_varnell=() bytes_ratio=""
  for ((repeat = 0; repeat < REPEATS; ++repeat)); do
    # Interleaved so drift on the machine spreads over both sides alike.
    run_dir="$WORK_DIR/$format-$repeat"
    read -r wall _ _ <<<"$(run_ffmpeg_sequential "$format" "$run_dir/ffmpeg" "${SOURCES[@]}")"
    verify_outputs "$format" "$run_dir/ffmpeg" ffmpeg
    walls_ffmpeg+=("$wall")
    read -r wall _ _ <<<"$(run_varnell "$format" "$run_dir/varnell" "--jobs 1")"
    verify_outputs "$format" "$run_dir/varnell" varnell
    walls_varnell+=("$wall")
    # Same encoder settings should give about the same size: a check that both did the same work.
    bytes_ratio="$(ratio "$(du -sb "$run_dir/varnell" | cut -f1)" "$(du -sb "$run_dir/ffmpeg" | cut -f1)")"
    rm -rf "$run_dir"
  done
  ffmpeg_s="$(median "${walls_ffmpeg[@]}")"
  varnell_s="$(median "${walls_varnell[@]}")"
  ratio_jobs1="$(ratio "$varnell_s" "$ffmpeg_s")"
  TABLE_ROWS+=("$(print_row "$format" "$ffmpeg_s" "$varnell_s" "$ratio_jobs1" \
    "$(verdict "$ratio_jobs1" '<=' "$JOBS1_GOAL")" "$bytes_ratio")")
done

echo
echo "median wall seconds over $REPEATS runs ($FILE_COUNT files each; lossy at ${BITRATE_KBPS} kb/s, mp3vbr V2, flac level 5)"
print_row format ffmpeg_seq varnell_jobs1 ratio "<=$JOBS1_GOAL" size_ratio
printf '%s\n' "${TABLE_ROWS[@]}"
