# Shared by the benchmark scripts: the tools snapshot, the measured runner, the sources and the
# arguments that make varnell-convert and the ffmpeg tool do the same work. The sourcing script
# sets FILE_COUNT, SECONDS_PER_FILE, BITRATE_KBPS and IDLE_WAIT_SECONDS first.

SCRIPT_NAME="$(basename "$0")"
readonly SCRIPT_NAME
readonly BUILD_DIR="${VARNELL_BUILD:-$SCRIPT_DIR/../build}"

fail() { echo "$SCRIPT_NAME: $*" >&2; exit 1; }

for tool in varnell-convert varnell-make-sample; do
  [[ -x "$BUILD_DIR/$tool" ]] || fail "$BUILD_DIR/$tool not found; build the project first (or set VARNELL_BUILD)"
done
command -v ffmpeg >/dev/null || fail "ffmpeg not found on PATH"
command -v python3 >/dev/null || fail "python3 not found on PATH"

WORK_DIR="$(mktemp -d "${TMPDIR:-/tmp}/varnell-bench.XXXXXX")"
readonly WORK_DIR
trap 'rm -rf "$WORK_DIR"' EXIT

# Snapshot of the tools: the build folder may be rebuilt while the benchmark runs, and every
# measurement must time the same binary.
mkdir -p "$WORK_DIR/bin"
cp "$BUILD_DIR/varnell-convert" "$BUILD_DIR/varnell-make-sample" "$WORK_DIR/bin/"
readonly CONVERT="$WORK_DIR/bin/varnell-convert"
readonly MAKE_SAMPLE="$WORK_DIR/bin/varnell-make-sample"

# Runs a command with its output captured in a log and prints "WALL_S CPU_S OTHER_CPU_S" for it.
# CPU time comes from wait4, so it covers the ffmpeg children of the sequential loop too; that is
# how we see whether any side used more than one core. OTHER is the machine's busy time during the
# run minus our own: anything else competing for the cores makes the parallel figures meaningless.
readonly RUNNER="$WORK_DIR/run_measured.py"
cat >"$RUNNER" <<'PY'
import os, subprocess, sys, time
def busy_seconds():
    with open("/proc/stat") as stat:
        fields = [int(value) for value in stat.readline().split()[1:]]
    idle = fields[3] + fields[4]
    return (sum(fields[:8]) - idle) / os.sysconf("SC_CLK_TCK")
log_path, command = sys.argv[1], sys.argv[2:]
with open(log_path, "wb") as log:
    busy_before, start = busy_seconds(), time.monotonic()
    child = subprocess.Popen(command, stdout=log, stderr=subprocess.STDOUT)
    _, status, usage = os.wait4(child.pid, 0)
    wall, busy = time.monotonic() - start, busy_seconds() - busy_before
own = usage.ru_utime + usage.ru_stime
print(f"{wall:.3f} {own:.3f} {max(0.0, busy - own):.3f}")
sys.exit(os.waitstatus_to_exitcode(status))
PY

# Blocks until the cores have been idle (under a tenth of a core busy) for one second, or until
# IDLE_WAIT_SECONDS have passed; a busy machine is then reported in the "other" row.
readonly IDLE_PROBE="$WORK_DIR/wait_for_idle.py"
cat >"$IDLE_PROBE" <<'PY'
import os, sys, time
def busy_seconds():
    with open("/proc/stat") as stat:
        fields = [int(value) for value in stat.readline().split()[1:]]
    return (sum(fields[:8]) - fields[3] - fields[4]) / os.sysconf("SC_CLK_TCK")
deadline = time.monotonic() + float(sys.argv[1])
while time.monotonic() < deadline:
    before = busy_seconds()
    time.sleep(1.0)
    if busy_seconds() - before < 0.1:
        break
PY

run_measured() {  # LOG COMMAND... -> "WALL CPU OTHER" on stdout; fails with the log shown on error
  local log="$1"; shift
  local result
  python3 "$IDLE_PROBE" "$IDLE_WAIT_SECONDS"
  if ! result="$(python3 "$RUNNER" "$log" "$@")"; then
    cat "$log" >&2
    fail "command failed: $*"
  fi
  echo "$result"
}

SOURCES=()
generate_sources() {
  mkdir -p "$WORK_DIR/src"
  local index
  for ((index = 0; index < FILE_COUNT; ++index)); do
    # Distinct tones so no two sources are byte-identical.
    local source="$WORK_DIR/src/track$index.m4a"
    "$MAKE_SAMPLE" "$source" --seconds "$SECONDS_PER_FILE" --rate 44100 --channels 2 \
      --tone $((330 + 55 * index)) >/dev/null 2>&1 || fail "varnell-make-sample failed for $source"
    SOURCES+=("$source")
  done
}

