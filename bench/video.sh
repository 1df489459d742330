#!/usr/bin/env bash
# Video side by side: one 60 s 640x480 30 fps source with a stereo tone, converted to MPEG-4
# 320x240 in AVI and to H.264 320x240 in MP4 (MP3 128 kb/s audio in both) by varnell-convert
# --jobs 1 and by the ffmpeg tool with the same settings. Reports the wall-time ratio and checks
# that both outputs carry the requested codec, size and rate with streams as long as the source.
# See bench/README.md.
set -euo pipefail

SCRIPT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly SCRIPT_DIR
readonly SOURCE_SECONDS="${BENCH_SECONDS:-60}"
readonly REPEATS="${BENCH_REPEATS:-3}"
readonly IDLE_WAIT_SECONDS="${BENCH_IDLE_WAIT:-20}"
readonly RATIO_GOAL=1.05
readonly FPS=30
readonly VIDEO_KBPS=1000
readonly BITRATE_KBPS=128

# shellcheck source=bench/common.sh
source "$SCRIPT_DIR/common.sh"
command -v ffprobe >/dev/null || fail "ffprobe not found on PATH"

# The source a phone or camera would give: H.264 with AAC, keyframe every second.
readonly SOURCE="$WORK_DIR/src/clip.mp4"
mkdir -p "$WORK_DIR/src"
ffmpeg -nostdin -v error -f lavfi -i "testsrc2=size=640x480:rate=$FPS:duration=$SOURCE_SECONDS" \
  -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$SOURCE_SECONDS" \
  -c:v libx264 -preset veryfast -pix_fmt yuv420p -g "$FPS" -c:a aac -ac 2 "$SOURCE" \
  || fail "cannot generate the source"

# Both sides: bicubic scaling, a keyframe every 12 frames (the interval a source decoder
# reports when it does not know one), no B-frames, MP3 audio. H.264 adds the encoder settings the
# converter uses for it.
readonly FFMPEG_AUDIO="-c:a libmp3lame -b:a ${BITRATE_KBPS}k -ar 44100 -ac 2"
ffmpeg_video_args() {
  case "$1" in
    mpeg4) echo "-c:v mpeg4 -b:v ${VIDEO_KBPS}k -g 12 -bf 0" ;;
    h264) echo "-c:v libx264 -b:v ${VIDEO_KBPS}k -g 12 -bf 0 -me_range 16 -qdiff 4 -qmin 10 -qmax 51 -qcomp 0.6 -keyint_min 25" ;;
  esac
}
varnell_video_args() {
  case "$1" in
    mpeg4) echo "--preset 90001 --video-codec MPEG4" ;;
    h264) echo "--preset 90005 --video-codec H.264" ;;
  esac
}
extension_of() { case "$1" in mpeg4) echo avi ;; h264) echo mp4 ;; esac; }

run_ffmpeg() {  # TARGET OUT_DIR -> "WALL CPU OTHER"
  local target="$1" out_dir="$2"
  mkdir -p "$out_dir"
  local -a video audio
  read -r -a video <<<"$(ffmpeg_video_args "$target")"
  read -r -a audio <<<"$FFMPEG_AUDIO"
  run_measured "$out_dir.log" ffmpeg -nostdin -v error -i "$SOURCE" -map 0:v:0 -map 0:a:0 \
    -vf scale=320:240:flags=bicubic -r "$FPS" "${video[@]}" "${audio[@]}" \
    "$out_dir/clip.$(extension_of "$target")"
}

run_varnell() {  # TARGET OUT_DIR -> "WALL CPU OTHER"
  local target="$1" out_dir="$2"
  mkdir -p "$out_dir"
  local -a video
  read -r -a video <<<"$(varnell_video_args "$target")"
  run_measured "$out_dir.log" "$CONVERT" --jobs 1 "${video[@]}" --size '320*240' --fps "$FPS" \
    --video-bitrate "$VIDEO_KBPS" --encoder MP3 --bitrate "$BITRATE_KBPS" --sample-rate 44100 \
    --channels 2 --output-dir "$out_dir" "$SOURCE"
  grep -q "^1 completed, 0 failed\$" "$out_dir.log" || fail "varnell summary line missing"
}

