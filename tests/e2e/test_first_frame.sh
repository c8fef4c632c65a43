#!/usr/bin/env bash
# The first frame: a client area of exactly 522 x 554, with background, black outline, grey gaps,
# cells, buttons and clock at the pixels that the layout computes for that size; closing then
# writes a save file with the game in play.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_write_dat a.dat "1/$PUZZLE_A" "2/$PUZZLE_B"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game

[ "$E2E_CW" -eq 522 ] && [ "$E2E_CH" -eq 554 ] ||
    e2e_fail "client area is ${E2E_CW} x ${E2E_CH}, expected 522 x 554"
e2e_geometry 522 554
[ "${COLX[0]}" -eq 15 ] && [ "${ROWY[9]}" -eq 539 ] || e2e_fail "harness geometry is off"

e2e_shot start
e2e_keep start screenshot-start

# Background: the corners, the band between the buttons and the clock, the margins.
for p in "0 0" "521 0" "0 553" "521 553" "10 300" "511 300" "260 542"; do
    e2e_expect_px start $p "$BG" background
done
n="$(e2e_count start 191 0 248 32 "$BG")"
[ "$n" -eq $((248 * 32)) ] || e2e_fail "band between buttons and clock has $n background pixels"
[ "$(e2e_count start 0 0 11 554 "$BG")" -eq $((11 * 554)) ] || e2e_fail "left margin not plain"

# The 2-pixel black outline from (11, 43) to (507, 539).
for r in "11 43 496 2" "11 537 496 2" "11 43 2 496" "505 43 2 496"; do
    read -r x y w h <<<"$r"
    n="$(e2e_count start $x $y $w $h "$BLACK")"
    [ "$n" -eq $((w * h)) ] || e2e_fail "outline strip $r has $n black pixels of $((w * h))"
done
e2e_expect_px start 10 42 "$BG" "outside the outline"
e2e_expect_px start 507 539 "$BG" "outside the outline"

# Grey: the inset square starts at (13, 45); 2 pixels between cells, 4 between boxes.
e2e_expect_px start 13 45 "$GREY" "inner edge"
e2e_expect_px start 14 46 "$GREY" "inner edge"
for c in 0 1 3 4 6 7; do
    x=$((COLX[c] + CELL))
    [ $((COLX[c + 1] - x)) -eq 2 ] || e2e_fail "gap after column $c is not 2 wide"
    h=$((ROWY[8] + CELL - ROWY[0]))
    n="$(e2e_count start $x ${ROWY[0]} 2 $h "$GREY")"
    [ "$n" -eq $((2 * h)) ] || e2e_fail "gap after column $c has $n grey pixels of $((2 * h))"
done
for c in 2 5; do
    x=$((COLX[c] + CELL))
    [ $((COLX[c + 1] - x)) -eq 4 ] || e2e_fail "box gap after column $c"
    n="$(e2e_count start $x 47 4 ${CELL} "$GREY")"
    [ "$n" -eq $((4 * CELL)) ] || e2e_fail "box gap after column $c has $n grey pixels"
    y=$((ROWY[c] + CELL))
    n="$(e2e_count start 15 $y ${CELL} 4 "$GREY")"
    [ "$n" -eq $((4 * CELL)) ] || e2e_fail "box gap below row $c has $n grey pixels"
done
n="$(e2e_count start $((COLX[0] + CELL)) ${ROWY[0]} 2 ${CELL} "$GREY")"
[ "$n" -eq $((2 * CELL)) ] || e2e_fail "cell gap after column 0 has $n grey pixels"

# Cells: every empty cell plain white; every given shows dark ink and no red; cells with the
# same given digit are the same image, cells with different digits are not.
declare -A first_of
for k in $(seq 0 80); do
    r=$((k / 9)) c=$((k % 9)) ch="${PUZZLE_A:k:1}"
    if [ "$ch" = "." ]; then
        n="$(e2e_cell_count start $r $c "$WHITE")"
        [ "$n" -eq $((CELL * CELL)) ] || e2e_fail "empty cell ($r, $c) has $n white pixels"
    else
        [ "$(e2e_cell_count start $r $c "$GIVEN_INK")" -gt 20 ] || e2e_fail "given ($r, $c) shows no ink"
        [ "$(e2e_cell_count start $r $c "$MATCH_RED")" -eq 0 ] || e2e_fail "given ($r, $c) is highlighted"
        convert "$E2E_WORK/start.png" -crop "${CELL}x${CELL}+${COLX[c]}+${ROWY[r]}" +repage \
            "$E2E_WORK/cell-$k.png"
        if [ -z "${first_of[$ch]:-}" ]; then
            first_of[$ch]=$k
        else
            d="$(compare -metric AE "$E2E_WORK/cell-$k.png" "$E2E_WORK/cell-${first_of[$ch]}.png" null: 2>&1 || true)"
            [ "$d" = "0" ] || e2e_fail "two given ${ch}s look different ($d pixels)"
        fi
    fi
done
for a in "${!first_of[@]}"; do
    for b in "${!first_of[@]}"; do
        [ "$a" \< "$b" ] || continue
        d="$(compare -metric AE "$E2E_WORK/cell-${first_of[$a]}.png" "$E2E_WORK/cell-${first_of[$b]}.png" null: 2>&1 || true)"
        [ "$d" != "0" ] || e2e_fail "given $a and given $b look the same"
    done
done

# Buttons at (11, 2) and (101, 2) in their normal form; the clock from x 439 at 0 or 1 s.
e2e_bitmap_piece button_strip.bmp 0 0 180 30 "$E2E_WORK/buttons.png"
e2e_expect_same start 11 2 180 30 "$E2E_WORK/buttons.png" "button bar"
e2e_expect_px start 10 10 "$BG" "left of the buttons"
shown="$(e2e_read_clock start 439 2)"
[ "$shown" -ge 0 ] || e2e_fail "clock does not show 0:00 or 0:01"

e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
[ -f "$E2E_SAVE" ] || e2e_fail "no save file written"
[ "$(save_name)" = a.dat ] || e2e_fail "save names $(save_name)"
[ "$(save_record_count)" -eq 1 ] || e2e_fail "record count $(save_record_count)"
[ "$(save_flag)" -eq 1 ] || e2e_fail "stored game flag $(save_flag), expected 1 (in play)"
e2e_log "ok: client 522 x 554, frame as laid out"
