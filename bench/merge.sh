#!/usr/bin/env bash
# Merging side by side: varnell-convert --merge against the ffmpeg tool's concat demuxer into
# libmp3lame, both merging the same eight generated sources into one MP3. Reports the wall-time
# ratio and, for both outputs, the decoded length against the sum of the sources and the longest
# near-silence around each join. See bench/README.md.
set -euo pipefail

SCRIPT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly SCRIPT_DIR
readonly FILE_COUNT="${BENCH_FILES:-8}"
readonly SECONDS_PER_FILE="${BENCH_SECONDS:-120}"
readonly REPEATS="${BENCH_REPEATS:-3}"
readonly BITRATE_KBPS=128
readonly IDLE_WAIT_SECONDS="${BENCH_IDLE_WAIT:-20}"
readonly RATIO_GOAL=1.02
readonly RATE=44100

# shellcheck source=bench/common.sh
source "$SCRIPT_DIR/common.sh"

# Decodes an output with the ffmpeg tool (which honours the LAME header) and prints its length in
# samples and the longest run, in samples, within half a second of each join in which both
# channels stay below -60 dBFS. The sources are tones of amplitude 0.5, which pass that level
# within a sample, so any longer run is a gap.
readonly JOIN_PROBE="$WORK_DIR/join_probe.py"
cat >"$JOIN_PROBE" <<'PY'
import array, subprocess, sys
path, rate, seconds_per_file, files = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4])
threshold, reach = 10 ** (-60 / 20), rate // 2
joins = [round(k * seconds_per_file * rate) for k in range(1, files)]
windows = [(j - reach, j + reach) for j in joins]
decoder = subprocess.Popen(["ffmpeg", "-nostdin", "-v", "error", "-i", path, "-map", "0:a:0",
                            "-f", "f32le", "-ac", "2", "-"], stdout=subprocess.PIPE)
frame, longest, runs = 0, 0, [0] * len(windows)
while True:
    chunk = decoder.stdout.read(8 * 65536)
    if not chunk:
        break
    samples = array.array("f")
    samples.frombytes(chunk[: len(chunk) // 8 * 8])
    count = len(samples) // 2
    for w, (begin, end) in enumerate(windows):
        for i in range(max(begin - frame, 0), min(end - frame, count)):
            quiet = abs(samples[2 * i]) < threshold and abs(samples[2 * i + 1]) < threshold
            runs[w] = runs[w] + 1 if quiet else 0
            longest = max(longest, runs[w])
    frame += count
if decoder.wait() != 0:
    sys.exit("cannot decode " + path)
print(frame, longest)
PY

generate_sources
readonly LIST="$WORK_DIR/sources.txt"
for source in "${SOURCES[@]}"; do printf "file '%s'\n" "$source"; done >"$LIST"

run_ffmpeg_concat() {  # OUT_DIR -> "WALL CPU OTHER"
  local out_dir="$1"
  mkdir -p "$out_dir"
  local -a codec_args
  read -r -a codec_args <<<"$(ffmpeg_codec_args mp3)"
  run_measured "$out_dir.log" ffmpeg -nostdin -v error -f concat -safe 0 -i "$LIST" -map 0:a:0 \
    "${codec_args[@]}" "$out_dir/merged.mp3"
}

run_varnell_merge() {  # OUT_DIR -> "WALL CPU OTHER"
  local out_dir="$1"
  mkdir -p "$out_dir"
  local -a format_args
  read -r -a format_args <<<"$(varnell_format_args mp3)"
  run_measured "$out_dir.log" "$CONVERT" --merge "${format_args[@]}" --output-dir "$out_dir" "${SOURCES[@]}"
  grep -q "^Completed: $out_dir/track0.mp3\$" "$out_dir.log" || fail "varnell printed no Completed: line"
  grep -q "^$FILE_COUNT completed, 0 failed\$" "$out_dir.log" || fail "varnell summary line missing"
}

echo "sources: $FILE_COUNT x ${SECONDS_PER_FILE}s 44.1 kHz stereo AAC (.m4a), merged to MP3" \
  "${BITRATE_KBPS} kb/s, $REPEATS repeats, $(nproc) cores"
declare -a walls_ffmpeg=() walls_varnell=() cpus_ffmpeg=() cpus_varnell=()
for ((repeat = 0; repeat < REPEATS; ++repeat)); do
  run_dir="$WORK_DIR/run-$repeat"
  read -r wall cpu _ <<<"$(run_ffmpeg_concat "$run_dir/ffmpeg")"
  walls_ffmpeg+=("$wall"); cpus_ffmpeg+=("$cpu")
  read -r wall cpu _ <<<"$(run_varnell_merge "$run_dir/varnell")"
  walls_varnell+=("$wall"); cpus_varnell+=("$cpu")
  # The outputs of the last run are examined below.
  ((repeat + 1 == REPEATS)) || rm -rf "$run_dir"
done

readonly EXPECTED_SAMPLES=$((FILE_COUNT * SECONDS_PER_FILE * RATE))
ffmpeg_s="$(median "${walls_ffmpeg[@]}")"
varnell_s="$(median "${walls_varnell[@]}")"
wall_ratio="$(ratio "$varnell_s" "$ffmpeg_s")"
read -r ffmpeg_samples ffmpeg_gap <<<"$(python3 "$JOIN_PROBE" "$run_dir/ffmpeg/merged.mp3" "$RATE" "$SECONDS_PER_FILE" "$FILE_COUNT")"
read -r varnell_samples varnell_gap <<<"$(python3 "$JOIN_PROBE" "$run_dir/varnell/track0.mp3" "$RATE" "$SECONDS_PER_FILE" "$FILE_COUNT")"
ms() { python3 -c 'import sys; print(f"{int(sys.argv[1]) * 1000 / int(sys.argv[2]):.2f}")' "$1" "$RATE"; }

echo
echo "median over $REPEATS runs; length in samples at $RATE Hz, expected $EXPECTED_SAMPLES (the sum of the sources)"
printf '%-8s %9s %8s %12s %14s %16s\n' tool wall_s cpu_s length_samples length_diff_ms longest_join_gap_ms
printf '%-8s %9s %8s %12s %14s %16s\n' ffmpeg "$ffmpeg_s" "$(median "${cpus_ffmpeg[@]}")" "$ffmpeg_samples" \
  "$(ms $((ffmpeg_samples - EXPECTED_SAMPLES)))" "$(ms "$ffmpeg_gap")"
printf '%-8s %9s %8s %12s %14s %16s\n' varnell "$varnell_s" "$(median "${cpus_varnell[@]}")" "$varnell_samples" \
  "$(ms $((varnell_samples - EXPECTED_SAMPLES)))" "$(ms "$varnell_gap")"
echo "wall ratio varnell/ffmpeg: $wall_ratio ($(verdict "$wall_ratio" '<=' "$RATIO_GOAL") against <= $RATIO_GOAL)"
