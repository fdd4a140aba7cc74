#!/usr/bin/env bash
# The painter never takes a language: its words ("WHAT?", "OMG NO WINDOW")
# and its reading of numbers are the same for everyone, so it calls neither
# setlocale nor gettext (the e2e tests also run it in German and Russian
# sessions). The checker, which does speak the person's language, shows
# that the look finds such calls.
#   painter_untranslated_test.sh BUILD_DIR
set -uo pipefail
failures=0
Locale_calls() {
    nm -D --undefined-only "$1" | grep -oE '\b(setlocale|uselocale|newlocale|textdomain|bindtextdomain|[dn]*gettext)\b' | sort -u | tr '\n' ' '
}
calls=$(Locale_calls "$1/tintora-check")
if [[ "$calls" != *setlocale* || "$calls" != *dgettext* ]]; then
    echo "FAIL: the look finds no setlocale or gettext in tintora-check: '$calls'"
    failures=$((failures + 1))
fi
calls=$(Locale_calls "$1/tintora")
if [ -n "$calls" ]; then
    echo "FAIL: the painter calls $calls"
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] && echo "ok: the painter calls no setlocale and no gettext"
exit $((failures > 0))
