#!/usr/bin/env bash
# Play by mouse: hovering paints the cream ground and highlights a button; clicking a given
# selects its digit and frames every cell holding it in red dots; clicking an empty cell places
# that digit in grey; a right click erases it, and right clicks on givens or empty cells do
# nothing. The keys 1-9 (main row and keypad) select a digit as well.
# Every state is checked as a whole frame, pixel for pixel.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_write_dat a.dat "1/$PUZZLE_A"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"
full=$((CELL * CELL))

USER="$EMPTY81" SEL=0 HOV=-1 HOT=-1
board() { e2e_frame_now "$1" "$PUZZLE_A" "$USER" "$SEL" "$HOV" "$HOT"; }
expect_board() { # NAME WHAT
    e2e_shot_until 5 "$1" board "$1" || e2e_fail "$2 (frame differs in $E2E_FRAME_DIFF pixels)"
}
set_user() { USER="${USER:0:$1}$2${USER:$(($1 + 1))}"; }
cells_with() { # DIGIT : "row col" of every given equal to it
    local k
    for k in $(seq 0 80); do [ "${PUZZLE_A:k:1}" = "$1" ] && echo "$((k / 9)) $((k % 9))"; done
}
count() { e2e_cell_count "$1" "$2" "$3" "$4"; }
off_board() { e2e_move $((E2E_CW - 3)) $((E2E_CH - 3)); }

e2e_shot first
board first || e2e_fail "first frame cells differ in $E2E_CELL_DIFF pixels"

# Hover over the empty cell (0, 2): cream all over; then over the given 5 at (0, 0).
e2e_move "$(cell_x 0 2)" "$(cell_y 0 2)"
HOV=2
expect_board hover "hovered empty cell"
[ "$(count hover 0 2 "$CREAM")" -eq "$full" ] || e2e_fail "hovered empty cell is not all cream"
e2e_move "$(cell_x 0 0)" "$(cell_y 0 0)"
HOV=0
expect_board hover "hover did not move to the given"
[ "$(count hover 0 0 "$CREAM")" -gt $((full / 2)) ] || e2e_fail "hovered given not on cream"
[ "$(count hover 0 2 "$WHITE")" -eq "$full" ] || e2e_fail "left cell still hovered"

# Hover over button 0: its highlighted image (x 450 of the strip); button 1 stays normal and no
# cell is hovered any more.
e2e_move $((BARX + 45)) 16
HOV=-1 HOT=0
expect_board hover "button 0 is not highlighted under the pointer"
e2e_move $((BARX + 135)) 16
HOT=1
expect_board hover "button 1 is not highlighted under the pointer"
e2e_keep hover screenshot-hover-button
HOT=-1

# Select 5 by clicking the given at (0, 0): every given 5 is framed in red, nothing else is.
e2e_click_cell 0 0
off_board
SEL=5
expect_board sel "the given 5s are not highlighted"
while read -r r c; do
    [ "$(count sel $r $c "$MATCH_RED")" -gt 0 ] || e2e_fail "given 5 at ($r, $c) has no red frame"
done < <(cells_with 5)
n="$(e2e_count sel 0 "${ROWY[0]}" "$E2E_CW" $((ROWY[9] - ROWY[0])) "$MATCH_RED")"
m=0
while read -r r c; do m=$((m + $(count sel $r $c "$MATCH_RED"))); done < <(cells_with 5)
[ "$n" -eq "$m" ] || e2e_fail "red pixels outside the 5s ($n on the board, $m in the 5s)"
e2e_keep sel screenshot-selected

# Place the 5 in the empty cell (0, 2): grey ink, framed as the selected digit, cream ground.
e2e_click_cell 0 2
set_user 2 5
HOV=2
expect_board place "the 5 was not placed"
[ "$(count place 0 2 "$MATCH_RED")" -gt 0 ] || e2e_fail "placed 5 not framed as selected"
e2e_click_cell 0 3
set_user 3 5
e2e_move "$(cell_x 4 4)" "$(cell_y 4 4)"
HOV=40
expect_board place "second 5 missing, or the hover did not follow"
e2e_keep place screenshot-placed

# Right clicks on a given and on an empty cell change nothing.
e2e_click_cell 0 0 3
e2e_click_cell 0 4 3
off_board
HOV=-1
expect_board rc "a right click on a given or an empty cell changed the board"

# Right click on the placed 5 at (0, 2): erased (the cell is hovered, so all cream).
e2e_click_cell 0 2 3
set_user 2 0
HOV=2
expect_board erased "right click did not erase the 5"
[ "$(count erased 0 2 "$CREAM")" -eq "$full" ] || e2e_fail "erased cell not plain cream"

# Keys: 3 on the main row, then 7 on the keypad select those digits.
off_board
xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true
xdotool key 3
SEL=3 HOV=-1
expect_board key "key 3 did not select the 3s"
xdotool key KP_7
SEL=7
expect_board key "keypad 7 did not select the 7s"

e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
grid="$(save_grid)"
[ "$grid" = "$USER" ] || e2e_fail "saved grid $grid, expected $USER"
e2e_log "ok: hover, selection, placing, erasing, digit keys"