# Prints "CODEC WIDTHxHEIGHT RATE FRAMES VIDEO_S AUDIO_S" of an output: the video stream's codec,
# size, frame rate and frame count, and both streams' lengths from their decoded frames.
readonly STREAM_PROBE="$WORK_DIR/stream_probe.py"
cat >"$STREAM_PROBE" <<'PY'
import json, subprocess, sys
path = sys.argv[1]
def probe(*args):
    result = subprocess.run(["ffprobe", "-v", "error", *args, "-of", "json", path],
                            check=True, capture_output=True, text=True)
    return json.loads(result.stdout)
video = probe("-select_streams", "v:0", "-show_entries",
              "stream=codec_name,width,height,avg_frame_rate,r_frame_rate")["streams"][0]
def length(selector):
    frames = probe("-select_streams", selector, "-show_entries", "frame=best_effort_timestamp_time,pkt_duration_time")["frames"]
    ends = [float(f["best_effort_timestamp_time"]) + float(f.get("pkt_duration_time", 0) or 0) for f in frames]
    return len(frames), max(ends) - min(float(f["best_effort_timestamp_time"]) for f in frames)
num, den = map(int, video["r_frame_rate"].split("/"))
video_frames, video_seconds = length("v:0")
print(video["codec_name"], f'{video["width"]}x{video["height"]}', f"{num / den:.3f}", video_frames,
      f"{video_seconds:.3f}", f'{length("a:0")[1]:.3f}')
PY

echo "source: ${SOURCE_SECONDS}s 640x480 ${FPS} fps H.264 + 44.1 kHz stereo AAC; targets 320x240 ${FPS} fps" \
  "${VIDEO_KBPS} kb/s + MP3 ${BITRATE_KBPS} kb/s; $REPEATS repeats, $(nproc) cores"
printf '\n%-6s %-8s %9s %8s   %s\n' target tool wall_s cpu_s 'codec size fps frames video_s audio_s'
declare -A ratios=()
for target in mpeg4 h264; do
  declare -a walls_ffmpeg=() walls_varnell=() cpus_ffmpeg=() cpus_varnell=()
  for ((repeat = 0; repeat < REPEATS; ++repeat)); do
    run_dir="$WORK_DIR/$target-$repeat"
    read -r wall cpu _ <<<"$(run_ffmpeg "$target" "$run_dir/ffmpeg")"
    walls_ffmpeg+=("$wall"); cpus_ffmpeg+=("$cpu")
    read -r wall cpu _ <<<"$(run_varnell "$target" "$run_dir/varnell")"
    walls_varnell+=("$wall"); cpus_varnell+=("$cpu")
    ((repeat + 1 == REPEATS)) || rm -rf "$run_dir"
  done
  output="clip.$(extension_of "$target")"
  printf '%-6s %-8s %9s %8s   %s\n' "$target" ffmpeg "$(median "${walls_ffmpeg[@]}")" \
    "$(median "${cpus_ffmpeg[@]}")" "$(python3 "$STREAM_PROBE" "$run_dir/ffmpeg/$output")"
  printf '%-6s %-8s %9s %8s   %s\n' "$target" varnell "$(median "${walls_varnell[@]}")" \
    "$(median "${cpus_varnell[@]}")" "$(python3 "$STREAM_PROBE" "$run_dir/varnell/$output")"
  ratios[$target]="$(ratio "$(median "${walls_varnell[@]}")" "$(median "${walls_ffmpeg[@]}")")"
done
echo
for target in mpeg4 h264; do
  echo "$target wall ratio varnell/ffmpeg: ${ratios[$target]} ($(verdict "${ratios[$target]}" '<=' "$RATIO_GOAL") against <= $RATIO_GOAL)"
done
