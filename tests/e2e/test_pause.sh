#!/usr/bin/env bash
# Pause, the mistake display, the hint's balloon and the records in the real program. With the
# mistake display off a wrong digit is today's frame pixel for pixel; on, it is red. P hides
# every digit behind the pause panel and the clock stands still. H shows the explanation in a
# balloon whose text reads back through the API as korvani-hint gives it, and H again places the
# digit and leaves no window but the game's. Two clears later the records dialog counts them,
# and the records log beside the save file holds them.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# Arguments after lib.sh's: korvani-hint.exe and the list_texts helper.
HINT_TOOL="$4" LIST_TEXTS="$5"

e2e_write_dat a.dat "1/$PUZZLE_A" "2/$PUZZLE_B"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"
program="Z:$(echo "$E2E_DIR/korvani.exe" | tr / '\\')"
RED="224 0 0"

off_board() { e2e_move $((E2E_CW - 3)) $((E2E_CH - 3)); }
focus() { xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true; sleep 0.15; }
menu() { # KEY ITEM : a menu item through the keyboard
    focus
    xdotool key --clearmodifiers "alt+$1"
    sleep 0.6
    xdotool key "$2"
    sleep 0.3
}
only_main() { [ "$(e2e_windows)" = "$E2E_WIN" ]; }
other_window() {
    local w
    for w in $(e2e_windows); do
        [ "$w" != "$E2E_WIN" ] && E2E_FOUND="$w" && return 0
    done
    return 1
}
texts() { "$e2e_top/scripts/wine-run.sh" "$LIST_TEXTS" "$program" all | tr -d '\r'; }
board_count() { e2e_count "$1" "${COLX[0]}" "${ROWY[0]}" $((COLX[9] - COLX[0])) $((ROWY[9] - ROWY[0])) "$2"; }

# A wrong 5 at (0, 2) (the solution has 4 there). Mistake display off: today's frame exactly.
e2e_click_cell 0 0
e2e_click_cell 0 2
off_board
user="00500000000000000000000000000000000000000000000000000000000000000000000000000000000"
e2e_expect_frame 5 wrong-off "$PUZZLE_A" "$user" 5 -1 -1
menu v m
red_only_there() {
    [ "$(e2e_cell_count "$1" 0 2 "$RED")" -gt 20 ] &&
        [ "$(board_count "$1" "$RED")" -eq "$(e2e_cell_count "$1" 0 2 "$RED")" ]
}
e2e_shot_until 5 wrong-on red_only_there wrong-on || e2e_fail "the wrong digit is not drawn in red alone"
e2e_keep wrong-on screenshot-mistake
menu v m
e2e_expect_frame 5 wrong-off-again "$PUZZLE_A" "$user" 5 -1 -1
e2e_click_cell 0 2 3
off_board

# P: no digit of the grid shows, and the clock stands still for three seconds.
focus
xdotool key p
hidden() {
    [ "$(board_count "$1" "$GIVEN_INK")" -eq 0 ] && [ "$(board_count "$1" "$ENTERED_INK")" -eq 0 ]
}
e2e_shot_until 5 paused hidden paused || e2e_fail "the pause left digits of the grid visible"
e2e_keep paused screenshot-paused
before="$(e2e_read_clock paused "$CLOCKX")"
sleep 3
e2e_shot paused-later
hidden paused-later || e2e_fail "digits showed during the pause"
after="$(e2e_read_clock paused-later "$CLOCKX")"
[ "$before" -ge 0 ] && [ "$after" -eq "$before" ] || e2e_fail "the clock went from $before to $after while paused"
# A click on the board resumes: the digits are back and the clock runs on.
e2e_click_cell 4 4
off_board
resumed() { ! hidden "$1" && [ "$(e2e_read_clock "$1" "$CLOCKX")" -gt "$before" ]; }
e2e_shot_until 5 resumed resumed resumed || e2e_fail "a click did not resume the game"

