#!/usr/bin/env bash
# The display at another scale: in a Wine prefix of its own whose LogPixels is DPI (144 = 150 %,
# 192 = 200 %), the window starts at the smallest client area of that scale, every cell shows
# korvani-atlas's tile at the cell size of the scaled layout (nothing stretched), the buttons
# and the clock's colon are the pixels that the game draws for that scale (korvani-band-pictures
# draws them with the same code and system font), and clicks land where the cells are drawn, to
# the last pixel. At 150 % a WM_DPICHANGED to 200 % then rebuilds everything at the new scale
# and takes the suggested rectangle.
# Arguments: korvani.exe, the state folder, korvani-atlas.exe, the DPI, send_dpi_changed.exe,
# band_pictures.exe.
set -euo pipefail
scale_dpi="$4"
scale_sender="$5"
scale_band_tool="$6"
scale_top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# A copy of the tests' prefix with the display scale written into it; the wineserver that wrote
# it is stopped so that the game's own server reads it afresh.
source "$scale_top/scripts/wine-env.sh"
korvani_prepare_locale
korvani_prepare_prefix
scale_prefix="$2/prefix-dpi$scale_dpi"
if [ ! -f "$scale_prefix/.korvani-dpi" ]; then
    rm -rf "$scale_prefix"
    mkdir -p "$2"
    cp -a "$KORVANI_WINEPREFIX" "$scale_prefix"
    WINEPREFIX="$scale_prefix" /usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' \
        /v LogPixels /t REG_DWORD /d "$scale_dpi" /f >/dev/null 2>&1
    # The copy may still hold the dark app theme that the themes test set and took back, since
    # the tests' wineserver writes its registry to disk only now and then: the copy starts light.
    WINEPREFIX="$scale_prefix" /usr/lib/wine/wine64 reg delete \
        'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' \
        /v AppsUseLightTheme /f >/dev/null 2>&1 || true
    WINEPREFIX="$scale_prefix" "$korvani_wineserver" -k 2>/dev/null || true
    WINEPREFIX="$scale_prefix" "$korvani_wineserver" -w 2>/dev/null || true
    touch "$scale_prefix/.korvani-dpi"
fi
export KORVANI_WINEPREFIX="$scale_prefix"
# The 200 % window is taller than the shared display; this test brings a screen of its own.
export E2E_SCREEN=1800x1500x24
set -- "$1" "$2" "$3"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The layout at a scale, computed here from the 96-DPI numbers with the one rounding rule
# (nearest, halves up): sets SCALED_*, CELL, COLX, ROWY, BARX, CLOCKX and the band's pictures
# of that scale (SCALED_STRIP, SCALED_FONT in the work folder).
px() { echo $((($1 * $2 + 48) / 96)); }
scaled_geometry() { # DPI W H
    local dpi=$1 w=$2 h=$3
    local band outline gap box lift rim
    band=$(px 32 "$dpi") outline=$(px 2 "$dpi") gap=$(px 2 "$dpi") box=$(px 4 "$dpi")
    lift=$(px 2 "$dpi")
    rim=$((outline + gap))
    SCALED_BAND=$band SCALED_RIM=$rim SCALED_OUTLINE=$outline
    SCALED_BW=$(px 90 "$dpi") SCALED_BH=$(px 30 "$dpi") SCALED_BY=$(px 2 "$dpi")
    [ $((SCALED_BY + SCALED_BH)) -le "$band" ] || SCALED_BY=$((band - SCALED_BH))
    SCALED_DIGIT=$(px 15 "$dpi") SCALED_COLON=$(px 8 "$dpi")
    SCALED_GY=$(px 11 "$dpi") SCALED_GH=$(px 19 "$dpi")
    CELL=$((w / 10 < (h - band) / 10 ? w / 10 : (h - band) / 10))
    BOARD=$((9 * CELL + 2 * rim + 6 * gap + 2 * box))
    COLX=() ROWY=()
    local i
    for i in $(seq 0 8); do
        COLX[i]=$(((w - BOARD) / 2 - lift + rim + i * (CELL + gap) + (box - gap) * (i / 3)))
        ROWY[i]=$(((h - band - BOARD) / 2 + band - lift + rim + i * (CELL + gap) + (box - gap) * (i / 3)))
    done
    COLX[9]=$((COLX[8] + CELL + rim))
    ROWY[9]=$((ROWY[8] + CELL + rim))
    BARX=$((COLX[0] - rim))
    CLOCKX=$((COLX[9] - 4 * SCALED_DIGIT - SCALED_COLON))
    SCALED_STRIP="$E2E_WORK/band-$dpi-strip.bmp"
    SCALED_FONT="$E2E_WORK/band-$dpi-font.bmp"
    if [ ! -f "$SCALED_FONT" ]; then
        (cd "$E2E_WORK" && "$scale_top/scripts/wine-run.sh" "$scale_band_tool" "$dpi" \
            "band-$dpi-strip.bmp" "band-$dpi-font.bmp") >/dev/null 2>&1 ||
            e2e_fail "korvani-band-pictures failed at $dpi DPI"
    fi
}

