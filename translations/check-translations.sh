#!/usr/bin/env bash
# Fails while a translation is behind the sources: lupdate, run on the sources into a copy of
# each committed .ts, must find every message translated, none new, none gone, and leave the
# copy exactly as committed.
#   check-translations.sh LUPDATE SOURCE_LIST SOURCE_ROOT TS_FILE...
set -euo pipefail
lupdate="$1" source_list="$2" source_root="$3"
shift 3

work="$(mktemp -d /tmp/varnell-translations.XXXXXX)"
trap 'rm -rf "$work"' EXIT
failed=0
for ts_file in "$@"; do
  name="$(basename "$ts_file")"
  copy="$work/$name"
  cp "$ts_file" "$copy"
  "$lupdate" -silent -locations none -no-ui-lines -I "$source_root" "@$source_list" -ts "$copy" \
    >"$work/lupdate.log" 2>&1 || { cat "$work/lupdate.log" >&2; exit 1; }

  # Each message whose translation lupdate marks, with its context.
  awk '
    /<name>/ { context = $0; gsub(/.*<name>|<\/name>.*/, "", context) }
    /<message/ { message = "" }
    { message = message $0 "\n" }
    /<\/message>/ {
      if (match(message, /type="(unfinished|vanished|obsolete)"/)) {
        state = substr(message, RSTART + 6, RLENGTH - 7)
        source = message; sub(/.*<source>/, "", source); sub(/<\/source>.*/, "", source)
        printf "%s in %s: %s\n", state, context, source
      }
    }' "$copy" >"$work/marked"

  if [[ -s "$work/marked" ]]; then
    echo "$name: messages to translate or remove (build the varnell_lupdate target, then" \
      "translate the unfinished ones and delete the vanished ones):" >&2
    cat "$work/marked" >&2
    failed=1
  fi
  if ! diff -u "$ts_file" "$copy" >"$work/diff"; then
    echo "$name is not as lupdate writes it for these sources:" >&2
    head -40 "$work/diff" >&2
    failed=1
  fi
done
exit "$failed"
