#!/usr/bin/env bash
# Adding a music library of 10,000 files: the main window's folder scan (time to the last row, the
# longest stall of its user-interface thread, how long a click waits) and varnell-convert reading
# the same tree (--info) and converting a part of it, each beside the ffprobe / ffmpeg tool walking
# the same files in one run; see bench/README.md for the goals.
set -euo pipefail

SCRIPT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly SCRIPT_DIR
readonly ARTISTS="${BENCH_ARTISTS:-10}"           # Lib/Artist N/
readonly ALBUMS="${BENCH_ALBUMS:-10}"             # .../Album N/, per artist
readonly TRACKS="${BENCH_TRACKS:-100}"            # .../Track N.m4a, per album
readonly PROBE_FILES="${BENCH_PROBE_FILES:-300}"  # the ffprobe walk's share of the tree
readonly CONVERT_ALBUMS="${BENCH_CONVERT_ALBUMS:-10}"  # the albums converted: 1,000 files
readonly SECONDS_PER_FILE="${BENCH_SECONDS:-1}"
readonly FILE_COUNT=0 BITRATE_KBPS=128
readonly IDLE_WAIT_SECONDS="${BENCH_IDLE_WAIT:-20}"
readonly BENCH=varnell-add-folder-bench
# shellcheck source=bench/common.sh
source "$SCRIPT_DIR/common.sh"

command -v ffprobe >/dev/null || fail "ffprobe not found on PATH"
[[ -x "$BUILD_DIR/$BENCH" ]] || fail "$BUILD_DIR/$BENCH not found; build it first (or set VARNELL_BUILD)"
cp "$BUILD_DIR/$BENCH" "$WORK_DIR/bin/"

# The tree: ten distinct recordings copied into every album, and a cover beside them that is not
# sound, so the scan passes over one file per album.
readonly TREE="$WORK_DIR/Lib"
mkdir -p "$WORK_DIR/samples"
for ((tone = 0; tone < 10; ++tone)); do
  "$MAKE_SAMPLE" "$WORK_DIR/samples/$tone.m4a" --seconds "$SECONDS_PER_FILE" --rate 44100 \
    --channels 2 --tone $((330 + 55 * tone)) >/dev/null 2>&1 || fail "varnell-make-sample failed"
done
python3 - "$WORK_DIR/samples" "$TREE" "$ARTISTS" "$ALBUMS" "$TRACKS" <<'PY'
import os, shutil, sys
samples, tree, artists, albums, tracks = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:])
for artist in range(1, artists + 1):
    for album in range(1, albums + 1):
        folder = os.path.join(tree, f"Artist {artist}", f"Album {album}")
        os.makedirs(folder)
        for track in range(1, tracks + 1):
            shutil.copyfile(os.path.join(samples, f"{track % 10}.m4a"),
                            os.path.join(folder, f"Track {track}.m4a"))
        with open(os.path.join(folder, "cover.jpg"), "w") as cover:
            cover.write("not a picture\n")
PY
readonly SOUND_FILES=$((ARTISTS * ALBUMS * TRACKS))
echo "tree: $SOUND_FILES sound files in $((ARTISTS * ALBUMS)) albums, $((ARTISTS * ALBUMS)) covers"

value_of() { awk -v name="$1" '$1 == name { print $2 }' "$2"; }

# The window: the folder chosen in the (scripted) folder dialog, the rows until the last one.
window_log="$WORK_DIR/window.log"
window_run="$(QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy run_measured "$window_log" \
  "$WORK_DIR/bin/$BENCH" "$TREE" --expect "$SOUND_FILES")"
read -r window_wall window_cpu window_other <<<"$window_run"

# varnell-convert --info over the whole tree: the same scan and probes, one line per field.
info_log="$WORK_DIR/info.log"
read -r info_wall info_cpu info_other <<<"$(run_measured "$info_log" "$CONVERT" --info "$TREE")"
info_files="$(grep -c '^Source file: ' "$info_log" || true)"
[[ "$info_files" == "$SOUND_FILES" ]] || fail "--info described $info_files of $SOUND_FILES files"

# The ffprobe tool over the first PROBE_FILES files of the tree in the scan's order (a process per
# file is slow; the ratio is per file).
mapfile -t ordered < <(grep '^Source file: ' "$info_log" | cut -d' ' -f3- | head -n "$PROBE_FILES")
# shellcheck disable=SC2016  # expanded by the child bash
probe_run="$(run_measured "$WORK_DIR/ffprobe.log" bash -c \
  'for f in "$@"; do ffprobe -v error -show_entries format=duration -of csv=p=0 "$f" || exit 1; done' \
  ffprobe-walk "${ordered[@]}")"
read -r probe_wall probe_cpu probe_other <<<"$probe_run"
probe_count="${#ordered[@]}"

