#!/usr/bin/env bash
# The first frame: a client area of exactly 522 x 554, and every one of its pixels where the
# layout puts it: background, black outline, grey gaps, the 81 cell tiles, the two buttons and
# the clock. Closing then writes a save file with the game in play.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_write_dat a.dat "1/$PUZZLE_A" "2/$PUZZLE_B"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game

[ "$E2E_CW" -eq 522 ] && [ "$E2E_CH" -eq 554 ] ||
    e2e_fail "client area is ${E2E_CW} x ${E2E_CH}, expected 522 x 554"
e2e_geometry 522 554
[ "${COLX[*]}" = "15 69 123 179 233 287 343 397 451 507" ] || e2e_fail "harness columns ${COLX[*]}"
[ "${ROWY[*]}" = "47 101 155 211 265 319 375 429 483 539" ] || e2e_fail "harness rows ${ROWY[*]}"

e2e_shot start
e2e_keep start screenshot-start

# Single pixels at the places the layout names: background around the board and in the band,
# the 2-pixel outline from (11, 43) to (507, 539), the grey square from (13, 45), 2 grey pixels
# between cells, 4 between boxes.
for p in "0 0" "521 0" "0 553" "521 553" "10 300" "511 300" "260 542" "300 16" "10 42" "507 539"; do
    e2e_expect_px start $p "$BG" background
done
for p in "11 43" "12 44" "506 538" "505 537" "11 538" "506 43"; do
    e2e_expect_px start $p "$BLACK" outline
done
for p in "13 45" "14 46" "504 536" "67 60" "68 60" "175 60" "178 60" "60 99" "60 153" "60 207" "60 210"; do
    e2e_expect_px start $p "$GREY" gap
done

# The whole frame, pixel for pixel, for a clock of 0, 1 or 2 seconds.
e2e_frame_is start "$PUZZLE_A" "$EMPTY81" 0 -1 -1 0 1 2 ||
    e2e_fail "first frame differs from the layout in $E2E_FRAME_DIFF pixels (see start-diff.png)"
e2e_log "first frame matches with the clock at $E2E_FRAME_SECONDS s"
[ "$(e2e_read_clock start 439)" = "$E2E_FRAME_SECONDS" ] || e2e_fail "clock reader disagrees"

e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
[ -f "$E2E_SAVE" ] || e2e_fail "no save file written"
[ "$(save_name)" = a.dat ] || e2e_fail "save names $(save_name)"
[ "$(save_record_count)" -eq 1 ] || e2e_fail "record count $(save_record_count)"
[ "$(save_flag)" -eq 1 ] || e2e_fail "stored game flag $(save_flag), expected 1 (in play)"
[ "$(stat -c %s "$E2E_SAVE")" -eq $((164 + 64)) ] || e2e_fail "save file size $(stat -c %s "$E2E_SAVE")"
e2e_log "ok: client 522 x 554, every pixel as laid out"
