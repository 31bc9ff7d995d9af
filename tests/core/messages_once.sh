#!/usr/bin/env bash
# Each of the program's message texts is written once under src/: in
# src/core/messages.h, where the window and the command line both take it
# from. A second copy of a text as a string, in code or quoted in a comment,
# fails, and so does a catalogue that has lost its texts.
#
#   messages_once.sh SOURCE_DIR
set -uo pipefail
src=${1:?the source folder}/src
catalogue=$src/core/messages.h

# The string literals of the catalogue, as the source spells them: the
# windows' texts are marked for the translators (QT_TRANSLATE_NOOP("Messages",
# "...")), the few that stay English everywhere (the line's trace) are not.
mapfile -t texts < <(
    tr '\n' ' ' <"$catalogue" \
        | grep -o 'QStringLiteral( *\(QT_TRANSLATE_NOOP("Messages", *\)\?"\([^"\\]\|\\.\)*")' \
        | sed 's/^QStringLiteral( *//; s/^QT_TRANSLATE_NOOP("Messages", *//; s/)$//')
if [ "${#texts[@]}" -lt 20 ]; then
    echo "only ${#texts[@]} texts found in $catalogue" >&2
    exit 1
fi

failed=0
# Every text marked for the translators is in kMessageCatalogue, which the
# windows translate from.
for name in $(tr '\n' ' ' <"$catalogue" | grep -o 'inline const QString k[A-Za-z]* = QStringLiteral(QT_TRANSLATE_NOOP' \
                  | sed 's/^inline const QString //; s/ .*//'); do
    if ! grep -q "&$name\b" "$catalogue"; then
        echo "$name is missing from kMessageCatalogue" >&2
        failed=1
    fi
done
for text in "${texts[@]}"; do
    count=$(grep -rF --include='*.h' --include='*.cpp' -- "$text" "$src" | wc -l)
    if [ "$count" -ne 1 ]; then
        echo "$text: written $count times under src/" >&2
        grep -rnF --include='*.h' --include='*.cpp' -- "$text" "$src" >&2
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "${#texts[@]} message texts, each written once"
exit "$failed"
