#!/usr/bin/env bash
# The three dialogs in the real program, driven with the keyboard as a player would:
#   - first run without a save file: the Open-problem dialog comes before any main window,
#     centred on the desktop, and choosing a file starts its first uncleared puzzle;
#   - the Problem-selection dialog (button 0): Cancel keeps the game and its running clock, OK
#     starts the chosen puzzle, Clear erases the file's times at once (also when the dialog is
#     then cancelled), so the save file ends with 30 zero times under the same key;
#   - the Open-problem dialog (menu): the current file is preselected, another file can be
#     chosen, and a file that fails to load is named in a notice, the dialog staying open, and
#     leaves the game exactly as it was;
#   - the About box opens from the menu and closes with Return.
# The list texts themselves are checked in the dialog tests (tests/win), which read them.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PUZZLE_C="$(relabel "$PUZZLE_A" 345678912)"
e2e_write_dat easy.dat "1/$PUZZLE_A" "2/$PUZZLE_B" "3/$PUZZLE_C"

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || true; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.2; }
gone() { ! xdotool getwindowname "$1" >/dev/null 2>&1 || ! e2e_windows | grep -qx "$1"; }
# e2e_write_save cannot write records; these patch the save file the program wrote.
patch_i16() { # OFFSET VALUE
    printf "\\x$(printf %02x $(($2 & 255)))\\x$(printf %02x $((($2 >> 8) & 255)))" |
        dd of="$E2E_SAVE" bs=1 seek="$1" conv=notrunc status=none
}
patch_i32() { patch_i16 "$1" $(($2 & 0xFFFF)); patch_i16 $(($1 + 2)) $((($2 >> 16) & 0xFFFF)); }
record_key() { od -An -t x4 -j $((164 + 64 * $1)) -N 4 "$E2E_SAVE" | tr -d ' '; }
no_hover() { e2e_move $((E2E_CW - 3)) $((E2E_CH - 3)); }
# The current board is PUZZLE with the player's digits USER and SELECTED (0: none) selected.
expect_board() { # NAME PUZZLE USER SELECTED MESSAGE
    no_hover
    shows() { e2e_frame_now "$1" "$2" "$3" "$4" -1 -1; }
    e2e_shot_until 4 "$1" shows "$1" "$2" "$3" "$4" ||
        e2e_fail "$5 (differs in ${E2E_FRAME_DIFF:-?} pixels)"
}
open_menu_item() { # LETTER TITLE : the Game menu's item with that access key
    focus "$E2E_WIN"
    key alt+g
    key "$1"
    e2e_find_window "$2" 10 || e2e_fail "menu item $1 did not open $2"
    DIALOG="$E2E_FOUND"
    focus "$DIALOG"
}
open_selection() {
    e2e_click $((BARX + 45)) 16
    e2e_find_window "問題の選択" 10 || e2e_fail "button 0 did not open the Problem-selection dialog"
    DIALOG="$E2E_FOUND"
    focus "$DIALOG"
}
close_dialog_with() { # KEY...
    key "$@"
    e2e_wait_until 10 gone "$DIALOG" || e2e_fail "the dialog did not close"
}

# ---------------------------------------------------------------------------------------------
# First run: the Open-problem dialog with no main window, centred on the desktop.
e2e_start
e2e_find_window "問題を開く" 20 || e2e_fail "no Open-problem dialog on the first run"
DIALOG="$E2E_FOUND"
for w in $(e2e_windows); do
    [ "$(e2e_window_title "$w")" != korvani ] || e2e_fail "a main window exists before a file is chosen"
done
eval "$(xdotool getwindowgeometry --shell "$DIALOG" | sed 's/^/D/')"
read -r SW SH < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
[ "$DX" -eq $(((SW - DWIDTH) / 2)) ] && [ "$DY" -eq $(((SH - DHEIGHT) / 2)) ] ||
    e2e_fail "start-up dialog at ($DX, $DY) size $DWIDTH x $DHEIGHT is not centred on ${SW}x$SH"
sleep 0.3
import -window root -crop "${DWIDTH}x${DHEIGHT}+${DX}+${DY}" +repage "$E2E_SHOTS/screenshot-open-problem.png"
focus "$DIALOG"
close_dialog_with Return
e2e_find_window korvani || e2e_fail "choosing a file did not start the game"
E2E_WIN="$E2E_FOUND"
e2e_wait_until 15 e2e_locate_client || e2e_fail "the client area never showed the board"
e2e_geometry "$E2E_CW" "$E2E_CH"
expect_board first "$PUZZLE_A" "$EMPTY81" 0 "the first run did not start puzzle 1 of easy.dat"
e2e_close
[ "$(save_name)" = easy.dat ] || e2e_fail "save file names $(save_name)"
[ "$(save_record_count)" -eq 1 ] || e2e_fail "records: $(save_record_count)"
[ "$(save_index)" -eq 0 ] || e2e_fail "current puzzle $(save_index)"
KEY="$(record_key 0)"

# ---------------------------------------------------------------------------------------------
# Problem-selection dialog. Puzzles 1 and 2 are cleared, so the game goes on with puzzle 3.
patch_i16 $((164 + 4)) 75
patch_i16 $((164 + 6)) 3600
patch_i32 72 -1
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"
expect_board third "$PUZZLE_C" "$EMPTY81" 0 "the next start did not go on with the first uncleared puzzle"

