#!/usr/bin/env bash
# The manual pages stand on their own, so they repeat what the picture
# format's reference (docs/picture-format.md) says of each program's
# messages and exit statuses. Each table there marked
# "<!-- messages: PROGRAM -->" must agree with PROGRAM's manual page: every
# message in it appears in the rendered page, and the page's EXIT STATUS
# section lists exactly the table's statuses.
#   manual_drift_test.sh SOURCE_DIR
set -uo pipefail
source_dir=$1
reference=$source_dir/docs/picture-format.md
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

programs=$(sed -n 's/^<!-- messages: \([a-z-]*\) -->$/\1/p' "$reference")
[ -n "$programs" ] || fail "$reference has no table marked <!-- messages: PROGRAM -->"
for program in $programs; do
    page=$(ls "$source_dir"/docs/man/"$program".[1-9].in 2>/dev/null | head -n 1)
    [ -n "$page" ] || { fail "$program: no manual page docs/man/$program.N.in"; continue; }
    # The page as a reader sees it, one line, blanks collapsed.
    text=$(MANWIDTH=1000 man -l "$page" 2>/dev/null | col -b | tr -s ' \t\n' '   ')
    table=$(sed -n "/^<!-- messages: $program -->\$/,/^<!-- \\/messages -->\$/p" "$reference" | grep '^| ' | tail -n +2)
    while IFS= read -r row; do
        message=$(sed -n 's/^| `\([^`]*\)` |.*/\1/p' <<<"$row")
        [ -n "$message" ] || continue
        if [[ "$text" == *"$message"* ]]; then
            echo "ok: $program: \"$message\""
        else
            fail "$program: the reference's message \"$message\" is not in ${page#"$source_dir"/}"
        fi
    done <<<"$table"
    table_statuses=$(awk -F'|' '{ s = $(NF - 1); gsub(/ /, "", s); if (s ~ /^[0-9]+$/) print s }' <<<"$table" | sort -u | tr '\n' ' ')
    page_statuses=$(sed -n '/^\.SH "EXIT STATUS"/,/^\.SH [^"]/p' "$page" | sed -n 's/^\.B \([0-9][0-9]*\)$/\1/p' | sort -u | tr '\n' ' ')
    if [ "$table_statuses" = "$page_statuses" ]; then
        echo "ok: $program: exit statuses $table_statuses"
    else
        fail "$program: the reference gives exit statuses '$table_statuses', ${page#"$source_dir"/} '$page_statuses'"
    fi
done
exit $((failures > 0))
