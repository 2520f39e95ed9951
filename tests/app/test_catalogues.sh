#!/usr/bin/env bash
# Every text the code passes through translation has a finished entry in both catalogues: lupdate
# merges the sources into copies of them, and any text it had to add is marked unfinished.
# Usage: test_catalogues.sh SOURCE_DIR LUPDATE
set -euo pipefail
src=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for catalogue in LANG_English.ts LANG_Poland.ts; do
  cp "$src/Res/$catalogue" "$scratch/"
  "$2" "$src"/{app,serial,device,protocol,ticket,firmware} -no-obsolete -locations none -ts "$scratch/$catalogue" \
    > "$scratch/lupdate.log" 2>&1 || { cat "$scratch/lupdate.log"; exit 1; }
  grep -q '<message>' "$scratch/$catalogue" || { echo "FAIL: lupdate found no texts"; exit 1; }
  if grep -B2 'type="unfinished"' "$scratch/$catalogue" | grep '<source>'; then
    echo "FAIL: untranslated in $catalogue (above)"
    status=1
  fi
done
exit $status