# H: the balloon beside the target, its text that of korvani-hint; H again places the digit.
expected="$("$e2e_top/scripts/wine-run.sh" "$HINT_TOOL" --japanese "$PUZZLE_A" | tr -d '\r')"
step="$("$e2e_top/scripts/wine-run.sh" "$HINT_TOOL" "$PUZZLE_A" | tr -d '\r')"
[[ "$step" =~ ^place\ r([1-9])c([1-9])\ ([1-9]) ]] || e2e_fail "korvani-hint gave '$step'"
row=$((BASH_REMATCH[1] - 1)) col=$((BASH_REMATCH[2] - 1))
focus
xdotool key h
e2e_wait_until 10 other_window || e2e_fail "H showed no balloon"
shown="$(texts)"
[[ "$shown" == *"title:$expected"* ]] || e2e_fail "the balloon reads '$shown', not '$expected'"
xdotool key h
placed() { [ "$(e2e_cell_count "$1" "$row" "$col" "$ENTERED_INK")" -gt 0 ]; }
e2e_shot_until 5 applied placed applied || e2e_fail "H then H did not place the digit"
e2e_wait_until 5 only_main || e2e_fail "a window other than the game's stayed after H, H"

# Two clears: the rest of puzzle 1 (a hint and a wrong digit were used in it), then puzzle 2.
solve() { # PUZZLE SOLUTION : every empty cell by clicks, digit by digit, the last one after a tick
    local puzzle=$1 solution=$2 d k last="" clicks
    for d in 1 2 3 4 5 6 7 8 9; do
        k=0
        while [ "${puzzle:k:1}" != "$d" ]; do k=$((k + 1)); done
        clicks=(mousemove $((E2E_CX + $(cell_x $((k / 9)) $((k % 9))))) $((E2E_CY + $(cell_y $((k / 9)) $((k % 9))))) click 1)
        for k in $(seq 0 80); do
            [ "${puzzle:k:1}" = "." ] && [ "${solution:k:1}" = "$d" ] || continue
            [ "$k" -eq $((row * 9 + col)) ] && [ "$puzzle" = "$PUZZLE_A" ] && continue
            if [ -z "$last" ]; then last=$k; continue; fi
            clicks+=(mousemove $((E2E_CX + $(cell_x $((k / 9)) $((k % 9))))) $((E2E_CY + $(cell_y $((k / 9)) $((k % 9))))) click 1)
        done
        xdotool "${clicks[@]}"
    done
    sleep 1.2
    k=0
    while [ "${puzzle:k:1}" != "${solution:last:1}" ]; do k=$((k + 1)); done
    e2e_click_cell $((k / 9)) $((k % 9))
    e2e_click_cell $((last / 9)) $((last % 9))
}
banner() { [ "$(e2e_count "$1" $(((E2E_CW - 293) / 2)) $(((E2E_CH - 88) / 2)) 293 88 "224 0 128")" -gt 500 ]; }
solve "$PUZZLE_A" "$SOLUTION_A"
e2e_shot_until 5 clear-1 banner clear-1 || e2e_fail "puzzle 1 was not cleared"
e2e_click_cell 4 4 # on to puzzle 2
sleep 0.5
solve "$PUZZLE_B" "$SOLUTION_B"
e2e_shot_until 5 clear-2 banner clear-2 || e2e_fail "puzzle 2 was not cleared"

menu g t
e2e_wait_until 10 other_window || e2e_fail "記録 opened no dialog"
dialog="$E2E_FOUND"
sleep 0.3
records="$(texts)"
tab=$'\t'
for want in "title:記録" "難易度 1${tab}1${tab}" "難易度 2${tab}1${tab}" "合計${tab}2${tab}" "a${tab}2 / 2"; do
    [[ "$records" == *"$want"* ]] || e2e_fail "the records dialog lacks '$want': $records"
done
# Puzzle 1 had a hint and a wrong digit, puzzle 2 neither: one clear each way in the total.
total="$(grep "^合計" <<<"$records")"
[ "$(cut -f6 <<<"$total")" = 1 ] && [ "$(cut -f7 <<<"$total")" = 1 ] ||
    e2e_fail "the total counts '$total'"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool key Escape
e2e_wait_until 10 only_main || e2e_fail "the records dialog did not close"
e2e_click_cell 4 4
e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
[ "$(stat -c %s "$E2E_DIR/korvani.log")" -eq $((8 + 2 * 24)) ] || e2e_fail "the records log is not two records long"
[ "$(stat -c %s "$E2E_SAVE")" -eq $((164 + 64)) ] || e2e_fail "the save file is not 228 bytes"
e2e_log "ok: mistakes off exact and on red, pause hides and stops, balloon read and applied, records counted"
