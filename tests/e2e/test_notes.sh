#!/usr/bin/env bash
# Notes and undo in the real program: Ctrl + click adds the selected digit's note in its third
# of the cell and takes it away again, a middle click does the same; undo and redo give back the
# frames before and after a placement; filling and clearing all notes (編集 menu) gives back
# the frame; the notes survive quitting and starting again, and the save file holds the same
# bytes as after the same game played without notes.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_write_dat a.dat "1/$PUZZLE_A"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"

USER="$EMPTY81" SEL=6
focus() { xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true; sleep 0.15; }
off_board() { e2e_move $((E2E_CW - 3)) $((E2E_CH - 3)); }
expect_board() { # NAME WHAT : the plain frame of USER with SEL selected, nothing hovered
    off_board
    e2e_shot_until 5 "$1" e2e_frame_now "$1" "$PUZZLE_A" "$USER" "$SEL" -1 -1 ||
        e2e_fail "$2 (frame differs in $E2E_FRAME_DIFF pixels)"
}
# The board's square of two shots agree pixel for pixel (the clock may differ).
same_board() {
    convert "$E2E_WORK/$2.png" -crop "${BOARD}x${BOARD}+$((COLX[0] - 4))+$((ROWY[0] - 4))" +repage \
        "$E2E_WORK/board-$2.png"
    [ "$(e2e_differing "$1" $((COLX[0] - 4)) $((ROWY[0] - 4)) "$BOARD" "$BOARD" "$E2E_WORK/board-$2.png")" = 0 ]
}
back_to() { # NAME EARLIER WHAT : the board shows again exactly what the shot EARLIER showed
    off_board
    e2e_shot_until 5 "$1" same_board "$1" "$2" || e2e_fail "$3"
}
settled_board() { # NAME : shoots until two shots in a row show the same board
    local i
    for i in $(seq 20); do
        e2e_shot "$1-prev"
        sleep 0.2
        e2e_shot "$1"
        same_board "$1" "$1-prev" && return 0
    done
    e2e_fail "the board of $1 never settled"
}
ctrl_click_cell() { # ROW COL
    focus
    xdotool keydown ctrl
    sleep 0.15
    e2e_click_cell "$1" "$2"
    sleep 0.15
    xdotool keyup ctrl
    sleep 0.15
}
edit_menu() { # LETTER
    focus
    xdotool key --clearmodifiers alt+e
    sleep 0.6
    xdotool key "$1"
    sleep 0.3
}
save_without_clock() { # the save file's bytes less the clock (bytes 76..79), as hex
    { head -c 76 "$E2E_SAVE"; tail -c +81 "$E2E_SAVE"; } | od -An -v -t x1 | tr -d ' \n'
}

# Select 6 on the given at (1, 0).
e2e_click_cell 1 0
expect_board base "the 6 was not selected"

# Ctrl + click on the empty cell (0, 2): the note 6 in red (the selected digit) within the right
# third of the middle row of that cell, and nowhere else.
ctrl_click_cell 0 2
off_board
has_note() { [ "$(e2e_cell_count note 0 2 "$MATCH_RED")" -gt 0 ]; }
e2e_shot_until 5 note has_note || e2e_fail "Ctrl + click showed no note"
margin=$((CELL / 18)) interior=$((CELL - 2 * (CELL / 18)))
edge() { echo $((margin + $1 * interior / 3)); }
# The box around every changed pixel below the band (the clock may have ticked), in the cell.
top=$((ROWY[0] - 4))
convert "$E2E_WORK/base.png" "$E2E_WORK/note.png" -crop "${E2E_CW}x$((E2E_CH - top))+0+$top" \
    +repage -compose difference -composite -threshold 0 -format '%@\n' info: >"$E2E_WORK/bbox"
read -r w h x y < <(tr 'x+' '  ' <"$E2E_WORK/bbox")
x=$((x - COLX[2])) y=$((y + top - ROWY[0]))
[ "$x" -ge "$(edge 2)" ] && [ $((x + w)) -le "$(edge 3)" ] && [ "$y" -ge "$(edge 1)" ] &&
    [ $((y + h)) -le "$(edge 2)" ] || e2e_fail "note 6 not alone in its third: $(cat "$E2E_WORK/bbox")"

ctrl_click_cell 0 2
back_to unnoted base "a second Ctrl + click did not take the note away"

# A middle click is the same gesture.
e2e_click_cell 0 2 2
back_to middle note "a middle click differs from Ctrl + click"
e2e_click_cell 0 2 2
back_to unnoted base "a second middle click did not take the note away"

# Undo and redo of a placement (Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z).
e2e_click_cell 0 2
USER="${USER:0:2}6${USER:3}"
expect_board placed "the 6 was not placed"
focus
xdotool key --clearmodifiers ctrl+z
back_to undone base "Ctrl+Z did not give back the frame before the click"
xdotool key --clearmodifiers ctrl+y
back_to redone placed "Ctrl+Y did not give back the frame after the click"
xdotool key --clearmodifiers ctrl+z
back_to undone base "a second Ctrl+Z did not undo"
xdotool key --clearmodifiers ctrl+shift+z
back_to redone placed "Ctrl+Shift+Z did not redo"

# Fill every candidate, then clear them all: the same frame as before.
edit_menu m
settled_board filled
[ "$(e2e_cell_count filled 0 3 "$MATCH_RED")" -eq 0 ] || e2e_fail "a 6 noted beside the placed 6"
same_board filled placed && e2e_fail "filling the candidates changed nothing"
e2e_keep filled screenshot-notes
edit_menu c
back_to cleared placed "clearing the notes did not give back the frame"

# Notes survive a restart: fill again, quit, start, select 6 again: the same board.
edit_menu m
settled_board kept
e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
[ -f "${E2E_SAVE%.sav}.mem" ] || e2e_fail "no notes file beside the save file"
with_notes="$(save_without_clock)"
e2e_start_game
e2e_click_cell 1 0
off_board
e2e_shot_until 5 resumed same_board resumed kept || e2e_fail "the notes did not survive a restart"
e2e_close

# The same game without notes: the save file's bytes are the same (the clock aside).
rm -f "${E2E_SAVE%.sav}.mem"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game
e2e_click_cell 1 0
e2e_click_cell 0 2
e2e_close
[ "$(save_without_clock)" = "$with_notes" ] || e2e_fail "the save file differs from a game without notes"
e2e_log "ok: note toggles, middle click, undo/redo, fill/clear, notes kept, same save file"
