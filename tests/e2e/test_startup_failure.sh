#!/usr/bin/env bash
# Start-up without anything to play: with no save file and no problem file, or with a save file
# that names a missing problem file, the program shows only the start-up error box (caption
# "初期化エラー"), ends with exit code 0 and writes no save file. With a problem file that cannot
# be used, the Open-problem dialog comes first, and cancelling it ends the same way.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

expect_error_box() { # KEEP-AS
    e2e_start
    e2e_find_window "初期化エラー" || e2e_fail "no start-up error box"
    local box="$E2E_FOUND" w
    for w in $(e2e_windows); do
        [ "$(e2e_window_title "$w")" != korvani ] || e2e_fail "a main window was created"
    done
    if [ -n "$1" ]; then
        eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/B/')"
        sleep 0.3 # let the box finish painting its text before it is photographed
        import -window root -crop "${BWIDTH}x${BHEIGHT}+${BX}+${BY}" +repage "$E2E_SHOTS/$1.png"
    fi
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key --clearmodifiers Return
    e2e_wait_exit 20
    [ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
}

# No save file and no problem file at all.
expect_error_box screenshot-startup-error
[ ! -e "$E2E_SAVE" ] || e2e_fail "a save file was written"

# A save file naming a problem file that is not there (and no other): the save file stays as it
# was, byte for byte.
e2e_write_save missing.dat 0 0 -1 0 ""
cp "$E2E_SAVE" "$E2E_WORK/save-before"
expect_error_box ""
cmp -s "$E2E_SAVE" "$E2E_WORK/save-before" || e2e_fail "the save file was changed"

# A save file naming a problem file whose first line is not a puzzle: the Open-problem dialog
# comes first (it lists that file); cancelling it fails start-up with the same box.
e2e_write_dat broken.dat "this is not a puzzle"
e2e_write_save broken.dat 0 0 -1 0 ""
cp "$E2E_SAVE" "$E2E_WORK/save-before"
e2e_start
e2e_find_window "問題を開く" 20 || e2e_fail "no Open-problem dialog for an unusable problem file"
xdotool windowfocus --sync "$E2E_FOUND" 2>/dev/null || true
xdotool key --clearmodifiers Escape
e2e_find_window "初期化エラー" || e2e_fail "no error box after cancelling the dialog"
xdotool windowfocus --sync "$E2E_FOUND" 2>/dev/null || true
xdotool key --clearmodifiers Return
e2e_wait_exit 20
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
cmp -s "$E2E_SAVE" "$E2E_WORK/save-before" || e2e_fail "the save file was changed"
e2e_log "ok: error box, exit code 0, no save file written"