# Place a digit, then open the dialog and wait in it: Cancel keeps the digit and the clock ran on.
e2e_click_cell 0 0
e2e_click_cell 0 2
USER_C="..${PUZZLE_C:0:1}$(printf '.%.0s' $(seq 78))"
e2e_shot before
before="$(e2e_read_clock before "$CLOCKX")"
open_selection
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$DIALOG" | sed 's/^/S/')"
import -window root -crop "${SWIDTH}x${SHEIGHT}+${SX}+${SY}" +repage "$E2E_SHOTS/screenshot-select-problem.png"
sleep 2.2
close_dialog_with Escape
after_cancel() { [ "$(e2e_read_clock cancelled "$CLOCKX")" -ge $((before + 2)) ]; }
e2e_shot_until 3 cancelled after_cancel || e2e_fail "the clock did not run on while the dialog was open"
expect_board kept "$PUZZLE_C" "$USER_C" "${PUZZLE_C:0:1}" "Cancel changed the game"

# OK on the first line starts puzzle 1 afresh.
open_selection
key Home
close_dialog_with Return
expect_board chosen "$PUZZLE_A" "$EMPTY81" 0 "OK on line 1 did not start puzzle 1"

# Clear (the third button after the list), confirmed, then Cancel: the times are gone anyway.
open_selection
key Tab Tab Tab space
e2e_find_window "確認" 10 || e2e_fail "Clear asked no question"
focus "$E2E_FOUND"
key Return
e2e_wait_until 10 gone "$E2E_FOUND" || e2e_fail "the question did not close"
focus "$DIALOG"
close_dialog_with Escape
e2e_close
[ "$(record_key 0)" = "$KEY" ] || e2e_fail "the record's key changed: $(record_key 0), was $KEY"
for i in $(seq 0 29); do
    [ "$(save_clear_time 0 "$i")" -eq 0 ] || e2e_fail "clear time $i is $(save_clear_time 0 "$i") after Clear"
done
[ "$(save_index)" -eq 0 ] || e2e_fail "Clear moved the current puzzle to $(save_index)"

# ---------------------------------------------------------------------------------------------
# Open-problem dialog from the menu.
PUZZLE_D="$(relabel "$PUZZLE_A" 987654321)"
e2e_write_dat hard.dat "7/$PUZZLE_D" "8/$PUZZLE_B"
e2e_write_dat a.dat "4/$PUZZLE_B"
e2e_write_dat broken.dat "this line is not a puzzle"
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"

# Return at once reopens the preselected current file: still easy.dat and its one record.
open_menu_item o "問題を開く"
close_dialog_with Return
expect_board reopened "$PUZZLE_A" "$EMPTY81" 0 "reopening easy.dat did not start its first puzzle"

# Typing h selects hard; it loads with a new record and starts its first puzzle.
open_menu_item o "問題を開く"
key h
close_dialog_with Return
expect_board hard "$PUZZLE_D" "$EMPTY81" 0 "choosing hard did not start its first puzzle"

# A digit placed, then the broken file: a notice names it and the dialog stays open; cancelled,
# it leaves the game exactly as it was.
e2e_click_cell 0 0
e2e_click_cell 0 2
USER_D="..${PUZZLE_D:0:1}$(printf '.%.0s' $(seq 78))"
open_menu_item o "問題を開く"
OPEN_DIALOG="$DIALOG"
key b
key Return
e2e_find_window "確認" 10 || e2e_fail "no notice named the file that did not load"
DIALOG="$E2E_FOUND"
focus "$DIALOG"
close_dialog_with Return
e2e_windows | grep -qx "$OPEN_DIALOG" || e2e_fail "the Open-problem dialog closed after the failed load"
DIALOG="$OPEN_DIALOG"
focus "$DIALOG"
close_dialog_with Escape
expect_board after_broken "$PUZZLE_D" "$USER_D" "${PUZZLE_D:0:1}" "the failed load changed the game"

# The About box.
open_menu_item a "バージョン情報"
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$DIALOG" | sed 's/^/A/')"
import -window root -crop "${AWIDTH}x${AHEIGHT}+${AX}+${AY}" +repage "$E2E_SHOTS/screenshot-about.png"
close_dialog_with Return

e2e_close
[ "$(save_name)" = hard.dat ] || e2e_fail "after the failed load the save file names $(save_name)"
[ "$(head -c 64 "$E2E_SAVE" | tail -c 56 | tr -d '\0' | wc -c)" -eq 0 ] ||
    e2e_fail "the stored name is not followed by zero bytes"
[ "$(save_record_count)" -eq 2 ] || e2e_fail "records: $(save_record_count)"
[ "$(save_index)" -eq 0 ] || e2e_fail "current puzzle $(save_index)"
[ "$(save_flag)" -eq 1 ] || e2e_fail "the game in play was not stored"
[ "$(save_grid | cut -c3)" = "${PUZZLE_D:0:1}" ] || e2e_fail "stored grid $(save_grid)"
e2e_log "ok: start-up choice, selection with Cancel/OK/Clear, menu open with preselection, failed load, About"
