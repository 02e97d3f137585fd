#!/usr/bin/env bash
# Checks that translation files are whole: lupdate reads the sources into a copy of each, and the
# copy must hold no unfinished or empty translation (a text of the sources left untranslated) and
# no vanished or obsolete one (a translation whose text the sources no longer have). Names the
# texts that are not. Exit status 77 where lupdate is not installed.
#   tools/check-translations.sh LUPDATE TS_FILE SOURCE_LIST [TS_FILE SOURCE_LIST]...
# SOURCE_LIST holds the sources one to a line, as lupdate's @file takes them.
set -euo pipefail
lupdate=$1
shift
command -v "$lupdate" >/dev/null || { echo "check-translations: lupdate is not installed" >&2; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
while [ $# -ge 2 ]; do
  ts=$1 list=$2
  shift 2
  copy=$work/$(basename "$ts")
  cp "$ts" "$copy"
  "$lupdate" -silent -source-language it_IT -locations none "@$list" -ts "$copy"
  # One message at a time: its source's first line, then whether its translation is whole.
  faults=$(awk '
    /<message/ { source = "" }
    /<source>/ { source = $0; sub(/.*<source>/, "", source); sub(/<\/source>.*/, "", source) }
    /<translation type="(unfinished|vanished|obsolete)"/ {
      match($0, /type="[a-z]+"/); print substr($0, RSTART + 6, RLENGTH - 7) ": " source; next }
    /<translation><\/translation>|<translation\/>/ { print "empty: " source }
  ' "$copy")
  if [ -n "$faults" ]; then
    echo "$ts is not whole:"
    echo "$faults"
    status=1
  else
    echo "$ts: every message translated, none left over"
  fi
done
[ $status -eq 0 ] || echo "run the update_translations target, translate what it marks unfinished and commit the .ts"
exit $status
