# A private Xvfb, and reading the windows on it: the board and toolbar a
# picture file describes against the ones a screenshot shows, waiting for a
# window, a region to colour, a screenshot once the window has settled.
# Sourced by scripts/test-package, whose variables and helpers it uses.

Xvfb_start() {
    step "starting Xvfb"
    Xvfb -displayfd 5 -screen 0 1024x1024x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

# The board as the picture file describes it, one line per row of 40
# squares: 'x' outline (the ring and the grid's x cells), '.' default grey.
Board_expected() {
    awk 'NR > 9 && NR <= 9 + 38 {
             row[NR - 9] = $0
         }
         END {
             for (j = 0; j < 40; j++) {
                 line = ""
                 for (i = 0; i < 40; i++) {
                     cell = (i == 0 || j == 0 || i == 39 || j == 39) ? "x" : "."
                     if (cell == "." && j <= 38) {
                         s = row[j]; gsub(/[0-9]/, "", s)
                         if (substr(s, i, 1) == "x") cell = "x"
                     }
                     line = line cell
                 }
                 print line
             }
         }' "$1"
}

# The palette, as "r,g,b" lines.
Palette_expected() {
    head -n 8 "$1" | tr -d ' \r'
}

# The window's board, one line per row: 'x' outline (20,20,20), '.' default
# (200,200,200), or the letter of a palette colour (a..h), '?' for anything
# else. Each square is sampled at its middle pixel.
Board_seen() {
    local shot=$1 palette=$2
    convert "$shot" -crop 800x800+0+100 +repage -sample 40x40! -depth 8 txt:- |
        awk -v palette="$palette" '
            BEGIN { n = split(palette, p, " "); for (k = 1; k <= n; k++) name[p[k]] = substr("abcdefgh", k, 1) }
            /^#/ { next }
            {
                split($1, xy, /[,:]/); rgb = $2; gsub(/[()]/, "", rgb)
                c = (rgb == "20,20,20") ? "x" : (rgb == "200,200,200") ? "." : (rgb in name) ? name[rgb] : "?"
                cell[xy[2], xy[1]] = c
            }
            END { for (j = 0; j < 40; j++) { line = ""; for (i = 0; i < 40; i++) line = line cell[j, i]; print line } }'
}

# Screenshots window $1 into $2 until its board, read with the palette $3
# ("r,g,b" lines), is the one in file $4 and, when $7 is given, its toolbar
# reads $7 (Toolbar_expected); at most $6 tries 0.2 s apart. The board last
# seen is left in $5. Fails when the window never shows it.
Board_wait() {
    local w=$1 shot=$2 palette=$3 expected=$4 seen=$5 tries=$6 toolbar=${7:-}
    for _ in $(seq "$tries"); do
        import -window "$w" "$shot" 2>/dev/null || true
        Board_seen "$shot" "$(tr '\n' ' ' <<<"$palette")" >"$seen"
        if cmp -s "$expected" "$seen" && { [ -z "$toolbar" ] || [ "$(Toolbar_seen "$shot")" = "$toolbar" ]; }; then
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# The toolbar: each item's swatch middle, then the pixel 7 in from its left,
# which is the grey frame (50,50,50) only on the selected item.
Toolbar_seen() {
    convert "$1" -crop 800x1+0+50 +repage -depth 8 txt:- |
        awk '/^#/ { next }
             { split($1, xy, /[,:]/); rgb = $2; gsub(/[()]/, "", rgb); px[xy[1]] = rgb }
             END { for (k = 0; k < 8; k++) print px[100 * k + 50], px[100 * k + 7] }'
}

Toolbar_expected() {
    local first
    first=$(head -n 1 <<<"$1")
    while read -r c; do
        if [ "$c" = "$first" ]; then echo "$c 50,50,50"; else echo "$c $c"; fi
    done <<<"$1"
}

# Squares that differ, told by place: "(i, j) expected E, seen S".
Board_differences() {
    paste -d ' ' "$1" "$2" |
        awk '{ for (i = 1; i <= 40; i++) { e = substr($1, i, 1); s = substr($2, i, 1)
                   if (e != s && n++ < 10) printf "  square (%d, %d): expected %s, seen %s\n", i - 1, NR - 1, e, s } }
             END { if (n > 10) printf "  ... %d squares in all\n", n }'
}

# The window captioned $1 (default: the painter's, "Tintora").
Window_wait() {
    local w="" caption=${1:-Tintora}
    for _ in $(seq 150); do
        w=$(xdotool search --name "^$caption\$" 2>/dev/null | head -n 1 || true)
        [ -n "$w" ] && break
        sleep 0.1
    done
    echo "$w"
}

# The largest region of at most 200 squares (so its fill is quick) on a board
# drawn by Board_expected: its squares as "i j" lines, the first one first.
Region_fair() {
    awk '{ for (i = 1; i <= 40; i++) b[i - 1, NR - 1] = substr($0, i, 1) }
         END {
             best = 0
             for (sj = 1; sj < 39; sj++) for (si = 1; si < 39; si++) {
                 if (b[si, sj] != "." || ((si, sj) in seen)) continue
                 top = 0; q[top++] = si " " sj; seen[si, sj] = 1
                 for (h = 0; h < top; h++) {
                     split(q[h], c, " ")
                     for (d = 0; d < 4; d++) {
                         ni = c[1] + (d == 0) - (d == 1); nj = c[2] + (d == 2) - (d == 3)
                         if (b[ni, nj] == "." && !((ni, nj) in seen)) { seen[ni, nj] = 1; q[top++] = ni " " nj }
                     }
                 }
                 if (top <= 200 && top > best) { best = top; for (h = 0; h < top; h++) region[h] = q[h] }
             }
             for (h = 0; h < best; h++) print region[h]
         }' "$1"
}

# A window's pixels once two screenshots 0.2 s apart agree (as PPM, which
# carries no time stamps).
Shot_stable() {
    local w=$1 shot=$2
    for _ in $(seq 50); do
        import -window "$w" "ppm:$shot.new" 2>/dev/null || true
        if [ -f "$shot" ] && cmp -s "$shot" "$shot.new"; then
            rm -f "$shot.new"
            return 0
        fi
        mv -f "$shot.new" "$shot" 2>/dev/null || true
        sleep 0.2
    done
    fail "the window $w did not settle"
}