# A piece of one of the band's pictures as PNG.
band_piece() { # PICTURE.bmp X Y W H OUT.png
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage "$6"
}

# The shot NAME shows, cell for cell, the tiles of the given board (as e2e_frame_is takes it),
# cut from korvani-atlas's strip at CELL: the shot with the 81 tiles laid over it must be
# unchanged.
cells_are() { # NAME GIVENS USER SELECTED HOVERED
    local name=$1 givens=$2 user=$3 sel=$4 hovered=$5
    e2e_atlas "$CELL"
    e2e_tile_composites "$givens" "$user" "$sel" "$hovered"
    convert "$E2E_WORK/atlas-$CELL.png" -write mpr:atlas +delete "$E2E_WORK/$name.png" \
        "${E2E_TILE_ARGS[@]}" "$E2E_WORK/$name-cells.png"
    CELLS_DIFF="$(compare -metric AE "$E2E_WORK/$name.png" "$E2E_WORK/$name-cells.png" null: 2>&1 || true)"
    [ "$CELLS_DIFF" = 0 ]
}

# The frame around the cells, the buttons and the clock's colon at the scale of the layout.
expect_scaled_band_and_outline() { # NAME
    local name=$1
    e2e_expect_px "$name" $((COLX[0] - SCALED_RIM)) $((ROWY[0] - SCALED_RIM)) "$BLACK" outline
    e2e_expect_px "$name" $((COLX[9] - 1)) $((ROWY[9] - 1)) "$BLACK" outline
    e2e_expect_px "$name" $((COLX[0] - SCALED_RIM + SCALED_OUTLINE)) $((ROWY[4])) "$GREY" gap
    e2e_expect_px "$name" $((COLX[3] - 1)) $((ROWY[4])) "$GREY" "gap between boxes"
    e2e_expect_px "$name" $((COLX[0] - SCALED_RIM - 1)) $((ROWY[4])) "$BG" background
    local b
    for b in 0 1; do
        band_piece "$SCALED_STRIP" $((SCALED_BW * b)) 0 "$SCALED_BW" "$SCALED_BH" "$E2E_WORK/button$b.png"
        e2e_expect_same "$name" $((BARX + SCALED_BW * b)) "$SCALED_BY" "$SCALED_BW" "$SCALED_BH" \
            "$E2E_WORK/button$b.png" "button $b"
    done
    band_piece "$SCALED_FONT" $((11 * SCALED_DIGIT)) 0 "$SCALED_COLON" "$SCALED_GH" "$E2E_WORK/colon.png"
    e2e_expect_same "$name" $((CLOCKX + 2 * SCALED_DIGIT)) "$SCALED_GY" "$SCALED_COLON" "$SCALED_GH" \
        "$E2E_WORK/colon.png" "clock colon"
}

e2e_write_dat a.dat "1/$PUZZLE_A" "2/$PUZZLE_B"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game

