#!/usr/bin/env bash
# Play by mouse: hovering paints the cream ground and highlights a button; clicking a given
# selects its digit and frames every cell holding it in red dots; clicking an empty cell places
# that digit in grey; a right click erases it, and right clicks on givens do nothing. The keys
# 1-9 (main row and keypad) select a digit as well.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_write_dat a.dat "1/$PUZZLE_A"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"
full=$((CELL * CELL))

cells_with() { # DIGIT : "row col" of every given equal to it
    local k
    for k in $(seq 0 80); do [ "${PUZZLE_A:k:1}" = "$1" ] && echo "$((k / 9)) $((k % 9))"; done
}
all_cream() { [ "$(e2e_cell_count "$1" "$2" "$3" "$CREAM")" -eq "$full" ]; }
all_white() { [ "$(e2e_cell_count "$1" "$2" "$3" "$WHITE")" -eq "$full" ]; }
has() { [ "$(e2e_cell_count "$1" "$2" "$3" "$4")" -gt 0 ]; }
none() { [ "$(e2e_cell_count "$1" "$2" "$3" "$4")" -eq 0 ]; }

# Hover over the empty cell (0, 2): cream all over; then over the given 5 at (0, 0).
e2e_move "$(cell_x 0 2)" "$(cell_y 0 2)"
e2e_shot_until 5 hover all_cream hover 0 2 || e2e_fail "hovered empty cell is not cream"
e2e_move "$(cell_x 0 0)" "$(cell_y 0 0)"
hover_given() { has hover 0 0 "$CREAM" && has hover 0 0 "$GIVEN_INK" && all_white hover 0 2; }
e2e_shot_until 5 hover hover_given || e2e_fail "hover did not move to the given"

# Hover over button 0: its highlighted image (x 450 of the strip); button 1 stays normal.
e2e_move $((BARX + 45)) 16
e2e_bitmap_piece button_strip.bmp 450 0 90 30 "$E2E_WORK/b0-hot.png"
e2e_bitmap_piece button_strip.bmp 90 0 90 30 "$E2E_WORK/b1.png"
hot0() { [ "$(e2e_differing hover "$BARX" 2 90 30 "$E2E_WORK/b0-hot.png")" = 0 ]; }
e2e_shot_until 5 hover hot0 || e2e_fail "button 0 is not highlighted under the pointer"
e2e_expect_same hover $((BARX + 90)) 2 90 30 "$E2E_WORK/b1.png" "button 1"
[ "$(e2e_count hover 0 "${ROWY[0]}" "$E2E_CW" $((ROWY[9] - ROWY[0])) "$CREAM")" -eq 0 ] ||
    e2e_fail "a cell stays hovered while the pointer is on a button"

# Select 5 by clicking the given at (0, 0): every given 5 is framed in red, nothing else is.
e2e_click_cell 0 0
e2e_move $((E2E_CW - 3)) $((E2E_CH - 3)) # off the board, so no cell is hovered
fives_red() {
    local r c
    while read -r r c; do has sel $r $c "$MATCH_RED" || return 1; done < <(cells_with 5)
}
e2e_shot_until 5 sel fives_red || e2e_fail "the given 5s are not highlighted"
for d in 1 2 3 4 6 7 8 9; do
    while read -r r c; do
        none sel $r $c "$MATCH_RED" || e2e_fail "given $d at ($r, $c) is highlighted"
    done < <(cells_with $d)
done
e2e_keep sel screenshot-selected

# Place the 5 in the empty cell (0, 2): grey ink, framed as the selected digit, cream ground.
e2e_click_cell 0 2
placed() { has place 0 2 "$ENTERED_INK" && has place 0 2 "$MATCH_RED" && has place 0 2 "$CREAM"; }
e2e_shot_until 5 place placed || e2e_fail "the 5 was not placed in grey"
none place 0 2 "$GIVEN_INK" || e2e_fail "placed digit drawn in the givens' ink"
e2e_click_cell 0 3 # another empty cell: a second 5
e2e_move "$(cell_x 4 4)" "$(cell_y 4 4)"
two() { has place 0 3 "$ENTERED_INK" && none place 0 2 "$CREAM" && has place 0 2 "$WHITE"; }
e2e_shot_until 5 place two || e2e_fail "second 5 missing or first still hovered"
e2e_keep place screenshot-placed

# Right click on a given and on an empty cell: nothing changes.
e2e_click_cell 0 0 3
e2e_click_cell 0 4 3
e2e_move $((E2E_CW - 3)) $((E2E_CH - 3))
e2e_shot_until 5 rc1 all_white rc1 0 4 || e2e_fail "cell (0, 4) not back to white"
has rc1 0 0 "$GIVEN_INK" || e2e_fail "right click erased a given"
has rc1 0 2 "$ENTERED_INK" || e2e_fail "the placed 5 vanished"

# Right click on the placed 5 at (0, 2): it is erased (the cell is hovered, so all cream).
e2e_click_cell 0 2 3
e2e_shot_until 5 erased all_cream erased 0 2 || e2e_fail "right click did not erase the 5"
has erased 0 3 "$ENTERED_INK" || e2e_fail "the other 5 was erased too"

# Keys: 3 on the main row, then 7 on the keypad select those digits.
xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true
xdotool key 3
e2e_move $((E2E_CW - 3)) $((E2E_CH - 3))
threes() {
    local r c
    while read -r r c; do has key $r $c "$MATCH_RED" || return 1; done < <(cells_with 3)
    none key 0 0 "$MATCH_RED"
}
e2e_shot_until 5 key threes || e2e_fail "key 3 did not select the 3s"
xdotool key KP_7
sevens() {
    local r c
    while read -r r c; do has key $r $c "$MATCH_RED" || return 1; done < <(cells_with 7)
    none key 1 0 "$MATCH_RED"
}
e2e_shot_until 5 key sevens || e2e_fail "keypad 7 did not select the 7s"

e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
grid="$(save_grid)"
[ "${grid:3:1}" = 5 ] && [ "${grid:2:1}" = 0 ] || e2e_fail "saved grid starts ${grid:0:9}"
e2e_log "ok: hover, selection, placing, erasing, digit keys"
