#!/usr/bin/env bash
# The main window as a screen reader sees it: the real varnell on a virtual X server, in a D-Bus
# session of its own with the accessibility bus, and a pyatspi client that lists the window's
# accessible tree and finds every control by name and role (main_window_over_atspi.py).
#   main_window_over_atspi.sh VARNELL_PROGRAM CLIENT_SCRIPT
# Exits 77 (skipped) when Xvfb, dbus-run-session, the accessibility bus or a python3 with
# pyatspi is missing: `scripts/setup.sh` installs them.
set -euo pipefail
program="$1"
client="$2"

skip() {
  echo "SKIPPED: $* (scripts/setup.sh installs xvfb, dbus-daemon, at-spi2-core, python3-pyatspi)"
  exit 77
}
command -v Xvfb >/dev/null || skip "no Xvfb"
command -v dbus-run-session >/dev/null || skip "no dbus-run-session"
[[ -x /usr/libexec/at-spi-bus-launcher ]] || skip "no at-spi-bus-launcher"
# pyatspi is a Debian package: the system python3 has it, another one on PATH may not.
python=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c "import pyatspi" 2>/dev/null; then
    python="$candidate"
    break
  fi
done
[[ -n "$python" ]] || skip "no python3 with pyatspi"

# The program keeps its output folder and settings beside itself: a copy in a folder of its own
# (it finds the player library through its RUNPATH) leaves the build tree as it was.
work="$(mktemp -d "${TMPDIR:-/tmp}/varnell-atspi.XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program/bin"
cp "$program" "$work/program/varnell"

export VARNELL_ATSPI_PROGRAM="$work/program/varnell" VARNELL_ATSPI_PYTHON="$python"
export VARNELL_ATSPI_CLIENT="$client" VARNELL_ATSPI_WORK="$work"
exec dbus-run-session -- bash -c '
  set -euo pipefail
  exec 3>"$VARNELL_ATSPI_WORK/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$VARNELL_ATSPI_WORK/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [[ -s "$VARNELL_ATSPI_WORK/display" ]] && break; sleep 0.1; done
  [[ -s "$VARNELL_ATSPI_WORK/display" ]] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$VARNELL_ATSPI_WORK/display")"
  env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 \
    "$VARNELL_ATSPI_PROGRAM" >"$VARNELL_ATSPI_WORK/varnell.log" 2>&1 &
  varnell=$!
  status=0
  "$VARNELL_ATSPI_PYTHON" "$VARNELL_ATSPI_CLIENT" "$varnell" || status=$?
  kill "$varnell" 2>/dev/null || true
  wait "$varnell" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  if [[ $status -ne 0 ]]; then
    echo "--- varnell said:" >&2
    cat "$VARNELL_ATSPI_WORK/varnell.log" >&2
  fi
  exit $status
'
