#!/usr/bin/env bash
# The rooms of src/ stand in one order, each built on those below it:
#   language < board < fill < picture_file < colouring < main < check < book < draw
# A file may include its own room and the rooms below, never one above: the
# fill knows squares, not events; the painter knows nothing of the book.
# A room missing from the list counts as above every listed one, so a new
# room may include the others but nothing may include it until it is
# placed in the list. First a small tree with one arrow up must be caught,
# then src/ itself must have none.
#   room_order_test.sh SOURCE_DIR
set -uo pipefail
rooms="language board fill picture_file colouring main check book draw"

# Prints "FILE:LINE: ROOM includes HIGHER" for every include of a room that
# is not below the including file's room.
Arrows_up() {
    local src=$1
    (cd "$src" && grep -rHn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z_0-9]*/' .) |
        awk -v rooms="$rooms" '
            BEGIN { n = split(rooms, r, " "); for (k = 1; k <= n; k++) rank[r[k]] = k }
            function rank_of(room) { return (room in rank) ? rank[room] : n + 1 }
            {
                split($0, place, ":"); file = substr(place[1], 3); line = place[2]
                split(file, parts, "/"); from = parts[1]
                match($0, /"[A-Za-z_0-9]*\//); to = substr($0, RSTART + 1, RLENGTH - 2)
                if (to != from && rank_of(to) >= rank_of(from))
                    printf "src/%s:%s: %s includes %s, which is not below it\n", file, line, from, to
            }'
}

failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src/fill" "$work/src/main" "$work/src/book/parts" "$work/src/gallery"
printf '#include "board/square.h"\n#include "main/event_wait.h"\n' >"$work/src/fill/square_colour.cpp"
printf '#include "fill/square_colour.h"\n#include "main/pointer_input.h"\n' >"$work/src/main/pointer_input.cpp"
printf '#include "gallery/shelf.h"\n' >"$work/src/book/parts/book_main.cpp"
printf '#include "book/book_layout.h"\n' >"$work/src/gallery/shelf.cpp"
expected='src/book/parts/book_main.cpp:1: book includes gallery, which is not below it
src/fill/square_colour.cpp:2: fill includes main, which is not below it'
seen=$(Arrows_up "$work/src" | sort)
if [ "$seen" != "$expected" ]; then
    printf 'FAIL: on a small tree with two arrows up, expected\n%s\nbut saw\n%s\n' "$expected" "$seen"
    failures=$((failures + 1))
fi

seen=$(Arrows_up "$1/src")
if [ -n "$seen" ]; then
    printf 'FAIL: a lower room of src/ includes a higher one (the order: %s):\n%s\n' "$rooms" "$seen"
    failures=$((failures + 1))
else
    echo "ok: no room of src/ includes a room above it ($(ls -d "$1"/src/*/ | wc -l) rooms)"
fi
exit $((failures > 0))
