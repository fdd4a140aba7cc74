#!/usr/bin/env bash
# tintora-check in the person's language, run as a person runs it, on a set
# of small bad pictures (tests/language/pictures):
# - in C, POSIX, and with no language set at all, every byte is as the
#   English checker always wrote it (checker_c.expected, kept from before it
#   spoke any other language);
# - under LANG=de_DE.UTF-8, with or without LANGUAGE=de, it speaks German;
#   LANGUAGE picks among several; a language with no catalogue, or a
#   locale the machine lacks, is English;
# - Russian and Polish get the right one of their three plural forms;
# - the numbers, the exit status and the file names are the same in every
#   language, and the painter's own message (a file it cannot read) stays
#   English.
#   checker_language_test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
checker=$(cd "$1" && pwd)/tintora-check
pictures=$(cd "$2" && pwd)/tests/language/pictures
expected_c=$pictures/../checker_c.expected
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

Fail() {
    printf 'FAIL: %s\n' "$*"
    failures=$((failures + 1))
}

# Every run of checker_c.expected, in the environment given, as one text.
Runs() {
    (
        cd "$pictures" || exit 1
        for f in *.txt; do
            echo "== $f"; env "$@" "$checker" "$f" 2>&1; echo "status $?"
        done
        echo "== usage"; env "$@" "$checker" 2>&1; echo "status $?"
        echo "== over"; env "$@" "$checker" --preview box.txt box.txt 2>&1; echo "status $?"
        echo "== empty"; env "$@" "$checker" --regions "" box.txt 2>&1; echo "status $?"
        echo "== missing"; env "$@" "$checker" nothere.txt 2>&1; echo "status $?"
    ) | sed "s|$pictures|FOLDER|g"
}

# The environment without any say on the language, then the one given.
Clean_env() {
    echo -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG -u LC_CTYPE -u LC_NUMERIC
}

for setting in "LANG=C" "LC_ALL=POSIX" "LANGUAGE=de" "LANG=C LANGUAGE=de" ""; do
    # shellcheck disable=SC2046,SC2086
    Runs $(Clean_env) $setting >"$work/c.out"
    if ! cmp -s "$expected_c" "$work/c.out"; then
        Fail "with '${setting:-nothing}' set the checker's output changed from the English one:"
        diff "$expected_c" "$work/c.out" | head -20
    fi
done
[ "$failures" -eq 0 ] && echo "ok: in C, POSIX and with no language, the output is byte for byte the English one"

# Phrases each run must hold; one table for every language. A line is
# SETTING<TAB>FILE<TAB>PHRASE.
while IFS=$'\t' read -r setting file phrase; do
    [ -z "$setting" ] && continue
    # shellcheck disable=SC2046,SC2086
    out=$(cd "$pictures" && env $(Clean_env) $setting "$checker" $file 2>&1)
    if [[ "$out" != *"$phrase"* ]]; then
        Fail "with $setting, '$file' does not say '$phrase'; it says:"
        printf '%s\n' "$out" | head -5
    fi