# Converting the first CONVERT_ALBUMS albums of the first artist, one file at a time on both
# sides, each into its album's folder below the output folder.
convert_sources=()
for ((album = 1; album <= CONVERT_ALBUMS; ++album)); do convert_sources+=("$TREE/Artist 1/Album $album"); done
convert_files=$((CONVERT_ALBUMS * TRACKS))
read -r -a format_args <<<"$(varnell_format_args mp3)"
mkdir -p "$WORK_DIR/out-varnell"
convert_log="$WORK_DIR/convert.log"
read -r convert_wall convert_cpu convert_other <<<"$(run_measured "$convert_log" "$CONVERT" \
  "${format_args[@]}" --jobs 1 --output-dir "$WORK_DIR/out-varnell" "${convert_sources[@]}")"
grep -q "^$convert_files completed, 0 failed" "$convert_log" || fail "varnell-convert: $(tail -n 1 "$convert_log")"
written="$(find "$WORK_DIR/out-varnell" -name '*.mp3' | wc -l)"
[[ "$written" == "$convert_files" ]] || fail "varnell-convert wrote $written of $convert_files files"

# shellcheck disable=SC2016  # expanded by the child bash
readonly FFMPEG_TREE_LOOP='
read -r -a codec_args <<<"$FFMPEG_CODEC_ARGS"
out_dir="$1"; shift
for album in "$@"; do
  base="$(dirname "$album")"
  while IFS= read -r -d "" source; do
    relative="${source#"$base"/}"
    mkdir -p "$out_dir/$(dirname "$relative")"
    ffmpeg -nostdin -v error -i "$source" -map 0:a:0 "${codec_args[@]}" \
      "$out_dir/${relative%.*}.mp3" || exit 1
  done < <(find "$album" -name "*.m4a" -print0 | sort -z)
done'
mkdir -p "$WORK_DIR/out-ffmpeg"
read -r ffmpeg_wall ffmpeg_cpu ffmpeg_other <<<"$(FFMPEG_CODEC_ARGS="$(ffmpeg_codec_args mp3)" \
  run_measured "$WORK_DIR/ffmpeg.log" bash -c "$FFMPEG_TREE_LOOP" ffmpeg-tree \
  "$WORK_DIR/out-ffmpeg" "${convert_sources[@]}")"

per_file_ms() { python3 -c 'import sys; print(f"{1000 * float(sys.argv[1]) / int(sys.argv[2]):.2f}")' "$@"; }
last_row="$(value_of last_row_s "$window_log")"
stall="$(value_of longest_stall_ms "$window_log")"
click_wait="$(value_of longest_click_wait_ms "$window_log")"
info_ms="$(per_file_ms "$info_wall" "$SOUND_FILES")"
window_ms="$(per_file_ms "$last_row" "$SOUND_FILES")"
probe_ms="$(per_file_ms "$probe_wall" "$probe_count")"

echo
echo "window: add folder of $SOUND_FILES files (wall $window_wall s, cpu $window_cpu s, other $window_other s)"
echo "  last row after          $last_row s   goal <= 30: $(verdict "$last_row" "<=" 30)"
echo "  longest stall           $stall ms   goal <= 100: $(verdict "$stall" "<=" 100)"
echo "    of it working         $(value_of longest_stall_cpu_ms "$window_log") ms (the rest: other processes had the cores)"
echo "  longest work between ticks  $(value_of longest_busy_ms "$window_log") ms   goal <= 100: $(verdict "$(value_of longest_busy_ms "$window_log")" "<=" 100)"
echo "  longest click wait      $click_wait ms   goal <= 100: $(verdict "$click_wait" "<=" 100)"
echo "  clicks during the scan  $(value_of clicks_during_scan "$window_log") of $(value_of clicks "$window_log")"
echo "reading the tree, per file:"
echo "  window scan             $window_ms ms"
echo "  varnell-convert --info  $info_ms ms (wall $info_wall s, cpu $info_cpu s, other $info_other s)"
echo "  ffprobe, $probe_count files      $probe_ms ms (wall $probe_wall s, cpu $probe_cpu s, other $probe_other s)"
echo "  ratio --info / ffprobe  $(ratio "$info_ms" "$probe_ms")   goal <= 1: $(verdict "$(ratio "$info_ms" "$probe_ms")" "<=" 1)"
echo "  ratio window / ffprobe  $(ratio "$window_ms" "$probe_ms")   goal <= 1: $(verdict "$(ratio "$window_ms" "$probe_ms")" "<=" 1)"
echo "converting $convert_files files to MP3 $BITRATE_KBPS kb/s into their tree, one at a time:"
echo "  varnell-convert         $convert_wall s (cpu $convert_cpu s, other $convert_other s)"
echo "  ffmpeg                  $ffmpeg_wall s (cpu $ffmpeg_cpu s, other $ffmpeg_other s)"
echo "  wall ratio              $(ratio "$convert_wall" "$ffmpeg_wall")   goal <= 1.02: $(verdict "$(ratio "$convert_wall" "$ffmpeg_wall")" "<=" 1.02)"
