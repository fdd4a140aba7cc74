# The package's control information and its file list: what it depends on,
# what it holds and where.
# Sourced by scripts/test-package, whose variables and helpers it uses.

Package_information_check() {
    step "package information"
    dpkg-deb -I "$deb"
    depends=$(dpkg-deb -f "$deb" Depends)
    # The book's printed page: libharu, and libpaper's paperconf and the
    # title's font, which no library link names.
    for lib in libsdl1.2debian libsdl-gfx1.2-5 libhpdf-2.3.0 libpaper-utils fonts-dejavu-core; do
        grep -Eq "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib: $depends"
    done
    ! grep -q -- '-dev' <<<"$depends" || fail "Depends names a development package: $depends"
}

# Fails unless the package's file list holds the line "PATH TARGET".
has() { grep -Fxq -- "$1" "$work/contents" || fail "the package lacks $1"; }

Package_contents_check() {
    step "package contents"
    dpkg-deb --contents "$deb"
    dpkg-deb --contents "$deb" | awk '{ path = $6; sub(/^\./, "", path); print path, ($7 == "->" ? $8 : "") }' \
        >"$work/contents"
    has "/usr/bin/tintora "
    has "/usr/bin/tintora-check "
    has "/usr/bin/tintora-book "
    has "/usr/bin/tintora-draw "
    has "/usr/share/icons/hicolor/scalable/apps/tintora.svg "
    has "/usr/share/applications/org.tintora.Tintora.desktop "
    has "/usr/share/metainfo/org.tintora.Tintora.metainfo.xml "
    has "/usr/share/doc/tintora/copyright "
    has "/usr/share/doc/tintora/changelog.Debian.gz "
    has "/usr/share/doc/tintora/changelog.gz "
    for language in $(grep -v '^#' po/LINGUAS); do
        has "/usr/share/locale/$language/LC_MESSAGES/tintora.mo "
    done
    pages=()
    for source in docs/man/*.[1-9] docs/man/*.[1-9].in; do
        [ -e "$source" ] || continue
        page=$(basename "$source" .in)
        has "/usr/share/man/man${page##*.}/$page.gz "
        pages+=("$page")
    done
    [ "${#pages[@]}" -gt 0 ] || fail "docs/man holds no manual page"
    for n in "${names[@]}"; do
        has "/usr/share/tintora/pictures/$n.txt "
        has "/usr/libexec/tintora/$n ../../bin/tintora"
    done
    in_bin=$(awk '$1 ~ "^/usr/bin/." { print $1 }' "$work/contents" | tr '\n' ' ')
    [ "$in_bin" = "/usr/bin/tintora /usr/bin/tintora-book /usr/bin/tintora-check /usr/bin/tintora-draw " ] \
        || fail "only tintora, tintora-book, tintora-check and tintora-draw may go into /usr/bin, found: $in_bin"
    # One menu entry, the book's: the pictures are chosen in the book.
    entries_in=$(awk '$1 ~ "^/usr/share/applications/." { print $1 }' "$work/contents")
    [ "$entries_in" = /usr/share/applications/org.tintora.Tintora.desktop ] \
        || fail "the menu must hold one entry, org.tintora.Tintora.desktop; found: $entries_in"
}
