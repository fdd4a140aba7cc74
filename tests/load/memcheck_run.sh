#!/usr/bin/env bash
# Memcheck over the real program on SDL's dummy video driver: start, a fill
# of a 20-square region, a toolbar press, the same region filled again in
# the new colour, a fill of the 1411 squares around it, and quit. Any error valgrind finds fails the run, except
# findings inside the display libraries named in the suppression file.
# Usage: memcheck_run.sh PROGRAM EVENT_SCRIPT_SO SUPPRESSIONS
set -euo pipefail
program=$1 script=$2 suppressions=$3
folder=$(mktemp -d /tmp/tintora-memcheck-XXXXXX)
trap 'rm -rf "$folder"' EXIT

{
  printf '230,57,70\n255,183,3\n33,158,188\n106,176,76\n244,162,97\n142,90,60\n255,255,255\n0,0,0\n'
  printf 'a region of 10 x 2 squares in the top left corner\n'
  printf '          x\n          x\nxxxxxxxxxxx\n'
} > "$folder/region.txt"
ln -s "$(realpath "$program")" "$folder/region"

# Square (3, 1), then toolbar item 2, square (3, 1) again, then square (20, 21).
status=0
(cd "$folder" && SDL_VIDEODRIVER=dummy TINTORA_PRESSES="70,130 250,50 70,130 410,530" LD_PRELOAD="$(realpath "$script")" \
  timeout 600 valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=definite --track-origins=yes --suppressions="$(realpath "$suppressions")" \
    --log-file=valgrind.log ./region > stdout.txt 2> stderr.txt) || status=$?

cat "$folder/valgrind.log" | grep -E "ERROR SUMMARY|definitely lost|suppressed:" || true
fail=0
if [ "$status" -ne 0 ]; then
  echo "memcheck: exit status $status (99: valgrind found errors)"; cat "$folder/valgrind.log"; fail=1
fi
trace=$(cat "$folder/stdout.txt")
if [ "$trace" != "70, 13070, 130410, 530" ]; then
  echo "memcheck: the board presses were not all handled; trace: '$trace'"; fail=1
fi
# The first picture, 20 squares, the toolbar, 20 squares again, then the
# 1444 interior squares but the 20 and their 13 outline squares.
if ! grep -qx "flips: 1453" "$folder/stderr.txt"; then
  echo "memcheck: expected 1453 flips; standard error:"; cat "$folder/stderr.txt"; fail=1
fi
[ "$fail" -eq 0 ] && echo "memcheck: start, three fills, a toolbar press and quit: no error"
exit "$fail"
