#!/usr/bin/env bash
# `cmake --install` into a DESTDIR staging folder under a prefix the build never saw, then:
# the installed files are all there, the programs find the player library through their own
# RUNPATH (no LD_LIBRARY_PATH), the staged varnell-convert converts a generated file, nothing
# in the tree names the build or source folder, and the desktop files pass their validators.
#   staged_tree_runs.sh BUILD_DIR SOURCE_DIR VARNELL_MAKE_SAMPLE --gui|--no-gui
set -euo pipefail
build_dir="$(cd "$1" && pwd)"
source_dir="$(cd "$2" && pwd)"
make_sample="$3"
gui="$4"
# A sanitizer build records the paths of its sources in the instrumented code itself.
sanitized="${5:-}"

work="$(mktemp -d "${TMPDIR:-/tmp}/varnell-install-test.XXXXXX")"
trap 'rm -rf "$work"' EXIT
stage="$work/stage"
prefix=/opt/varnell-staged
root="$stage$prefix"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# --strip as the package does: debugging information legitimately names the source files.
DESTDIR="$stage" cmake --install "$build_dir" --prefix "$prefix" --strip >"$work/install.log"

expected=(bin/varnell-convert share/man/man1/varnell-convert.1.gz share/doc/varnell/copyright
  share/doc/varnell/changelog.gz)
programs=(bin/varnell-convert)
if [[ "$gui" == --gui ]]; then
  expected+=(bin/varnell lib/varnell/libplayermodule.so share/varnell/help.html
    share/varnell/translations/varnell_de.qm
    share/man/man1/varnell.1.gz share/applications/varnell.desktop
    share/metainfo/com.example.varnell.metainfo.xml share/icons/hicolor/scalable/apps/varnell.svg
    share/icons/hicolor/48x48/apps/varnell.png share/icons/hicolor/128x128/apps/varnell.png
    share/icons/hicolor/256x256/apps/varnell.png)
  programs+=(bin/varnell)
fi
for file in "${expected[@]}"; do [[ -s "$root/$file" ]] || fail "not installed: $file"; done
# Only what a user runs: no test or benchmark program, nothing else.
unexpected="$(cd "$root" && find . -type f | sed 's|^\./||' | sort | comm -13 <(printf '%s\n' "${expected[@]}" | sort) -)"
[[ -z "$unexpected" ]] || fail "installed but not expected: $unexpected"

for program in "${programs[@]}"; do
  runpath="$(readelf -d "$root/$program" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')"
  [[ "$runpath" == '$ORIGIN/../lib/varnell' ]] || fail "$program has RUNPATH '$runpath'"
  if unresolved="$(env -u LD_LIBRARY_PATH ldd "$root/$program" | grep 'not found')"; then
    fail "$program cannot find: $unresolved"
  fi
done
if [[ "$gui" == --gui ]]; then
  # Captured first: grep -q stops reading early, and under pipefail the SIGPIPE that ldd then
  # gets would fail the check whenever ldd is slower than grep.
  libraries="$(env -u LD_LIBRARY_PATH ldd "$root/bin/varnell")"
  grep -qF "$root/bin/../lib/varnell/libplayermodule.so" <<<"$libraries" ||
    fail "bin/varnell does not load the staged player library"
fi

for folder in "$build_dir" "$source_dir"; do
  [[ "$sanitized" == --sanitized ]] && break
  if named="$(grep -rlF "$folder" "$stage")"; then fail "files naming $folder: $named"; fi
done

"$make_sample" "$work/tone.m4a" --seconds 1 >/dev/null
mkdir "$work/out"
if env -u LD_LIBRARY_PATH "$root/bin/varnell-convert" --output-dir "$work/out" "$work/tone.m4a" >"$work/convert.log"; then
  [[ -s "$work/out/tone.mp3" ]] || fail "the staged varnell-convert wrote no tone.mp3: $(cat "$work/convert.log")"
else
  fail "the staged varnell-convert failed: $(cat "$work/convert.log")"
fi

skipped=()
if [[ "$gui" == --gui ]]; then
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/varnell.desktop" || fail "desktop-file-validate"
  else
    skipped+=("desktop-file-validate is not installed (scripts/setup.sh installs it)")
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/share/metainfo/com.example.varnell.metainfo.xml" >"$work/appstream.log" ||
      fail "appstreamcli validate: $(cat "$work/appstream.log")"
  else
    skipped+=("appstreamcli is not installed (scripts/setup.sh installs it)")
  fi
fi

((failures == 0)) || exit 1
if ((${#skipped[@]} > 0)); then
  printf 'skipped: %s\n' "${skipped[@]}"
  exit 77
fi
echo "the staged install is complete and runs"
