#!/usr/bin/env bash
# The translations as a translator leaves them: the template made from
# today's sources (scripts/update-pot) is the one in po/, but for its date;
# every catalogue of po/LINGUAS is complete (msgfmt --check --statistics
# tells no fuzzy or untranslated message, and msgcmp finds every message
# of the template translated) and keeps its values (po_check.py).
#   po_test.sh SOURCE_DIR
set -uo pipefail
source_dir=$(cd "$1" && pwd)
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

Fail() {
    printf 'FAIL: %s\n' "$*"
    failures=$((failures + 1))
}

Without_date() {
    grep -v '^"POT-Creation-Date: ' "$1"
}

if ! "$source_dir/scripts/update-pot" "$work/tintora.pot"; then
    Fail "scripts/update-pot cannot make the template"
elif ! diff <(Without_date "$source_dir/po/tintora.pot") <(Without_date "$work/tintora.pot") >"$work/pot.diff"; then
    Fail "po/tintora.pot is not the template of today's sources: run scripts/update-pot, then msgmerge each language (docs/translating.md)"
    head -30 "$work/pot.diff"
else
    echo "ok: po/tintora.pot is the template of today's sources"
fi

languages=$(grep -v '^#' "$source_dir/po/LINGUAS")
for language in $languages; do
    po=$source_dir/po/$language.po
    if ! statistics=$(msgfmt --check --statistics -o /dev/null "$po" 2>&1); then
        Fail "$language.po does not pass msgfmt --check: $statistics"
    elif [[ "$statistics" == *fuzzy* || "$statistics" == *untranslated* ]]; then
        Fail "$language.po is not complete: $statistics"
    fi
    if ! msgcmp "$po" "$source_dir/po/tintora.pot" 2>"$work/msgcmp"; then
        Fail "$language.po lacks messages of the template:"
        head -10 "$work/msgcmp"
    fi
done
[ "$failures" -eq 0 ] && echo "ok: every catalogue ($(echo $languages)) is complete"

python3 "$source_dir/tests/language/po_check.py" --self-test || failures=$((failures + 1))
python3 "$source_dir/tests/language/po_check.py" "$source_dir/po" || failures=$((failures + 1))
exit $((failures > 0))
