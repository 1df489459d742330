#!/usr/bin/env bash
# Fails while a translation is behind the sources: lupdate, run on the sources into a copy of
# the committed .ts, must find every message translated, none new, none gone, and leave the
# copy exactly as committed.
#   check-translations.sh LUPDATE TS_FILE SOURCE_LIST SOURCE_ROOT
set -euo pipefail
lupdate="$1" ts_file="$2" source_list="$3" source_root="$4"

work="$(mktemp -d /tmp/varnell-translations.XXXXXX)"
trap 'rm -rf "$work"' EXIT
copy="$work/$(basename "$ts_file")"
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

failed=0
if [[ -s "$work/marked" ]]; then
  echo "$(basename "$ts_file"): messages to translate or remove (run the varnell_lupdate target," \
    "then translate the unfinished ones and delete the vanished ones):" >&2
  cat "$work/marked" >&2
  failed=1
fi
if ! diff -u "$ts_file" "$copy" >"$work/diff"; then
  echo "$(basename "$ts_file") is not as lupdate writes it for these sources:" >&2
  head -40 "$work/diff" >&2
  failed=1
fi
exit "$failed"
