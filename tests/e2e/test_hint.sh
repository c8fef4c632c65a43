#!/usr/bin/env bash
# Hints in the real program: H with a wrong digit on the board frames that cell in red and says
# so in a balloon that Escape closes; on the untouched gentle puzzle the first H marks the next
# step and the second places the right digit.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_write_dat a.dat "1/$PUZZLE_A"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"

MISTAKE="224 0 0" TARGET="0 176 0"
off_board() { e2e_move $((E2E_CW - 3)) $((E2E_CH - 3)); }
other_window() { # sets E2E_FOUND to a visible window of the program that is not the main one
    local w
    for w in $(e2e_windows); do
        [ "$w" != "$E2E_WIN" ] && E2E_FOUND="$w" && return 0
    done
    return 1
}
gone() { ! e2e_windows | grep -qx "$1"; }
# Presses H on the board; when a balloon comes, Escape (to the game's window, which keeps the
# keyboard) closes it.
hint() { # BALLOON: "balloon" when the explanation must come
    xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true
    sleep 0.15
    xdotool key h
    if [ "$1" = balloon ]; then
        e2e_wait_until 10 other_window || e2e_fail "H showed no balloon"
        local balloon="$E2E_FOUND"
        xdotool key Escape
        e2e_wait_until 10 gone "$balloon" || e2e_fail "Escape did not close the hint's balloon"
    else
        e2e_wait_until 10 only_main || e2e_fail "the balloon stayed after the step was applied"
    fi
    off_board
}
only_main() { [ "$(e2e_windows)" = "$E2E_WIN" ]; }
ring=$((CELL * CELL - (CELL - 2 * (CELL / 16 < 2 ? 2 : CELL / 16)) ** 2))
board_count() { e2e_count "$1" 0 "${ROWY[0]}" "$E2E_CW" $((ROWY[9] - ROWY[0])) "$2"; }

# A wrong 5 at (0, 2) (the solution has 4 there): H frames exactly that cell in red.
e2e_click_cell 0 0
e2e_click_cell 0 2
hint balloon
framed() { [ "$(e2e_cell_count wrong 0 2 "$MISTAKE")" -eq "$ring" ]; }
e2e_shot_until 5 wrong framed || e2e_fail "the wrong digit is not framed in red"
[ "$(board_count wrong "$MISTAKE")" -eq "$ring" ] || e2e_fail "red frames beside the wrong digit"

# Erased, the mark goes; H marks the next step (its target in green), H again places it.
e2e_click_cell 0 2 3
off_board
unmarked() { [ "$(board_count erased "$MISTAKE")" -eq 0 ]; }
e2e_shot_until 5 erased unmarked || e2e_fail "the mistake's frame stayed after the change"
hint balloon
marked() { [ "$(board_count marked "$TARGET")" -eq "$ring" ]; }
e2e_shot_until 5 marked marked || e2e_fail "the hint marked no target"
e2e_keep marked screenshot-hint
hint applied
unmarked_target() { [ "$(board_count applied "$TARGET")" -eq 0 ]; }
e2e_shot_until 5 applied unmarked_target || e2e_fail "the second H left the marks"
e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"

grid="$(save_grid)" placed=0
for ((k = 0; k < 81; k++)); do
    [ "${grid:k:1}" = 0 ] && continue
    placed=$((placed + 1))
    [ "${grid:k:1}" = "${SOLUTION_A:k:1}" ] || e2e_fail "the hint placed ${grid:k:1} at $k, not ${SOLUTION_A:k:1}"
done
[ "$placed" -eq 1 ] || e2e_fail "the hint placed $placed digits"
e2e_log "ok: wrong digit framed, hint marked and applied, balloon closed by Escape and the step"