# ffmpeg arguments matching varnell-convert's settings for each format (the same encoder and
# encoder settings; the muxer comes from the extension on both sides). "mp3vbr" is MP3 at LAME
# quality V2, written as .mp3.
ffmpeg_codec_args() {
  case "$1" in
    mp3) echo "-c:a libmp3lame -b:a ${BITRATE_KBPS}k -ar 44100 -ac 2 -id3v2_version 3" ;;
    mp3vbr) echo "-c:a libmp3lame -q:a 2 -ar 44100 -ac 2 -id3v2_version 3" ;;
    wma) echo "-c:a wmav2 -b:a ${BITRATE_KBPS}k -ar 44100 -ac 2" ;;
    m4a | aac) echo "-c:a aac -b:a ${BITRATE_KBPS}k -ar 44100 -ac 2" ;;
    ogg) echo "-c:a libvorbis -b:a ${BITRATE_KBPS}k -ar 44100 -ac 2" ;;
    opus) echo "-c:a libopus -b:a ${BITRATE_KBPS}k -ar 48000 -ac 2" ;;
    flac) echo "-c:a flac -compression_level 5 -ar 44100 -ac 2" ;;
    wav) echo "-c:a pcm_s16le -ar 44100 -ac 2" ;;
    aiff) echo "-c:a pcm_s16be -ar 44100 -ac 2 -write_id3v2 1 -id3v2_version 3" ;;
  esac
}
varnell_format_args() {
  local common="--sample-rate 44100 --channels 2"
  case "$1" in
    mp3) echo "--format mp3 --encoder MP3 --bitrate $BITRATE_KBPS $common" ;;
    mp3vbr) echo "--format mp3 --encoder MP3 --vbr 2 $common" ;;
    wma) echo "--format wma --encoder WMA8 --bitrate $BITRATE_KBPS $common" ;;
    m4a | aac | ogg) echo "--format $1 --bitrate $BITRATE_KBPS $common" ;;
    opus) echo "--format opus --bitrate $BITRATE_KBPS --sample-rate 48000 --channels 2" ;;
    flac) echo "--format flac --compression-level 5 $common" ;;
    wav | aiff) echo "--format $1 $common" ;;
  esac
}
extension_of() {  # FORMAT -> the outputs' extension
  case "$1" in
    mp3vbr) echo mp3 ;;
    *) echo "$1" ;;
  esac
}

# shellcheck disable=SC2016  # expanded by the child bash, not here
readonly FFMPEG_LOOP='
extension="$1"; out_dir="$2"; shift 2
read -r -a codec_args <<<"$FFMPEG_CODEC_ARGS"
read -r -a thread_args <<<"$FFMPEG_THREAD_ARGS"
for source in "$@"; do
  name="$(basename "${source%.*}")"
  ffmpeg -nostdin -v error "${thread_args[@]}" -i "$source" -map 0:a:0 "${codec_args[@]}" \
    "$out_dir/$name.$extension" || exit 1
done'

# FFMPEG_THREAD_ARGS (optional) limits ffmpeg's threads.
run_ffmpeg_sequential() {  # FORMAT OUT_DIR SOURCES... -> "WALL CPU OTHER"
  local format="$1" out_dir="$2"; shift 2
  mkdir -p "$out_dir"
  FFMPEG_CODEC_ARGS="$(ffmpeg_codec_args "$format")" FFMPEG_THREAD_ARGS="${FFMPEG_THREAD_ARGS:-}" \
    run_measured "$out_dir.log" bash -c "$FFMPEG_LOOP" ffmpeg-loop "$(extension_of "$format")" \
    "$out_dir" "$@"
}

run_varnell() {  # FORMAT OUT_DIR JOBS_ARGS -> "WALL CPU OTHER"
  local format="$1" out_dir="$2" jobs_args="$3"
  mkdir -p "$out_dir"
  local -a format_args jobs
  read -r -a format_args <<<"$(varnell_format_args "$format")"
  read -r -a jobs <<<"$jobs_args"
  run_measured "$out_dir.log" "$CONVERT" "${format_args[@]}" "${jobs[@]}" \
    --output-dir "$out_dir" "${SOURCES[@]}"
}

median() { python3 -c 'import statistics, sys; print(f"{statistics.median(map(float, sys.argv[1:])):.3f}")' "$@"; }
ratio() { python3 -c 'import sys; print(f"{float(sys.argv[1]) / float(sys.argv[2]):.3f}")' "$1" "$2"; }
verdict() {  # VALUE OP GOAL
  python3 -c 'import operator, sys; v, op, g = sys.argv[1:]; ok = {"<=": operator.le, ">=": operator.ge}[op](float(v), float(g)); print("PASS" if ok else "MISS")' "$@"
}
