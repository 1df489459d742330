#!/usr/bin/env bash
# Every option that `varnell-convert --help` lists has an entry in its manual page, so a new
# option cannot ship undocumented.
#   help_options_in_manual.sh VARNELL_CONVERT MANUAL_PAGE
set -euo pipefail
convert="$1"
manual="$2"

help_text="$("$convert" --help)"
# The options are the words starting with "--" at the start of a usage line.
mapfile -t options < <(grep -oE '^ +--[a-z][a-z-]*' <<<"$help_text" | tr -d ' ' | sort -u)
if ((${#options[@]} < 5)); then
  echo "found only ${#options[@]} options in --help:" >&2
  echo "$help_text" >&2
  exit 1
fi

# An entry is the tag line under a .TP; roff writes each dash of an option as \-.
tags="$(awk '/^\.TP/ { if (getline > 0) print }' "$manual" | sed 's/\\-/-/g')"
missing=()
for option in "${options[@]}"; do
  grep -qE -- "(^|[ \"])${option}([ \",]|\$)" <<<"$tags" || missing+=("$option")
done
if ((${#missing[@]} > 0)); then
  echo "options of --help without an entry in $manual: ${missing[*]}" >&2
  exit 1
fi
echo "${#options[@]} options of --help, each with an entry in the manual page"
