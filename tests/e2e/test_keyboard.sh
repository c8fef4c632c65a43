#!/usr/bin/env bash
# The keyboard alone: the first bundled gentle puzzle played from its start to "clear!" with the
# cursor and the digit keys, the clear time in the save file and Enter moving on to the next
# puzzle. On the way: the cursor's frame at its cell and nowhere else; with the cursor hidden
# (Escape) and with digit keys alone the frames are exactly those of a game played by mouse; the
# hover's ground goes when the pointer leaves the window.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

cp "$e2e_top/puzzles/1-gentle.dat" "$E2E_DIR/"
PUZZLE="$(sed -n '1s/^[^/]*\///p' "$E2E_DIR/1-gentle.dat" | tr -d '\r')"
# Its only completion.
SOLUTION="625837491943615827187492536758324619396571248412968753279156384861243975534789162"
e2e_write_save 1-gentle.dat 0 0 -1 0 ""
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"
CURSOR="120 40 200"

focus() { xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true; sleep 0.15; }
keys() { focus; xdotool key --delay 40 "$@"; sleep 0.3; }
off_window() { xdotool mousemove --sync 1279 1023; }
cursor_pixels() { e2e_count "$1" 0 0 "$E2E_CW" "$E2E_CH" "$CURSOR"; }

off_window
USER="$EMPTY81"
# A digit key alone chooses, as a click on a given would: today's frame exactly.
keys 6
e2e_expect_frame 5 chosen "$PUZZLE" "$USER" 6 -1 -1

# The hover's ground goes when the pointer leaves the window.
e2e_move "$(cell_x 0 0)" "$(cell_y 0 0)"
e2e_expect_frame 5 hovered "$PUZZLE" "$USER" 6 0 -1
off_window
e2e_expect_frame 5 left "$PUZZLE" "$USER" 6 -1 -1

# The first arrow shows the cursor on the last cell the pointer was over; it moves from there.
keys Down
keys Right Right Down
row=1 col=2
has_cursor() {
    e2e_shot cursor
    [ "$(e2e_px cursor "${COLX[$col]}" "${ROWY[$row]}")" = "$CURSOR" ] &&
        [ "$(e2e_px cursor $((COLX[col] + CELL - 1)) $((ROWY[row] + CELL - 1)))" = "$CURSOR" ]
}
e2e_wait_until 5 has_cursor || e2e_fail "no cursor frame at row $row, column $col"
thick=$((CELL / 12 < 3 ? 3 : CELL / 12)) arm=$((CELL / 3))
[ "$(cursor_pixels cursor)" -eq $((8 * thick * arm - 4 * thick * thick)) ] ||
    e2e_fail "cursor pixels elsewhere: $(cursor_pixels cursor)"
e2e_keep cursor screenshot-keyboard
[ "$(e2e_px cursor $((COLX[col] + CELL / 2)) "${ROWY[$row]}")" != "$CURSOR" ] ||
    e2e_fail "the cursor's frame runs all around the cell"

# Escape hides it: the frame is today's again.
keys Escape
e2e_expect_frame 5 hidden "$PUZZLE" "$USER" 6 -1 -1

# The whole puzzle by keys: to the first cell, then row by row; every empty cell gets its digit.
# The last one waits until the clock has shown a whole second.
keys Up Home ctrl+Home
last=-1
for ((k = 0; k < 81; k++)); do [ "${PUZZLE:k:1}" = . ] && last=$k; done
sequence=()
for ((k = 0; k < 81; k++)); do
    if [ "${PUZZLE:k:1}" = . ] && [ "$k" -ne "$last" ]; then sequence+=("${SOLUTION:k:1}"); fi
    if [ "$k" -eq "$last" ]; then break; fi
    if [ $((k % 9)) -eq 8 ]; then sequence+=(Down Home); else sequence+=(Right); fi
done
keys "${sequence[@]}"
sleep 1.2
keys "${SOLUTION:last:1}"
solved=""
for ((k = 0; k < 81; k++)); do
    if [ "${PUZZLE:k:1}" = . ]; then solved+="${SOLUTION:k:1}"; else solved+=0; fi
done
# The solved board with its banner, and the cursor's frame still on the last cell: the one
# difference from the frame after a solve by mouse.
cursor_total=$((8 * thick * arm - 4 * thick * thick))
clear_with_cursor() {
    e2e_shot clear
    ! e2e_frame_now clear "$PUZZLE" "$solved" "${SOLUTION:last:1}" -1 -1 banner &&
        [ "$E2E_FRAME_DIFF" = "$cursor_total" ] && [ "$(cursor_pixels clear)" = "$cursor_total" ] &&
        [ "$(e2e_px clear "${COLX[$((last % 9))]}" "${ROWY[$((last / 9))]}")" = "$CURSOR" ]
}
e2e_wait_until 5 clear_with_cursor || e2e_fail "the clear frame differs: $E2E_FRAME_DIFF pixels"

# Enter moves on to the next puzzle; closing writes the clear time.
keys Return
next_started() { e2e_shot next; [ "$(e2e_px next $((E2E_CW / 2)) $((E2E_CH / 2)))" != "$(e2e_px clear $((E2E_CW / 2)) $((E2E_CH / 2)))" ]; }
e2e_wait_until 5 next_started || e2e_fail "Enter did not move on after the clear"
e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
[ "$(save_clear_time 0 0)" -ge 1 ] || e2e_fail "no clear time in the save file: $(save_clear_time 0 0)"
[ "$(save_index)" -eq 1 ] || e2e_fail "the next puzzle is $(save_index), not 1"
e2e_log "ok: keys alone from the first digit to the clear and the next puzzle, cursor frame, hover cleared"
