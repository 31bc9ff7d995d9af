#!/usr/bin/env bash
# The .ts sources hold every text the windows translate, and no text the
# program no longer has: lupdate is run over src/ into copies of them, and
# any text it finds new (unfinished) or gone (vanished) fails, named.
#
#   translations_current.sh SOURCE_DIR LUPDATE
set -uo pipefail
source_dir=${1:?the source folder}
lupdate=${2:?lupdate}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$source_dir"/translations/*.ts "$work"/
"$lupdate" -silent -locations none "$source_dir/src" -ts "$work"/*.ts || exit 1
failed=0
for ts in "$work"/*.ts; do
    if grep -q 'type="unfinished"\|type="vanished"\|type="obsolete"' "$ts"; then
        echo "$(basename "$ts"): texts to translate or to remove (run lupdate, see README \"Languages\"):" >&2
        grep -B2 'type="unfinished"\|type="vanished"\|type="obsolete"' "$ts" | grep '<source>' >&2
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "$(ls "$work"/*.ts | wc -l) translations, every text translated"
exit "$failed"
