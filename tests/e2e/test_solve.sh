#!/usr/bin/env bash
# A whole puzzle solved by clicks: the "clear!" banner appears over the board, the button bar
# is blanked, the clock stops; closing writes the clear time; the next start begins the next
# uncleared puzzle of the file.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_write_dat a.dat "1/$PUZZLE_A" "2/$PUZZLE_B"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"
e2e_shot before

# For each digit: select it on a given, then click every empty cell whose solution it is. The
# very last cell is left for after the clock has shown a whole second (a solve within the
# first second records 0, which means "not cleared").
last=""
for d in 1 2 3 4 5 6 7 8 9; do
    k=0
    while [ "${PUZZLE_A:k:1}" != "$d" ]; do k=$((k + 1)); done
    clicks=("mousemove" "$((E2E_CX + $(cell_x $((k / 9)) $((k % 9)))))" "$((E2E_CY + $(cell_y $((k / 9)) $((k % 9)))))" "click" "1")
    for k in $(seq 0 80); do
        [ "${PUZZLE_A:k:1}" = "." ] && [ "${SOLUTION_A:k:1}" = "$d" ] || continue
        if [ "$d" = 9 ] && [ -z "$last" ]; then
            last=$k
            continue
        fi
        clicks+=("mousemove" "$((E2E_CX + $(cell_x $((k / 9)) $((k % 9)))))" "$((E2E_CY + $(cell_y $((k / 9)) $((k % 9)))))" "click" "1")
    done
    xdotool "${clicks[@]}"
done
ticked() { [ "$(e2e_read_clock tick "$CLOCKX")" -ge 1 ]; }
e2e_shot_until 5 tick ticked || e2e_fail "the clock did not start"
e2e_keep tick screenshot-playing
e2e_click_cell $((last / 9)) $((last % 9))

# The solved frame: every cell with its digit (9 selected, the last cell still hovered), the
# button bar blanked and the "clear!" banner over the middle, pixel for pixel.
solved=""
for ((k = 0; k < 81; k++)); do
    if [ "${PUZZLE_A:k:1}" = . ]; then solved+="${SOLUTION_A:k:1}"; else solved+=0; fi
done
e2e_expect_frame 5 clear "$PUZZLE_A" "$solved" 9 "$last" -1 banner
e2e_keep clear screenshot-clear
[ "$(e2e_count clear $(((E2E_CW - 293) / 2)) $(((E2E_CH - 88) / 2)) 293 88 "224 0 128")" -gt 500 ] ||
    e2e_fail "the banner shows too little of its magenta lettering"
n="$(e2e_count clear 0 0 $((BARX + 180)) 32 "$BG")"
[ "$n" -eq $(((BARX + 180) * 32)) ] || e2e_fail "button bar not blanked ($n background pixels)"
shown="$(e2e_read_clock clear "$CLOCKX")"
[ "$shown" -ge 1 ] || e2e_fail "clock shows $shown after the solve"

# The clock has stopped: a second and a half later it shows the same time.
sleep 1.5
e2e_shot later
[ "$(e2e_read_clock later "$CLOCKX")" = "$shown" ] || e2e_fail "the clock runs on after the solve"
# The pointer moving over the board redraws nothing any more.
e2e_move "$(cell_x 4 4)" "$(cell_y 4 4)"
sleep 0.3
e2e_shot moved
[ "$(compare -metric AE "$E2E_WORK/later.png" "$E2E_WORK/moved.png" null: 2>&1 || true)" = 0 ] ||
    e2e_fail "hover redraws after the solve"

e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
[ "$(save_flag)" -eq -1 ] || e2e_fail "stored game flag $(save_flag), expected -1 (solved)"
[ "$(save_index)" -eq 0 ] || e2e_fail "current puzzle $(save_index)"
[ "$(save_clear_time 0 0)" -eq "$shown" ] || e2e_fail "clear time $(save_clear_time 0 0), shown $shown"
[ "$(save_clear_time 0 1)" -eq 0 ] || e2e_fail "puzzle 2 marked cleared"

# Next start: puzzle 2, whose cell (0, 0) holds a given 6 where puzzle 1 had a 5; it looks
# exactly like a given 6 of the first frame of puzzle 1.
e2e_start_game
e2e_shot next
k=0
while [ "${PUZZLE_A:k:1}" != 6 ]; do k=$((k + 1)); done
convert "$E2E_WORK/before.png" -crop "${CELL}x${CELL}+${COLX[k % 9]}+${ROWY[k / 9]}" +repage "$E2E_WORK/six.png"
e2e_expect_same next "${COLX[0]}" "${ROWY[0]}" "$CELL" "$CELL" "$E2E_WORK/six.png" "cell (0, 0) of puzzle 2"
e2e_frame_now next "$PUZZLE_B" "$EMPTY81" 0 -1 -1 || e2e_fail "puzzle 2's first frame differs in $E2E_FRAME_DIFF pixels"
[ "$E2E_FRAME_SECONDS" -le 2 ] || e2e_fail "the clock did not start again at 0"
e2e_close
[ "$(save_index)" -eq 1 ] || e2e_fail "current puzzle $(save_index) after the next start"
[ "$(save_flag)" -eq 1 ] || e2e_fail "stored game flag $(save_flag) while puzzle 2 is in play"
[ "$(save_clear_time 0 0)" -eq "$shown" ] || e2e_fail "clear time lost"
e2e_log "ok: solved in $shown s, banner, clock stopped, next puzzle started"