want_w=$(px 522 "$scale_dpi")
want_h=$((want_w + $(px 32 "$scale_dpi")))
[ "$E2E_CW" -eq "$want_w" ] && [ "$E2E_CH" -eq "$want_h" ] ||
    e2e_fail "client area is ${E2E_CW} x ${E2E_CH} at $scale_dpi DPI, expected $want_w x $want_h"
scaled_geometry "$scale_dpi" "$E2E_CW" "$E2E_CH"
e2e_log "client $E2E_CW x $E2E_CH, cell $CELL, columns ${COLX[*]}"

# The pointer starts in the middle of the screen, over a cell of the larger windows.
e2e_move 1 1
e2e_shot_until 10 start cells_are start "$PUZZLE_A" "$EMPTY81" 0 -1 ||
    e2e_fail "cells differ from korvani-atlas's tiles at $CELL px in $CELLS_DIFF pixels"
e2e_keep start "screenshot-$((scale_dpi * 100 / 96))" # docs/screenshot-150.png, -200.png
expect_scaled_band_and_outline start

# A click on the last pixel of a given's cell selects its digit; one on the first pixel of an
# empty cell places it. Both cells are found from the layout alone.
first_given=-1 first_empty=-1
for ((k = 0; k < 81; k++)); do
    c="${PUZZLE_A:k:1}"
    if [ "$c" != . ] && [ "$c" != 0 ] && [ "$first_given" -lt 0 ]; then first_given=$k; fi
    if { [ "$c" = . ] || [ "$c" = 0 ]; } && [ "$first_empty" -lt 0 ]; then first_empty=$k; fi
done
digit="${PUZZLE_A:first_given:1}"
e2e_click $((COLX[first_given % 9] + CELL - 1)) $((ROWY[first_given / 9] + CELL - 1))
e2e_shot_until 10 selected cells_are selected "$PUZZLE_A" "$EMPTY81" "$digit" "$first_given" ||
    e2e_fail "a click on the last pixel of cell $first_given did not select $digit ($CELLS_DIFF pixels off)"
e2e_click "${COLX[first_empty % 9]}" "${ROWY[first_empty / 9]}"
placed="${EMPTY81:0:first_empty}$digit${EMPTY81:first_empty+1}"
e2e_shot_until 10 placed cells_are placed "$PUZZLE_A" "$placed" "$digit" "$first_empty" ||
    e2e_fail "a click on the first pixel of cell $first_empty did not place $digit ($CELLS_DIFF pixels off)"
e2e_log "clicks land on the cells drawn at $CELL px"

if [ "$scale_dpi" -eq 144 ]; then
    # The window reaches a 200 % monitor: the game rebuilds at 192 DPI in the suggested size.
    (cd "$E2E_WORK" && "$scale_top/scripts/wine-run.sh" "$scale_sender" 192) >/dev/null 2>&1 ||
        e2e_fail "WM_DPICHANGED could not be sent"
    e2e_wait_until 15 e2e_locate_client || e2e_fail "no client area after WM_DPICHANGED"
    [ "$E2E_CW" -eq 1044 ] && [ "$E2E_CH" -eq 1108 ] ||
        e2e_fail "after WM_DPICHANGED the client is ${E2E_CW} x ${E2E_CH}, expected 1044 x 1108"
    scaled_geometry 192 "$E2E_CW" "$E2E_CH"
    # The pointer stays on the placed cell wherever the new layout put it.
    e2e_move $((COLX[first_empty % 9] + CELL / 2)) $((ROWY[first_empty / 9] + CELL / 2))
    e2e_shot_until 10 moved cells_are moved "$PUZZLE_A" "$placed" "$digit" "$first_empty" ||
        e2e_fail "after WM_DPICHANGED the cells differ from the tiles at $CELL px ($CELLS_DIFF)"
    expect_scaled_band_and_outline moved
    e2e_log "WM_DPICHANGED to 192 DPI rebuilt the layout at $CELL px and the band at 200 %"
fi

e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
"$korvani_wineserver" -w 2>/dev/null || true
e2e_log "ok: $scale_dpi DPI, client $want_w x $want_h, tiles unstretched, clicks on the pixels"
