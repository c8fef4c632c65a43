#!/usr/bin/env bash
# Hints in the real program: H with a wrong digit on the board frames that cell in red and says
# so in a box captioned "ヒント"; on the untouched gentle puzzle the first H marks the next step
# and the second places the right digit.
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
# Presses H on the board; when a box comes, checks its caption and answers it.
hint() { # BOX: "box" when a message box must come
    xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true
    sleep 0.15
    xdotool key h
    if [ "$1" = box ]; then
        e2e_wait_until 10 other_window || e2e_fail "H showed no message box"
        local box="$E2E_FOUND"
        [ "$(xdotool getwindowname "$box")" = "ヒント" ] ||
            e2e_fail "the hint's box is captioned '$(xdotool getwindowname "$box")'"
        xdotool windowfocus --sync "$box" 2>/dev/null || true
        xdotool key Return
        e2e_wait_until 10 gone "$box" || e2e_fail "the hint's box did not close"
    else
        sleep 0.5
        if other_window; then
            xdotool windowfocus --sync "$E2E_FOUND" 2>/dev/null || true
            xdotool key Return
            e2e_wait_until 10 gone "$E2E_FOUND" || true
        fi
    fi
    off_board
}
ring=$((CELL * CELL - (CELL - 2 * (CELL / 16 < 2 ? 2 : CELL / 16)) ** 2))
board_count() { e2e_count "$1" 0 "${ROWY[0]}" "$E2E_CW" $((ROWY[9] - ROWY[0])) "$2"; }

# A wrong 5 at (0, 2) (the solution has 4 there): H frames exactly that cell in red.
e2e_click_cell 0 0
e2e_click_cell 0 2
hint box
framed() { [ "$(e2e_cell_count wrong 0 2 "$MISTAKE")" -eq "$ring" ]; }
e2e_shot_until 5 wrong framed || e2e_fail "the wrong digit is not framed in red"
[ "$(board_count wrong "$MISTAKE")" -eq "$ring" ] || e2e_fail "red frames beside the wrong digit"

# Erased, the mark goes; H marks the next step (its target in green), H again places it.
e2e_click_cell 0 2 3
off_board
unmarked() { [ "$(board_count erased "$MISTAKE")" -eq 0 ]; }
e2e_shot_until 5 erased unmarked || e2e_fail "the mistake's frame stayed after the change"
hint box
marked() { [ "$(board_count marked "$TARGET")" -eq "$ring" ]; }
e2e_shot_until 5 marked marked || e2e_fail "the hint marked no target"
e2e_keep marked screenshot-hint
hint maybe
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
e2e_log "ok: wrong digit framed, hint marked and applied, box captioned ヒント"
