# The picture book from the one menu entry, as a desktop's launcher starts
# it: its thumbnails against the painter's windows, a bundled picture and one
# dropped into the person's own folder opened by a click.
# Sourced by scripts/test-package, whose variables and helpers it uses.

# The thumbnail rule: thumbnail pixel (x, y) is the painter's pixel
# (5x + 2, 5y + 2). Prints "x y (r,g,b)" lines of the reduced first view $1.
Thumb_reduced() {
    convert "$1" -depth 8 txt:- |
        awk '/^#/ { next } { split($1, xy, /[,:]/); if (xy[1] % 5 == 2 && xy[2] % 5 == 2) print (xy[1] - 2) / 5, (xy[2] - 2) / 5, $2 }'
}
# The same lines for thumbnail $2 of the book's screenshot $1: four cells of
# 200 x 225 across, the thumbnail 160 x 180 at (20, 12) in its cell.
Thumb_in_book() {
    convert "$1" -crop "160x180+$(($2 % 4 * 200 + 20))+$(($2 / 4 * 225 + 12))" +repage -depth 8 txt:- |
        awk '/^#/ { next } { split($1, xy, /[,:]/); print xy[1], xy[2], $2 }'
}

# Opens thumbnail $2 of the book (window $1) by a click; the painter must
# show picture $3 (checked by Painter_check with $4 $5 $6), the book's
# window must be gone meanwhile and back after Escape, and the thumbnail
# must be the painter's first view reduced, pixel for pixel.
Book_open() {
    local bw=$1 index=$2 n=$3
    Shot_stable "$bw" "$work/book.ppm"
    xdotool mousemove --window "$bw" $((index % 4 * 200 + 100)) $((index / 4 * 225 + 100)) click 1
    # While the painter runs, the book's window is closed. (It closes before
    # the painter starts; the server may see that connection go a moment
    # after the painter's window comes.)
    [ -n "$(Window_wait)" ] || fail "$n: no painter window after the click"
    local gone=""
    for _ in $(seq 50); do
        [ -z "$(xdotool search --onlyvisible --name '^Tintora pictures$' 2>/dev/null || true)" ] && { gone=yes; break; }
        sleep 0.1
    done
    [ -n "$gone" ] || fail "the book's window stayed open beside the painter"
    # Started as a person would start it: with the environment the book was
    # given, not the SDL settings the book's own window made.
    local painter_pid
    painter_pid=$(xprop -id "$(Window_wait)" _NET_WM_PID | awk '{ print $3 }')
    ! tr '\0' '\n' <"/proc/$painter_pid/environ" | grep -Eq '^SDL_(RENDER_DRIVER|FRAMEBUFFER_ACCELERATION|VIDEODRIVER)=' \
        || fail "$n: the painter inherited SDL settings from the book's window"
    Painter_check "$n" "${4:-}" "${5:-}" "${6:-}"
    local first=$work/$n.png
    [ -f "$work/$n-first.png" ] && first=$work/$n-first.png
    Thumb_reduced "$first" >"$work/$n.thumb-expected"
    Thumb_in_book "ppm:$work/book.ppm" "$index" >"$work/$n.thumb-seen"
    cmp -s "$work/$n.thumb-expected" "$work/$n.thumb-seen" || {
        convert "ppm:$work/book.ppm" "$build/package/book.png" 2>/dev/null || true
        cp "$first" "$build/package/" 2>/dev/null || true
        diff "$work/$n.thumb-expected" "$work/$n.thumb-seen" | head -n 10 >&2
        fail "$n: the book's thumbnail $index is not the painter's first view reduced (screenshots in $build/package)"
    }
    echo "$n: thumbnail $index is the painter's first view reduced, pixel for pixel"
    bw=$(Window_wait "Tintora pictures")
    if [ -z "$bw" ]; then
        local state="has ended"
        [ ! -d "/proc/$book_pid" ] || state="still runs ($(tr '\0' ' ' <"/proc/$book_pid/wchan" 2>/dev/null))"
        cat "$work/book.out" >&2
        fail "the book did not come back after $n closed: it $state (its output is above)"
    fi
}

# The one menu entry, which software centres launch: the picture book. A
# picture dropped into the person's own folder (a bundled one with its
# palette reversed) comes first; a bundled picture and that one are opened
# by a click, and the own one is coloured in.
Book_check() {
    step "the picture book from the menu entry"
    data=$work/data
    own=$data/tintora/pictures
    mkdir -p "$own"
    { head -n 8 "$pictures/house.txt" | tac; tail -n +9 "$pictures/house.txt"; } >"$own/dragon.txt"
    XDG_DATA_HOME=$data gio launch "$entries/org.tintora.Tintora.desktop" >"$work/book.out" 2>&1 \
        || { cat "$work/book.out"; fail "the desktop launcher could not start the menu entry"; }
    bw=$(Window_wait "Tintora pictures")
    [ -n "$bw" ] || fail "no window named \"Tintora pictures\" appeared"
    book_pid=$(xprop -id "$bw" _NET_WM_PID | awk '{ print $3 }')
    [ "$(readlink "/proc/$book_pid/exe")" = "$book" ] || fail "the book's window is not the installed book's"
    echo "the menu entry opened the installed picture book"
    # The "New picture" card comes first, then the own picture, then the
    # bundled ones by name: the first of those is third, in sight without
    # scrolling however many there are.
    first_bundled=$(printf '%s\n' "${names[@]}" | LC_ALL=C sort | head -n 1)
    Book_open "$bw" 2 "$first_bundled"
    bw=$(Window_wait "Tintora pictures")
    Book_open "$bw" 1 dragon yes "$(cd "$own" && pwd -P)" "$own/dragon.txt"
    bw=$(Window_wait "Tintora pictures")
    xdotool mousemove --window "$bw" 400 890 key Escape
    for _ in $(seq 100); do [ -d "/proc/$book_pid" ] || break; sleep 0.1; done
    [ ! -d "/proc/$book_pid" ] || { kill "$book_pid"; fail "Escape did not end the book"; }
    # The painter's press trace shares the book's output; no message may be there.
    ! grep -Eq 'Tintora|OMG' "$work/book.out" || { cat "$work/book.out"; fail "the book or the painter wrote a message"; }
}
