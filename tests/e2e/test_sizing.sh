#!/usr/bin/env bash
# The frame: dragging an edge or a corner inward stops at a client area of 522 x 554 and the
# opposite edges stay; dragging outward enlarges the client area and the board is laid out anew;
# maximising enlarges the board and restoring brings the previous one back.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_write_dat a.dat "1/$PUZZLE_A"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game

window() { # sets WX WY WW WH
    eval "$(xdotool getwindowgeometry --shell "$E2E_WIN" | sed 's/^/W/')"
    WX=$WX WY=$WY WW=$WWIDTH WH=$WHEIGHT
}
# drag FROM_X FROM_Y DX DY : presses the left button on a point of the frame and moves in steps.
drag() {
    local x=$1 y=$2 dx=$3 dy=$4 i
    xdotool mousemove --sync "$x" "$y" mousedown 1
    for i in 1 2 3 4 5 6 7 8 9 10; do
        xdotool mousemove --sync $((x + dx * i / 10)) $((y + dy * i / 10))
        sleep 0.03
    done
    xdotool mouseup 1
}
client_is() { e2e_locate_client && [ "$E2E_CW" -eq "$1" ] && [ "$E2E_CH" -eq "$2" ]; }
# The outline of the board lies where the layout puts it for the current client size.
board_laid_out() {
    e2e_geometry "$E2E_CW" "$E2E_CH"
    e2e_shot "$1"
    e2e_expect_px "$1" $((COLX[0] - 4)) $((ROWY[0] - 4)) "$BLACK" "outline corner"
    e2e_expect_px "$1" $((COLX[9] - 1)) $((ROWY[9] - 1)) "$BLACK" "outline corner"
    e2e_expect_px "$1" $((COLX[0] - 5)) $((ROWY[0] - 5)) "$BG" "outside the outline"
    e2e_expect_px "$1" $((COLX[0] - 2)) $((ROWY[0] - 2)) "$GREY" "inner edge"
    local n
    n="$(e2e_count "$1" $((COLX[0] - 4)) $((ROWY[0] - 4)) "$BOARD" 2 "$BLACK")"
    [ "$n" -eq $((2 * BOARD)) ] || e2e_fail "top outline has $n black pixels, expected $((2 * BOARD))"
    e2e_bitmap_piece button_strip.bmp 0 0 180 30 "$E2E_WORK/buttons.png"
    e2e_expect_same "$1" "$BARX" 2 180 30 "$E2E_WORK/buttons.png" "button bar"
}

window
x0=$WX y0=$WY w0=$WW h0=$WH
mid=$((WY + WH / 2))

# Left edge inward: nothing moves.
drag $((WX + 1)) $mid 120 0
sleep 0.3
window
[ "$WX" -eq "$x0" ] && [ "$WW" -eq "$w0" ] || e2e_fail "left edge moved to $WX (width $WW)"
client_is 522 554 || e2e_fail "client ${E2E_CW} x ${E2E_CH} after dragging the left edge in"

# Right edge outward by 100: a wider client area, the board centred anew.
drag $((WX + WW - 2)) $mid 100 0
e2e_wait_until 5 client_is 622 554 || e2e_fail "client ${E2E_CW} x ${E2E_CH} after widening"
board_laid_out wide
[ "${COLX[0]}" -eq 65 ] || e2e_fail "harness geometry for 622 x 554"

# Bottom-right corner far inward: back to exactly the minimum, the top-left corner stays.
window
drag $((WX + WW - 2)) $((WY + WH - 2)) -300 -300
e2e_wait_until 5 client_is 522 554 || e2e_fail "client ${E2E_CW} x ${E2E_CH} after the corner drag"
window
[ "$WX" -eq "$x0" ] && [ "$WY" -eq "$y0" ] || e2e_fail "top-left corner moved to $WX, $WY"
board_laid_out corner

# Top edge down: the client keeps 554 rows and the bottom edge does not move.
bottom=$((WY + WH))
drag $((WX + WW / 2)) $((WY + 1)) 0 150
sleep 0.3
window
[ $((WY + WH)) -eq "$bottom" ] || e2e_fail "bottom edge moved from $bottom to $((WY + WH))"
client_is 522 554 || e2e_fail "client ${E2E_CW} x ${E2E_CH} after dragging the top edge"

# Maximise with a double click on the caption, then restore the same way.
window
before_x=$WX before_y=$WY
xdotool mousemove --sync $((WX + WW / 2)) $((WY + 10)) click --repeat 2 --delay 80 1
bigger() { e2e_locate_client && [ "$E2E_CW" -gt 1000 ]; }
e2e_wait_until 8 bigger || e2e_fail "maximising left the client at ${E2E_CW} x ${E2E_CH}"
board_laid_out maximised
[ "$CELL" -gt 52 ] || e2e_fail "maximised board keeps cell size $CELL"
e2e_log "maximised: client ${E2E_CW} x ${E2E_CH}, cell size $CELL"
e2e_keep maximised screenshot-maximised
xdotool mousemove --sync 640 3 click --repeat 2 --delay 80 1
e2e_wait_until 8 client_is 522 554 || e2e_fail "restoring gave ${E2E_CW} x ${E2E_CH}"
board_laid_out restored
window
[ "$WX" -eq "$before_x" ] && [ "$WY" -eq "$before_y" ] || e2e_fail "restored to $WX, $WY"

e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
e2e_log "ok: minimum kept on every drag, maximise and restore"