done <<'EOF_TABLE'
LANG=de_DE.UTF-8	comma.txt	comma.txt:3:3: warning: ein Leerzeichen vor einem Komma beendet Paletteneintrag 3 nach seiner ersten Zahl: er enthält 30,0,0 (Grün und Blau sind 0)
LANG=de_DE.UTF-8	what.txt	what.txt:10:5: warning: 'X' (nur ein kleines 'x' zeichnet Umriss) gehört nicht zu einem Bild: das Programm antwortet darauf mit "WHAT?"
LANG=de_DE.UTF-8	box.txt	box.txt: 4 Reihen benutzt, 8 Umrisskästchen, 2 Flächen; die kleinste hat 1 Kästchen, bei Spalte 3, Reihe 3
LANG=de_DE.UTF-8 LANGUAGE=de	edges.txt	edges.txt:12:1: note: ab Zeile 12 wird jede Zeile 1 Reihe tiefer gezeichnet
LC_ALL=de_DE.UTF-8	range.txt	range.txt:3:1: warning: Paletteneintrag 3: Rot hat den Wert 300, außerhalb von 0 bis 255; gezeigt wird 44 (das Farbfeld zeigt 44,255,112)
LC_MESSAGES=de_DE.UTF-8	ctrlz.txt	ctrlz.txt:11:1: warning: ein Strg-Z-Zeichen beendet hier den Text, wie unter Windows: die 3 nicht leeren Bytes danach werden nie gelesen
LANG=de_DE.UTF-8		Aufruf: tintora-check [--preview AUSGABE.png] [--regions AUSGABE.png] BILD.txt...
LANG=de_DE.UTF-8	--preview box.txt box.txt	tintora-check: --preview box.txt würde das Bild box.txt überschreiben
LANG=de_DE.UTF-8	nothere.txt	Tintora: cannot read the picture file "nothere.txt" in
LANG=de_DE.UTF-8 LANGUAGE=fr:de	swatches.txt	swatches.txt:1:1: warning: l'entrée 1 de la palette (20,20,20) est la couleur des contours
LANG=de_DE.UTF-8 LANGUAGE=xx:de	short.txt	short.txt:2:4: warning: die Datei endet vor Paletteneintrag 3: die Einträge 3 bis 8 sind 0,0,0 (schwarz)
LANG=de_DE.UTF-8 LANGUAGE=xx	short.txt	short.txt:2:4: warning: the file ends before palette entry 3: entries 3 to 8 are 0,0,0 (black)
LANG=xx_YY.UTF-8	short.txt	short.txt:2:4: warning: the file ends before palette entry 3: entries 3 to 8 are 0,0,0 (black)
LANG=fr_FR.UTF-8	box.txt	box.txt : 4 rangées utilisées, 8 cases de contour, 2 zones ; la plus petite a 1 case, à la colonne 3, rangée 3
LANG=ru_RU.UTF-8	box.txt	box.txt: 4 ряда занято, 8 клеток контура, 2 области; в самой маленькой 1 клетка, в столбце 3, ряду 3
LANG=ru_RU.UTF-8	what.txt	what.txt: 1 ряд занят, 1 клетка контура, 1 область; в самой маленькой 1443 клетки
LANG=ru_RU.UTF-8	bottom.txt	bottom.txt: 39 рядов занято, 0 клеток контура, 1 область; в самой маленькой 1444 клетки
LANG=ru_RU.UTF-8	ctrlz.txt	ctrlz.txt:11:1: warning: символ Ctrl-Z обрывает здесь текст, как в Windows: 3 непустых байта после него никогда не читаются
LANG=pl_PL.UTF-8	edges.txt	edges.txt: 4 rzędy użyte, 78 kratek konturu, 1 obszar; najmniejszy ma 1366 kratek
LANG=pl_PL.UTF-8	box.txt	box.txt: 4 rzędy użyte, 8 kratek konturu, 2 obszary; najmniejszy ma 1 kratkę
LANG=pl_PL.UTF-8 LANGUAGE=uk	bottom.txt	bottom.txt: 39 рядів зайнято, 0 клітинок контуру, 1 область; у найменшій 1444 клітинки
EOF_TABLE
[ "$failures" -eq 0 ] && echo "ok: each language's phrases and plural forms"

# The same numbers, places and status in every language: only the words change.
for setting in LANG=de_DE.UTF-8 LC_ALL=fr_FR.UTF-8 LANG=ru_RU.UTF-8 "LANG=pl_PL.UTF-8 LANGUAGE=pt_BR"; do
    # shellcheck disable=SC2046,SC2086
    Runs $(Clean_env) $setting >"$work/l.out"
    numbers_c=$(grep -o '^[^ ]*:[0-9]*:[0-9]*:\|^status [0-9]\|^==.*' "$expected_c")
    numbers_l=$(grep -o '^[^ ]*:[0-9]*:[0-9]*:\|^status [0-9]\|^==.*' "$work/l.out")
    if [ "$numbers_c" != "$numbers_l" ]; then
        Fail "with $setting the places or statuses differ from English"
    fi
    if cmp -s "$expected_c" "$work/l.out"; then
        Fail "with $setting the checker still speaks English"
    fi
done
[ "$failures" -eq 0 ] && echo "ok: German, French, Russian, Polish, Ukrainian and Portuguese, with the same places and statuses"
exit $((failures > 0))
