#!/usr/bin/env bash
# Every relative link and image in README.md and docs/**/*.md must lead
# somewhere: the file or folder exists, and a #place names a heading of the
# Markdown file it points into (as the heading's anchor is made on the
# project's pages: lower case, punctuation dropped, blanks as hyphens).
# Links to other sites are not followed. Code blocks are skipped.
#   doc_links_test.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 2
failures=0

# The anchors of a Markdown file's headings, one per line.
Anchors() {
    awk '/^ *```/ { code = !code; next }
         !code && /^#+ / {
             h = $0; sub(/^#+ +/, "", h); sub(/ +#*$/, "", h)
             h = tolower(h); gsub(/[^a-z0-9 _-]/, "", h); gsub(/ /, "-", h)
             n = seen[h]++; print (n ? h "-" n : h)
         }' "$1"
}

# "LINE TARGET" for every link and image of a Markdown file.
Links() {
    awk '/^ *```/ { code = !code; next }
         !code {
             s = $0; gsub(/`[^`]*`/, "", s)
             while (match(s, /\]\([^) ]+\)/)) {
                 print FNR, substr(s, RSTART + 2, RLENGTH - 3)
                 s = substr(s, RSTART + RLENGTH)
             }
         }' "$1"
}

files=$( { echo README.md; find docs -name '*.md'; } | sort)
count=0
for file in $files; do
    dir=$(dirname "$file")
    while read -r line target; do
        [ -n "$target" ] || continue
        case $target in
            http://* | https://* | mailto:*) continue ;;
        esac
        count=$((count + 1))
        path=${target%%#*}
        anchor=""
        [ "$path" = "$target" ] || anchor=${target#*#}
        if [ -z "$path" ]; then
            resolved=$file
        else
            resolved=$dir/$path
        fi
        if [ ! -e "$resolved" ]; then
            echo "FAIL: $file:$line: $target: there is no $resolved"
            failures=$((failures + 1))
            continue
        fi
        if [ -n "$anchor" ]; then
            case $resolved in
                *.md)
                    if ! Anchors "$resolved" | grep -Fxq -- "$anchor"; then
                        echo "FAIL: $file:$line: $target: $resolved has no heading with the anchor #$anchor"
                        failures=$((failures + 1))
                    fi ;;
            esac
        fi
    done < <(Links "$file")
done
echo "$count relative links in $(wc -w <<<"$files") files checked, $failures broken"
exit $((failures > 0))
