# The package as a distribution's reviewer checks it, with Debian's own tools
# on the package's own files: lintian, appstreamcli, desktop-file-validate
# and man --warnings, where any finding fails; and one version and one
# maintainer in every place that names them.
# Sourced by scripts/test-package, whose variables and helpers it uses.

# Unpacks the package into $unpacked for the reviewer's tools (an installed
# system may leave out manual pages).
Package_unpack() {
    unpacked=$work/unpacked
    dpkg -x "$deb" "$unpacked"
}

Lintian_check() {
    step "lintian (every tag fails, overrides argued in packaging/debian/lintian-overrides)"
    lintian --info --display-experimental --pedantic --fail-on error,warning,info,pedantic,experimental \
        "$deb" >"$work/lintian.out" 2>"$work/lintian.err" \
        || { cat "$work/lintian.out" "$work/lintian.err"; fail "lintian reports on the package"; }
    grep -v '^running with root privileges' "$work/lintian.err" >&2 || true
    [ ! -s "$work/lintian.out" ] || { cat "$work/lintian.out"; fail "lintian reports on the package"; }
    echo "lintian: no tags ($(lintian --version))"
}

Appstream_check() {
    step "AppStream metadata (appstreamcli validate, pedantic hints only as argued in packaging/appstream-pedantic-accepted)"
    metainfo=$unpacked/usr/share/metainfo/org.tintora.Tintora.metainfo.xml
    appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream.out" 2>&1 \
        || { cat "$work/appstream.out"; fail "appstreamcli does not validate $metainfo"; }
    accepted=$(grep -v '^#' packaging/appstream-pedantic-accepted | awk 'NF { print $1 }')
    findings=$(grep -E '^ *[EWIP]: ' "$work/appstream.out" |
        awk -v accepted="$accepted" 'BEGIN { n = split(accepted, a, "\n"); for (k = 1; k <= n; k++) ok[a[k]] = 1 }
             !($1 == "P:" && ($3 in ok)) { print }') || true
    [ -z "$findings" ] || { cat "$work/appstream.out"; fail "appstreamcli: $findings"; }
    # The whole tree: the component's launchable names a desktop entry in the package.
    appstreamcli validate-tree --no-net "$unpacked" >"$work/appstream-tree.out" 2>&1 \
        || { cat "$work/appstream-tree.out"; fail "appstreamcli does not validate the installed tree"; }
    ! grep -E '^ *[EW]: ' "$work/appstream-tree.out" || fail "appstreamcli validate-tree reports on the package"
    launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
    [ -f "$unpacked/usr/share/applications/$launchable" ] || fail "the launchable $launchable is not in the package"
    echo "appstreamcli: the metadata validates, launching $launchable"
}

Version_check() {
    step "one version and one maintainer throughout"
    version=$(dpkg-deb -f "$deb" Version)
    maintainer=$(dpkg-deb -f "$deb" Maintainer)
    release=$(sed -n 's|.*<release version="\([^"]*\)".*|\1|p' "$metainfo" | head -n 1)
    contact=$(sed -n 's|.*<update_contact>\(.*\)</update_contact>.*|\1|p' "$metainfo")
    developer=$(sed -n 's|.*<developer_name[^>]*>\(.*\)</developer_name>.*|\1|p' "$metainfo")
    [ "$release" = "${version%-*}" ] || fail "the metadata's newest release is $release, the package's version $version"
    [ "$maintainer" = "$developer <$contact>" ] || fail "the package's maintainer is $maintainer, the metadata's $developer <$contact>"
    debian_head=$(zcat "$unpacked/usr/share/doc/tintora/changelog.Debian.gz" | head -n 1)
    [ "$debian_head" = "tintora ($version) unstable; urgency=medium" ] \
        || fail "changelog.Debian.gz opens with \"$debian_head\", not version $version"
    zgrep -q "^## \[${version%-*}\] - " "$unpacked/usr/share/doc/tintora/changelog.gz" \
        || fail "changelog.gz has no release ${version%-*}"
    # The page names in .TH are upper case, with the hyphen escaped.
    for page in "tintora TINTORA" "tintora-book TINTORA\\\\-BOOK"; do
        read -r file title <<<"$page"
        zgrep -q "^\\.TH $title 6 .* \"Tintora ${version%-*}\"" "$unpacked/usr/share/man/man6/$file.6.gz" \
            || fail "$file(6) does not name version ${version%-*}"
    done
    echo "version $version, maintainer $maintainer: the same in the control file, the metadata, the changelogs and the manual"
}

Desktop_entries_check() {
    step "desktop entries (desktop-file-validate)"
    for entry in "$unpacked"/usr/share/applications/*.desktop; do
        desktop-file-validate "$entry" >"$work/dfv.out" 2>&1 && [ ! -s "$work/dfv.out" ] \
            || { cat "$work/dfv.out"; fail "$(basename "$entry") does not validate"; }
    done
    echo "desktop-file-validate: $(ls "$unpacked"/usr/share/applications/*.desktop | wc -l) entries validate"
}

# Every language of po/ in the menu entry and the metadata, and the checker
# as unpacked (its catalogues found from its own folder, bin/../share/locale)
# speaking German in a German session and English in C.
Translations_check() {
    step "translations (menu entry, AppStream metadata, the installed checker)"
    entry=$unpacked/usr/share/applications/org.tintora.Tintora.desktop
    metainfo=$unpacked/usr/share/metainfo/org.tintora.Tintora.metainfo.xml
    for language in $(grep -v '^#' po/LINGUAS); do
        for key in GenericName Comment Keywords; do
            grep -q "^$key\[$language\]=" "$entry" || fail "the menu entry has no $key[$language]"
        done
        grep -q "<summary xml:lang=\"$language\">" "$metainfo" || fail "the metadata has no summary in $language"
    done
    printf '1,1,1\n2,2\n' >"$work/short.txt"
    said=$(cd "$work" && LANG=de_DE.UTF-8 LANGUAGE= LC_ALL= "$unpacked/usr/bin/tintora-check" short.txt 2>&1 || true)
    [[ "$said" == *"die Datei endet vor Paletteneintrag 3"* ]] \
        || fail "the unpacked checker does not speak German in a German session: $said"
    said=$(cd "$work" && LANG=C LANGUAGE= LC_ALL= "$unpacked/usr/bin/tintora-check" short.txt 2>&1 || true)
    [[ "$said" == *"the file ends before palette entry 3"* ]] || fail "the unpacked checker is not English in C: $said"
    echo "translations: $(grep -vc '^#' po/LINGUAS) languages in the menu entry and metadata; the checker finds its own"
}

Manual_pages_check() {
    step "manual pages (man --warnings, every page)"
    for page in "$unpacked"/usr/share/man/man*/*.gz; do
        MANWIDTH=80 man --warnings -l "$page" >"$work/man.out" 2>"$work/man.err" \
            || { cat "$work/man.err"; fail "man cannot render $page"; }
        [ ! -s "$work/man.err" ] || { cat "$work/man.err"; fail "man --warnings: ${page#"$unpacked"}"; }
        [ -s "$work/man.out" ] || fail "man renders ${page#"$unpacked"} empty"
        echo "${page#"$unpacked"}: renders without warnings"
    done
}
