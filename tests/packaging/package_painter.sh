# The painter as installed: each picture started by its name from the
# pictures folder, its window compared with the picture file, one region
# coloured in, Escape; and one picture on the SDL 1.2 layer over SDL2.
# Sourced by scripts/test-package, whose variables and helpers it uses.

# Checks the painter's window for picture $1 (file $4, default the bundled
# one): its process is the installed program, running in folder $3 (default
# the pictures folder) on the SDL 1.2 asked for; its first view is the
# picture (the screenshot stays in $work/$1.png); one region is coloured in
# when $2 is set; Escape ends it.
Painter_check() {
    local n=$1 colour=${2:-} folder=${3:-$root/usr/share/tintora/pictures} picture=${4:-$pictures/$1.txt}
    local shot=$work/$1.png palette expected_toolbar w pid
    Board_expected "$picture" >"$work/$n.expected"
    palette=$(Palette_expected "$picture")
    expected_toolbar=$(Toolbar_expected "$palette")

    w=$(Window_wait)
    [ -n "$w" ] || fail "$n: no window named Tintora appeared"
    pid=$(xprop -id "$w" _NET_WM_PID | awk '{ print $3 }')
    [ "$(readlink "/proc/$pid/exe")" = "$program" ] || fail "$n: the window is not the installed program's"
    [ "$(readlink "/proc/$pid/cwd")" = "$folder" ] || fail "$n: the program does not run in $folder"
    local sdl
    sdl=$(grep -o '/[^ ]*/libSDL-1\.2\.so[^ ]*' "/proc/$pid/maps" | head -n 1)
    if [ -n "${LD_LIBRARY_PATH:-}" ] && [ "${sdl#"$LD_LIBRARY_PATH"/}" = "$sdl" ]; then
        fail "$n: the program loaded $sdl, not the SDL 1.2 in $LD_LIBRARY_PATH"
    fi
    echo "$n: the painter runs in $folder, SDL 1.2 from $sdl"

    if ! Board_wait "$w" "$shot" "$palette" "$work/$n.expected" "$work/$n.seen" 50 "$expected_toolbar"; then
        cp "$shot" "$build/package/" 2>/dev/null || true
        echo "$n: the window does not show the picture (screenshot $build/package/$n.png):" >&2
        Board_differences "$work/$n.expected" "$work/$n.seen" >&2
        echo "  toolbar, expected then seen (swatch middle, frame pixel):" >&2
        paste -d '|' <(echo "$expected_toolbar") <(Toolbar_seen "$shot") | sed 's/^/    /' >&2
        fail "$n: first view"
    fi
    echo "$n: the window shows the picture and its palette"

    if [ -n "$colour" ]; then
        # A region painted with the third palette colour by two clicks.
        local i j region
        Region_fair "$work/$n.expected" >"$work/$n.region"
        read -r i j <"$work/$n.region"
        region=$(wc -l <"$work/$n.region")
        awk 'NR == FNR { r[$1, $2] = 1; next }
             { line = ""; for (i = 1; i <= 40; i++) line = line (((i - 1, FNR - 1) in r) ? "c" : substr($0, i, 1)); print line }' \
            "$work/$n.region" "$work/$n.expected" >"$work/$n.coloured"
        xdotool mousemove --window "$w" 250 50 click 1
        xdotool mousemove --window "$w" $((20 * i + 10)) $((100 + 20 * j + 10)) click 1
        cp "$shot" "$work/$n-first.png"
        if ! Board_wait "$w" "$shot" "$palette" "$work/$n.coloured" "$work/$n.seen" 300; then
            cp "$shot" "$build/package/" 2>/dev/null || true
            echo "$n: colouring the region at ($i, $j) did not give the expected board (screenshot $build/package/$n.png):" >&2
            Board_differences "$work/$n.coloured" "$work/$n.seen" >&2
            fail "$n: colouring"
        fi
        echo "$n: a click at square ($i, $j) coloured its region of $region squares"
    fi

    xdotool windowfocus --sync "$w" key Escape
    for _ in $(seq 100); do [ -d "/proc/$pid" ] || break; sleep 0.1; done
    [ ! -d "/proc/$pid" ] || { kill "$pid"; fail "$n: Escape did not end the program"; }
}

# Starts picture $1 as the README says, by its name from the pictures
# folder, and checks it (Painter_check). The environment of the call
# reaches the program.
Picture_check() {
    (cd "$root/usr/share/tintora/pictures" && exec "$root/usr/libexec/tintora/$1") >"$work/$1.out" 2>&1 &
    Painter_check "$1" "${2:-}"
}

Pictures_check() {
    step "starting each picture by its name"
    for n in "${names[@]}"; do
        colour=""
        [ "$n" = "${names[0]}" ] && colour=yes
        Picture_check "$n" "$colour"
    done
}

# The same program on Debian's SDL 1.2 layer over SDL2, where it is there.
Compat_check() {
    compat=/usr/lib/x86_64-linux-gnu/sdl12-compat
    if [ -e "$compat/libSDL-1.2.so.0" ]; then
        step "one picture on the SDL 1.2 layer over SDL2"
        LD_LIBRARY_PATH=$compat Picture_check "${names[1]}" yes
    fi
}
