#!/usr/bin/env bash
# Checks packaging/changelog-convert.awk, which turns CHANGELOG.md into the
# Debian changelog and the AppStream <releases>: a small changelog in both
# forms (wrapping, XML escaping, the day of the week), that dpkg and
# appstreamcli read what it writes, and a table of malformed changelogs,
# each of which must stop the build naming the line at fault.
#   changelog_convert_test.sh SOURCE_DIR
set -uo pipefail
awk_script=$1/packaging/changelog-convert.awk
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {   # check WHAT: counts a failure when the last command failed
    if [ "$?" -ne 0 ]; then echo "FAIL: $1"; failures=$((failures + 1)); else echo "ok: $1"; fi
}
Debian() { awk -v format=debian -v package=tintora -v revision=1 -v "maintainer=A Person <a@example.org>" -f "$awk_script" "$1"; }
Appstream() { awk -v format=appstream -f "$awk_script" "$1"; }

cat >"$work/CHANGELOG.md" <<'MD'
# Changes

Introduction text, `not` a release.

## [2.0.0] - 2024-02-29 23:59 UTC

- Fills <faster> & "smoother": a long item that runs past the width of one
  line, so that it must be wrapped at seventy-eight columns.
- Short.

## [1.0.0] - 2000-01-01 00:00 UTC

- First.
MD

Debian "$work/CHANGELOG.md" >"$work/changelog"
check "the Debian form is written"
diff -u - "$work/changelog" <<'EXPECTED'
tintora (2.0.0-1) unstable; urgency=medium

  * Fills <faster> & "smoother": a long item that runs past the width of one
    line, so that it must be wrapped at seventy-eight columns.
  * Short.

 -- A Person <a@example.org>  Thu, 29 Feb 2024 23:59:00 +0000

tintora (1.0.0-1) unstable; urgency=medium

  * First.

 -- A Person <a@example.org>  Sat, 01 Jan 2000 00:00:00 +0000
EXPECTED
check "the Debian form: entries, wrapping, signature and day of the week"

if command -v dpkg-parsechangelog >/dev/null; then
    [ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = 2.0.0-1 ] \
        && [ "$(dpkg-parsechangelog -l "$work/changelog" -S Timestamp)" = "$(date -u -d '2024-02-29 23:59' +%s)" ] \
        && [ "$(dpkg-parsechangelog -l "$work/changelog" --format rfc822 --all | grep -c "^Version: ")" -eq 2 ]
    check "dpkg-parsechangelog reads the version, the time and both entries"
fi

Appstream "$work/CHANGELOG.md" >"$work/releases"
check "the AppStream form is written"
diff -u - "$work/releases" <<'EXPECTED'
    <release version="2.0.0" date="2024-02-29">
      <description>
        <ul>
          <li>Fills &lt;faster&gt; &amp; "smoother": a long item that runs past the width of one line, so that it must be wrapped at seventy-eight columns.</li>
          <li>Short.</li>
        </ul>
      </description>
    </release>
    <release version="1.0.0" date="2000-01-01">
      <description>
        <ul>
          <li>First.</li>
        </ul>
      </description>
    </release>
EXPECTED
check "the AppStream form: releases, items joined and escaped"

if command -v xmllint >/dev/null; then
    { echo "<releases>"; cat "$work/releases"; echo "</releases>"; } | xmllint --noout -
    check "the AppStream form is well-formed XML"
fi

# Changes not yet released, above the newest release, go into neither form.
{ printf '# Changes\n\n## Unreleased\n\n- Not out yet.\n\n'; sed 1d "$work/CHANGELOG.md"; } >"$work/unreleased.md"
Debian "$work/unreleased.md" | cmp -s - "$work/changelog" && Appstream "$work/unreleased.md" | cmp -s - "$work/releases"
check "changes under Unreleased are left out of both forms"

# Malformed changelogs: each case is the text after the introduction, and
# the line number the message must name.
cases=(
    "no time|## [1.0.0] - 2000-01-01\n\n- First.|3"
    "no brackets|## 1.0.0 - 2000-01-01 00:00 UTC\n\n- First.|3"
    "no such month|## [1.0.0] - 2000-13-01 00:00 UTC\n\n- First.|3"
    "a release with no items|## [1.0.0] - 2000-01-01 00:00 UTC\n\n## [0.9.0] - 1999-01-01 00:00 UTC\n\n- First.|5"
    "a stray paragraph|## [1.0.0] - 2000-01-01 00:00 UTC\n\nSome prose.\n- First.|5"
    "a continuation with no item|## [1.0.0] - 2000-01-01 00:00 UTC\n\n  carries on\n- First.|5"
    "a star for a dash|## [1.0.0] - 2000-01-01 00:00 UTC\n\n* First.|5"
    "Unreleased below a release|## [1.0.0] - 2000-01-01 00:00 UTC\n\n- First.\n\n## Unreleased\n\n- Next.|7"
)
for case in "${cases[@]}"; do
    IFS='|' read -r what text line <<<"$case"
    printf '# Changes\n\n%b\n' "$text" >"$work/bad.md"
    for form in Debian Appstream; do
        if $form "$work/bad.md" >/dev/null 2>"$work/err"; then
            false
        else
            grep -q "^$work/bad.md:$line: " "$work/err"
        fi
        check "$form form refuses $what at line $line ($(head -c 80 "$work/err"))"
    done
done
printf '# Changes\n\nNothing yet.\n' >"$work/empty.md"
! Debian "$work/empty.md" >/dev/null 2>&1
check "a changelog with no release is refused"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
