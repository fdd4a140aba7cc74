#!/usr/bin/env python3
"""What msgfmt does not check in the catalogues: that every translation
keeps the values of its English message ("{entry}", "{count}"; Text_fill
leaves a lost or misspelt one out of the message) and the program's own
words in double quotes ("WHAT?"), and that each language's Plural-Forms
picks the form its grammar needs for a table of numbers.
    po_check.py PO_DIR                check the catalogues of PO_DIR/LINGUAS
    po_check.py --self-test           first show that a bad catalogue is caught
"""
import gettext
import os
import re
import sys
import tempfile

# The form each number takes, by language: 1 apple, 2-4 apples (few),
# 5 apples (many) in the Slavic three; French and Brazilian Portuguese say
# "0 pomme" in the singular, German, Spanish and Italian in the plural.
plural_table = {
    "de": {0: 1, 1: 0, 2: 1, 5: 1, 21: 1},
    "es": {0: 1, 1: 0, 2: 1, 5: 1, 21: 1},
    "it": {0: 1, 1: 0, 2: 1, 5: 1, 21: 1},
    "fr": {0: 0, 1: 0, 2: 1, 5: 1, 21: 1},
    "pt_BR": {0: 0, 1: 0, 2: 1, 5: 1, 21: 1},
    "pl": {0: 2, 1: 0, 2: 1, 4: 1, 5: 2, 12: 2, 14: 2, 21: 2, 22: 1, 25: 2, 102: 1, 112: 2},
    "ru": {0: 2, 1: 0, 2: 1, 4: 1, 5: 2, 11: 2, 12: 2, 21: 0, 22: 1, 25: 2, 101: 0, 111: 2},
    "uk": {0: 2, 1: 0, 2: 1, 4: 1, 5: 2, 11: 2, 12: 2, 21: 0, 22: 1, 25: 2, 101: 0, 111: 2},
}


def unquote(text):
    escapes = {"n": "\n", "t": "\t", '"': '"', "\\": "\\"}
    return re.sub(r'\\(.)', lambda m: escapes.get(m.group(1), m.group(0)), text[1:-1])


def entries_of(path):
    """Each entry as (msgid, msgid_plural or None, [msgstr forms]), obsolete ones left out."""
    entries = []
    current = None
    field = None
    with open(path, encoding="utf-8") as po:
        for line in po:
            line = line.strip()
            if not line or line.startswith("#"):
                if current and current["msgstr"]:
                    entries.append(current)
                    current = None
                continue
            keyword, _, rest = line.partition(" ")
            if keyword == "msgid":
                if current and current["msgstr"]:
                    entries.append(current)
                current = {"msgid": unquote(rest), "plural": None, "msgstr": {}}
                field = ("msgid",)
            elif keyword == "msgid_plural":
                current["plural"] = unquote(rest)
                field = ("plural",)
            elif keyword.startswith("msgstr"):
                index = int(keyword[7:-1]) if "[" in keyword else 0
                current["msgstr"][index] = unquote(rest)
                field = ("msgstr", index)
            elif line.startswith('"'):
                if field[0] == "msgstr":
                    current["msgstr"][field[1]] += unquote(line)
                else:
                    current[field[0]] += unquote(line)
    if current and current["msgstr"]:
        entries.append(current)
    return [(e["msgid"], e["plural"], [e["msgstr"][k] for k in sorted(e["msgstr"])]) for e in entries]


def values_of(text):
    return sorted(re.findall(r"\{[a-z_]+\}", text))


def quoted_of(text):
    return sorted(re.findall(r'"[^"]*"', text))


def problems_of(path, language):
    problems = []
    entries = entries_of(path)
    header = next((forms[0] for msgid, _, forms in entries if msgid == ""), "")
    rule = re.search(r"Plural-Forms:\s*nplurals=(\d+);\s*plural=([^;\n]+);?", header)
    if not rule:
        return [f"{path}: no Plural-Forms header"]
    plural = gettext.c2py(rule.group(2))
    for number, form in plural_table.get(language, {}).items():
        if plural(number) != form:
            problems.append(f"{path}: Plural-Forms gives {number} form {plural(number)}, its grammar form {form}")
    if language not in plural_table:
        problems.append(f"{path}: no table of plural forms for {language} in po_check.py")
    for msgid, msgid_plural, forms in entries:
        if msgid == "":
            continue
        for k, form in enumerate(forms):
            english = msgid if (msgid_plural is None or k == 0) else msgid_plural
            if form and values_of(form) != values_of(english) and values_of(form) != values_of(msgid_plural or msgid):
                problems.append(f"{path}: {msgid[:50]!r}: form {k} has the values {values_of(form)}, "
                                f"not {values_of(english)}")
            if form and quoted_of(english) != quoted_of(form):
                problems.append(f"{path}: {msgid[:50]!r}: form {k} loses the program's own {quoted_of(english)}")
    return problems


def catalogues_check(po_dir):
    with open(os.path.join(po_dir, "LINGUAS"), encoding="utf-8") as linguas:
        languages = [l.strip() for l in linguas if l.strip() and not l.startswith("#")]
    problems = []
    for language in languages:
        problems += problems_of(os.path.join(po_dir, language + ".po"), language)
    return languages, problems


def self_test():
    """A catalogue with a lost value, a renamed one, a translated "WHAT?" and a wrong plural rule."""
    bad = '''msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\\n"
"Plural-Forms: nplurals=2; plural=(n != 1);\\n"

msgid "palette entry {entry} starts with {character}, not a number"
msgstr "Eintrag beginnt mit {character}"

msgid "line {line} ({text})"
msgstr "Zeile {zeile} ({text})"

msgid "{character} answered with \\"WHAT?\\""
msgstr "{character} beantwortet mit \\"WAS?\\""

msgid "{count} region"
msgid_plural "{count} regions"
msgstr[0] "{count} область"
msgstr[1] "{count} области"
'''
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "ru.po")
        with open(path, "w", encoding="utf-8") as po:
            po.write(bad)
        seen = problems_of(path, "ru")
    wanted = ["starts with", "line {line}", "WHAT?", "Plural-Forms gives"]
    missed = [w for w in wanted if not any(w in p for p in seen)]
    if missed or len(seen) < 4:
        print("FAIL: a bad catalogue is not caught for", missed, "; seen:", *seen, sep="\n  ")
        return False
    print(f"ok: a bad catalogue is caught ({len(seen)} problems)")
    return True


if __name__ == "__main__":
    if sys.argv[1] == "--self-test":
        sys.exit(0 if self_test() else 1)
    languages, problems = catalogues_check(sys.argv[1])
    for p in problems:
        print("FAIL:", p)
    if not problems:
        print(f"ok: {len(languages)} catalogues keep every value and quoted word, with their plural forms")
    sys.exit(1 if problems else 0)
