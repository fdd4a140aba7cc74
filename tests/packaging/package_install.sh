# Installing the package: for real with apt-get as root (or with
# TINTORA_PACKAGE_INSTALL=system), else unpacked into a scratch root with its
# dependencies checked and its menu entries pointed there. Sets root ("" or
# the scratch root), entries (the menu entries to launch), program and book.
# Sourced by scripts/test-package, whose variables and helpers it uses.

Package_install() {
    mode=${TINTORA_PACKAGE_INSTALL:-}
    if [ -z "$mode" ]; then
        if [ "$(id -u)" -eq 0 ]; then mode=system; else mode=scratch; fi
    fi
    if [ "$mode" = system ]; then
        step "installing the package for real (apt-get)"
        # One run at a time on a machine: another run's removal must not pull
        # the program away while this one starts it.
        exec 9>/tmp/tintora-test-package.lock
        flock 9
        dpkg -s tintora >/dev/null 2>&1 || installed_here=yes
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 "$deb" \
            >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get could not install the package"; }
        root=""
        entries=/usr/share/applications
    else
        step "unpacking the package into a scratch root (dependencies checked, not installed)"
        apt-get install -s -qq "$deb" >"$work/apt.log" 2>&1 \
            || { cat "$work/apt.log"; fail "the package's dependencies cannot be met on this machine"; }
        root=$work/root
        dpkg -x "$deb" "$root"
        # The menu entries name /usr; launch copies that name the scratch root.
        entries=$work/entries
        mkdir -p "$entries"
        for entry in "$root"/usr/share/applications/*.desktop; do
            sed -e "s|^Exec=/usr/|Exec=$root/usr/|" -e "s|^Path=/usr/|Path=$root/usr/|" \
                "$entry" >"$entries/$(basename "$entry")"
        done
    fi
    program=$root/usr/bin/tintora
    [ -x "$program" ] || fail "$program is not installed"
}

# The one menu entry opens the picture book.
Menu_entry_check() {
    step "the menu entry"
    main_entry=$root/usr/share/applications/org.tintora.Tintora.desktop
    grep -Fxq "Name=Tintora" "$main_entry" || fail "$main_entry is not named Tintora"
    grep -Fxq "Exec=/usr/bin/tintora-book" "$main_entry" || fail "$main_entry does not open the picture book"
    # Its one action, "New picture", opens the picture maker.
    grep -Fxq "Actions=new-picture;" "$main_entry" || fail "$main_entry has no \"New picture\" action"
    sed -n '/^\[Desktop Action new-picture\]$/,$p' "$main_entry" | grep -Fxq "Exec=/usr/bin/tintora-draw" \
        || fail "the \"New picture\" action of $main_entry does not open the picture maker"
    [ -x "$root/usr/bin/tintora-draw" ] || fail "$root/usr/bin/tintora-draw is not installed"
    book=$root/usr/bin/tintora-book
    [ -x "$book" ] || fail "$book is not installed"
}
