# Turns CHANGELOG.md into the forms the packages carry, so the list of
# changes is written once: -v format=debian gives debian/changelog (each
# release as the Debian revision -v revision=N of that version, signed by
# -v maintainer=...), -v format=appstream the <release> elements of the
# metainfo. The form it reads is described at the top of CHANGELOG.md; any
# other line inside a release stops the build rather than being dropped.
# Plain POSIX awk (mawk on Debian): no interval expressions, no gensub.

function fail(message) {
    printf "%s:%d: %s\n", FILENAME, FNR, message > "/dev/stderr"
    failed = 1
    exit 1
}

# Day of the week, 0 for Sunday (Sakamoto's method).
function weekday(y, m, d,   t) {
    split("0 3 2 5 0 3 5 1 4 6 2 4", t, " ")
    if (m < 3) y--
    return (y + int(y / 4) - int(y / 100) + int(y / 400) + t[m] + d) % 7
}

function xml_escape(s) {
    gsub(/&/, "\\&amp;", s)
    gsub(/</, "\\&lt;", s)
    gsub(/>/, "\\&gt;", s)
    return s
}

# Prints text as lines of at most 78 columns, the first led by `first`,
# the rest by `rest`.
function wrap(text, first, rest,   n, w, k, line, lead) {
    n = split(text, w, " ")
    line = ""
    lead = first
    for (k = 1; k <= n; k++) {
        if (line != "" && length(lead line " " w[k]) > 78) {
            print lead line
            line = ""
            lead = rest
        }
        line = (line == "") ? w[k] : line " " w[k]
    }
    if (line != "")
        print lead line
}

function item_end() {
    if (item == "")
        return
    if (format == "debian")
        wrap(item, "  * ", "    ")
    else
        print "          <li>" xml_escape(item) "</li>"
    item = ""
    items++
}

function release_end() {
    item_end()
    if (version == "")
        return
    if (items == 0)
        fail("release " version " lists no changes")
    if (format == "debian") {
        print ""
        printf " -- %s  %s\n", maintainer, stamp
    } else {
        print "        </ul>"
        print "      </description>"
        print "    </release>"
    }
    version = ""
}

BEGIN {
    if (format != "debian" && format != "appstream") {
        print "changelog-convert.awk: set -v format=debian or -v format=appstream" > "/dev/stderr"
        failed = 1
        exit 1
    }
    if (format == "debian" && (revision == "" || maintainer == "" || package == "")) {
        print "changelog-convert.awk: format=debian needs package, revision and maintainer" > "/dev/stderr"
        failed = 1
        exit 1
    }
    split("Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec", month_name, " ")
    split("Sun Mon Tue Wed Thu Fri Sat", day_name, " ")
}

# Changes not yet released stand above the newest release; no package
# carries them until they get a release heading of their own.
/^## Unreleased$/ {
    if (releases > 0)
        fail("`## Unreleased` belongs above the newest release")
    next
}

/^## / {
    release_end()
    if (NF != 6 || $2 !~ /^\[[0-9][0-9A-Za-z.+~]*\]$/ || $3 != "-" \
        || $4 !~ /^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$/ \
        || $5 !~ /^[0-9][0-9]:[0-9][0-9]$/ || $6 != "UTC")
        fail("a release heading is `## [VERSION] - YYYY-MM-DD HH:MM UTC`, not: " $0)
    version = substr($2, 2, length($2) - 2)
    split($4, ymd, "-")
    y = ymd[1] + 0; m = ymd[2] + 0; d = ymd[3] + 0
    if (m < 1 || m > 12 || d < 1 || d > 31)
        fail("no such date: " $4)
    items = 0
    releases++
    if (format == "debian") {
        if (releases > 1)
            print ""
        printf "%s (%s-%s) unstable; urgency=medium\n\n", package, version, revision
        stamp = sprintf("%s, %02d %s %04d %s:00 +0000", day_name[weekday(y, m, d) + 1], d, month_name[m], y, $5)
    } else {
        printf "    <release version=\"%s\" date=\"%s\">\n", version, $4
        print "      <description>"
        print "        <ul>"
    }
    next
}

# Before the first release: the file's own introduction.
version == "" { next }

/^- / {
    item_end()
    item = substr($0, 3)
    next
}

/^  [^ ]/ {
    if (item == "")
        fail("a continuation line with no item before it")
    sub(/^ +/, "")
    item = item " " $0
    next
}

/^[ \t]*$/ { next }

{ fail("inside a release only `- ` items and their indented continuations may stand: " $0) }

END {
    if (failed)
        exit 1
    release_end()
    if (releases == 0) {
        print FILENAME ": no release found" > "/dev/stderr"
        exit 1
    }
}
