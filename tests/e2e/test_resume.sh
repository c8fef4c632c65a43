#!/usr/bin/env bash
# Quitting during play and starting again resumes the same digits and clock with nothing
# selected, and the clock runs on from the saved value.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_write_dat a.dat "1/$PUZZLE_A"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"

# Select 5 and place it at (0, 2) and (0, 3); place a 6 at (8, 0) after selecting the 6 at (1, 0).
e2e_click_cell 0 0
e2e_click_cell 0 2
e2e_click_cell 0 3
e2e_click_cell 1 0
e2e_click_cell 8 0
e2e_move $((E2E_CW - 3)) $((E2E_CH - 3))
two_seconds() { [ "$(e2e_read_clock play "$CLOCKX")" -ge 2 ]; }
e2e_shot_until 6 play two_seconds || e2e_fail "the clock did not reach 0:02"
e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
[ "$(save_flag)" -eq 1 ] || e2e_fail "stored game flag $(save_flag)"
saved="$(save_seconds)"
[ "$saved" -ge 2 ] && [ "$saved" -le 4 ] || e2e_fail "saved clock $saved"
grid="$(save_grid)"
expected="005500000$(printf '0%.0s' $(seq 1 63))600000000"
[ "$grid" = "$expected" ] || e2e_fail "saved grid $grid"

e2e_start_game
e2e_shot resumed
# Exactly the stored digits, nothing selected or hovered, buttons normal, the stored clock.
e2e_frame_now resumed "$PUZZLE_A" "$expected" 0 -1 -1 ||
    e2e_fail "resumed frame differs in $E2E_FRAME_DIFF pixels"
[ "$(e2e_count resumed 0 "${ROWY[0]}" "$E2E_CW" $((ROWY[9] - ROWY[0])) "$MATCH_RED")" -eq 0 ] ||
    e2e_fail "a digit is selected after resuming"
[ "$(e2e_count resumed 0 "${ROWY[0]}" "$E2E_CW" $((ROWY[9] - ROWY[0])) "$CREAM")" -eq 0 ] ||
    e2e_fail "a cell is hovered after resuming"
e2e_bitmap_piece button_strip.bmp 0 0 180 30 "$E2E_WORK/buttons.png"
e2e_expect_same resumed "$BARX" 2 180 30 "$E2E_WORK/buttons.png" "button bar"
shown="$(e2e_read_clock resumed "$CLOCKX")"
[ "$shown" -eq "$saved" ] || [ "$shown" -eq $((saved + 1)) ] ||
    e2e_fail "resumed clock shows $shown, saved $saved"
e2e_keep resumed screenshot-resumed
runs_on() { [ "$(e2e_read_clock tick "$CLOCKX")" -gt "$shown" ]; }
e2e_shot_until 4 tick runs_on || e2e_fail "the resumed clock does not run"
e2e_close
[ "$(save_seconds)" -gt "$saved" ] || e2e_fail "clock not carried on: $(save_seconds)"
[ "$(save_grid)" = "$expected" ] || e2e_fail "grid changed by resuming"
e2e_log "ok: resumed at $saved s with three digits"
