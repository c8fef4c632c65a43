#!/usr/bin/env bash
# End-to-end harness for korvani.exe under Wine: sourced by every e2e test script.
#
# A test prepares a folder with the program and its files, starts the real program on a virtual
# X display, drives it with real pointer and keyboard input through xdotool at client
# coordinates, reads back the client area's pixels with ImageMagick and reads the save file that
# the program leaves behind.
#
# Arguments of every test script: the path of korvani.exe, a state folder shared by the tests
# of one run (the display fixture writes the display it started there) and the path of
# korvani-atlas.exe, whose tile strip the expected frames are composed from.
#
# The tests keep screenshots of the main states in STATE/shots; the README's pictures are
# refreshed with   KORVANI_E2E_SHOTS=$PWD/docs ctest --preset windows -L e2e
set -euo pipefail

e2e_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
e2e_top="$(cd "$e2e_here/../.." && pwd)"
E2E_EXE="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
E2E_STATE="${2:-${TMPDIR:-/tmp}/korvani-e2e-state}"
# korvani-atlas.exe, which writes the tile strip that the game renders, or empty: the cells are
# then checked by their colours only.
E2E_ATLAS_TOOL="${3:-}"
E2E_NAME="$(basename "$0" .sh)"
E2E_RESOURCES="$e2e_top/win/resources"
# Where tests leave screenshots worth keeping (the README's pictures are taken from them).
E2E_SHOTS="${KORVANI_E2E_SHOTS:-$E2E_STATE/shots}"

source "$e2e_top/scripts/wine-env.sh"

E2E_WORK="$(mktemp -d "${TMPDIR:-/tmp}/korvani-e2e-$E2E_NAME.XXXXXX")"
E2E_PID=""
E2E_WIN=""
E2E_OWN_XVFB=""
E2E_RC=""
# The client rectangle in root (screen) coordinates, found from the pixels.
E2E_CX=0 E2E_CY=0 E2E_CW=0 E2E_CH=0

# Colours of the board (R G B as read back from the screen).
BG="224 224 255"
BLACK="0 0 0"
GREY="128 128 128"
WHITE="255 255 255"
CREAM="239 228 176"
GIVEN_INK="38 38 38"
ENTERED_INK="128 128 128"
MATCH_RED="255 38 38"

e2e_log() { echo "[$E2E_NAME] $*"; }

e2e_cleanup() {
    local status=$?
    if [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; then
        kill "$E2E_PID" 2>/dev/null || true
    fi
    if [ -n "$E2E_OWN_XVFB" ]; then
        kill "$E2E_OWN_XVFB" 2>/dev/null || true
    fi
    if [ "$status" -eq 0 ]; then
        rm -rf "$E2E_WORK"
    else
        echo "[$E2E_NAME] FAILED; its folder and screenshots are kept in $E2E_WORK" >&2
    fi
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "[$E2E_NAME] FAIL: $*" >&2
    exit 1
}

# Starts an Xvfb of our own on a free display number; retries when another process took the
# number between the check and the start. Prints "DISPLAY PID".
e2e_spawn_xvfb() {
    local n=$((100 + RANDOM % 300)) tries
    for tries in $(seq 20); do
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        setsid Xvfb ":$n" -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 </dev/null &
        local pid=$!
        local i
        for i in $(seq 100); do
            if [ -e "/tmp/.X11-unix/X$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
                echo ":$n $pid"
                return 0
            fi
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        kill "$pid" 2>/dev/null || true
        n=$((n + 1))
    done
    return 1
}

# The display: the one the fixture started for the whole run, or one of our own (always when
# the test asks for its own screen size with E2E_SCREEN).
e2e_use_display() {
    if [ -z "${E2E_SCREEN:-}" ] && [ -f "$E2E_STATE/display" ]; then
        local display pid
        read -r display pid <"$E2E_STATE/display"
        if kill -0 "$pid" 2>/dev/null; then
            export DISPLAY="$display"
            return
        fi
    fi
    local spawned
    spawned="$(e2e_spawn_xvfb)" || e2e_fail "cannot start Xvfb"
    export DISPLAY="${spawned% *}"
    E2E_OWN_XVFB="${spawned#* }"
}

korvani_prepare_locale
korvani_prepare_prefix
e2e_use_display
mkdir -p "$E2E_SHOTS"

# ---------------------------------------------------------------------------------------------
# The program's folder

E2E_DIR="$E2E_WORK/game"
mkdir -p "$E2E_DIR"
cp "$E2E_EXE" "$E2E_DIR/korvani.exe"
E2E_SAVE="$E2E_DIR/korvani.sav"

# A well-known puzzle with its only solution; relabelled copies make further puzzles with
# known solutions (a relabelling keeps the solution unique).
PUZZLE_A="53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79"
SOLUTION_A="534678912672195348198342567859761423426853791713924856961537284287419635345286179"
EMPTY81="$(printf '0%.0s' $(seq 81))"
relabel() { echo "$1" | tr '123456789' "$2"; }
PUZZLE_B="$(relabel "$PUZZLE_A" 234567891)"
SOLUTION_B="$(relabel "$SOLUTION_A" 234567891)"

# e2e_write_dat NAME LINE... : a problem file, lines ending in CR LF.
e2e_write_dat() {
    local name="$1"
    shift
    : >"$E2E_DIR/$name"
    local line
    for line in "$@"; do printf '%s\r\n' "$line" >>"$E2E_DIR/$name"; done
}

le32() {
    local v=$(($1 & 0xFFFFFFFF))
    printf "\\x$(printf %02x $((v & 255)))\\x$(printf %02x $(((v >> 8) & 255)))"
    printf "\\x$(printf %02x $(((v >> 16) & 255)))\\x$(printf %02x $(((v >> 24) & 255)))"
}

# e2e_write_save FILE.dat RECORDS INDEX FLAG SECONDS GRID81 : a save file with no records
# (RECORDS must be 0: the program adds the file's record itself) or with an unfinished game.
# GRID81 uses '.' or '0' for empty cells.
e2e_write_save() {
    local name="$1" records="$2" index="$3" flag="$4" seconds="$5" grid="$6"
    {
        printf '%s' "$name"
        head -c $((64 - ${#name})) /dev/zero
        le32 "$records"
        le32 "$index"
        le32 "$flag"
        le32 "$seconds"
        local k ch
        for ((k = 0; k < 81; k++)); do
            ch="${grid:k:1}"
            [ "$ch" = "." ] && ch=0
            printf "\\x0$ch"
        done
        head -c 3 /dev/zero
    } >"$E2E_SAVE"
}

# Little-endian fields of the save file.
save_i32() { od -An -t d4 -j "$1" -N 4 "$E2E_SAVE" | tr -d ' '; }
save_i16() { od -An -t d2 -j "$1" -N 2 "$E2E_SAVE" | tr -d ' '; }
save_name() { head -c 64 "$E2E_SAVE" | tr -d '\0'; }
save_grid() { od -An -v -t u1 -j 80 -N 81 "$E2E_SAVE" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//' | tr -d ' '; }
save_record_count() { save_i32 64; }
save_index() { save_i32 68; }
save_flag() { save_i32 72; }
save_seconds() { save_i32 76; }
save_clear_time() { save_i16 $((164 + 64 * $1 + 4 + 2 * $2)); } # record, puzzle

# ---------------------------------------------------------------------------------------------
# Running the program

# e2e_wait_until TIMEOUT_SECONDS COMMAND... : polls the command until it succeeds.
e2e_wait_until() {
    local timeout="$1"
    shift
    local deadline=$((SECONDS + timeout))
    while ! "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

e2e_start() {
    E2E_RC=""
    # The pointer waits in the screen's far corner, so no cell is hovered when the window opens.
    xdotool mousemove --sync 1279 1023
    (cd "$E2E_DIR" && exec "$e2e_top/scripts/wine-run.sh" "$E2E_DIR/korvani.exe") \
        >"$E2E_WORK/wine.log" 2>&1 &
    E2E_PID=$!
}

# The visible top-level X windows of the program, one id a line.
e2e_windows() { xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null || true; }

e2e_window_title() { xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^[^"]*"\(.*\)"$/\1/p'; }

# e2e_find_window TITLE : sets E2E_FOUND to the visible window of the program with that title.
e2e_find_window_once() {
    local w
    for w in $(e2e_windows); do
        if [ "$(e2e_window_title "$w")" = "$1" ]; then
            E2E_FOUND="$w"
            return 0
        fi
    done
    return 1
}
e2e_find_window() {
    E2E_FOUND=""
    e2e_wait_until "${2:-30}" e2e_find_window_once "$1"
}

e2e_exited() { ! kill -0 "$E2E_PID" 2>/dev/null; }

# Waits for the program to end and sets E2E_RC to its exit code.
e2e_wait_exit() {
    e2e_wait_until "${1:-20}" e2e_exited || e2e_fail "the program did not end"
    local rc=0
    wait "$E2E_PID" || rc=$?
    E2E_RC=$rc
    E2E_PID=""
}

# Starts the game and waits for its main window and first frame; finds the client rectangle.
e2e_start_game() {
    e2e_start
    e2e_find_window korvani || e2e_fail "no main window appeared"
    E2E_WIN="$E2E_FOUND"
    e2e_wait_until 15 e2e_locate_client || e2e_fail "the client area never showed the board"
}

# Closes the main window the way a player does (Alt+F4: WM_CLOSE, then WM_DESTROY) and waits
# for a normal exit.
e2e_close() {
    xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true
    xdotool key --clearmodifiers alt+F4
    e2e_wait_exit 20
}

# ---------------------------------------------------------------------------------------------
# Screens and pixels

# e2e_root_shot FILE : the whole screen.
e2e_root_shot() { import -window root "$1"; }

# Finds the client rectangle from the pixels: along the window's middle row and along a column
# two pixels inside the client, the client area starts and ends with background pixels (the
# board never touches the client's edges, and the band's left end is background).
e2e_locate_client() {
    local geo x y w h
    geo="$(xdotool getwindowgeometry --shell "$E2E_WIN" 2>/dev/null)" || return 1
    x="$(echo "$geo" | sed -n 's/^X=//p')"
    y="$(echo "$geo" | sed -n 's/^Y=//p')"
    w="$(echo "$geo" | sed -n 's/^WIDTH=//p')"
    h="$(echo "$geo" | sed -n 's/^HEIGHT=//p')"
    local shot="$E2E_WORK/locate.png"
    e2e_root_shot "$shot"
    # Clip the window to the screen (a maximised window's frame lies partly outside).
    local sw sh
    read -r sw sh < <(identify -format '%w %h' "$shot")
    [ "$x" -lt 0 ] && { w=$((w + x)); x=0; }
    [ "$y" -lt 0 ] && { h=$((h + y)); y=0; }
    [ $((x + w)) -gt "$sw" ] && w=$((sw - x))
    [ $((y + h)) -gt "$sh" ] && h=$((sh - y))
    local span r g b
    # The band's colour: the light theme's unless a test starts the game in another.
    read -r r g b <<<"${E2E_BAND:-224 224 255}"
    span="$(convert "$shot" -crop "${w}x1+${x}+$((y + h / 2))" +repage -depth 8 txt:- |
        awk -F'[(),]' -v r="$r" -v g="$g" -v b="$b" '/^[0-9]/ && $3+0==r && $4+0==g && $5+0==b {split($1,a,":"); if (f=="") f=a[1]; l=a[1]} END {if (f!="") print f, l}')"
    [ -n "$span" ] || return 1
    local left right
    read -r left right <<<"$span"
    local column=$((x + left + 2))
    span="$(convert "$shot" -crop "1x${h}+${column}+${y}" +repage -depth 8 txt:- |
        awk -F'[(),:]' -v r="$r" -v g="$g" -v b="$b" '/^[0-9]/ && $4+0==r && $5+0==g && $6+0==b {split($2,a," "); if (f=="") f=$2; l=$2} END {if (f!="") print f, l}')"
    [ -n "$span" ] || return 1
    local top bottom
    read -r top bottom <<<"$span"
    E2E_CX=$((x + left))
    E2E_CY=$((y + top))
    E2E_CW=$((right - left + 1))
    E2E_CH=$((bottom - top + 1))
}

# e2e_shot NAME : the client area into $E2E_WORK/NAME.png (and a raw copy for pixel reads).
e2e_shot() {
    local png="$E2E_WORK/$1.png"
    import -window root -crop "${E2E_CW}x${E2E_CH}+${E2E_CX}+${E2E_CY}" +repage "$png"
    rm -f "$E2E_WORK/$1.rgb"
}

# e2e_keep NAME DOCNAME : keeps a screenshot for the README.
e2e_keep() { cp "$E2E_WORK/$1.png" "$E2E_SHOTS/$2.png"; }

# e2e_px NAME X Y : "R G B" of a client pixel of a shot.
e2e_px() {
    [ -f "$E2E_WORK/$1.rgb" ] || convert "$E2E_WORK/$1.png" -depth 8 "rgb:$E2E_WORK/$1.rgb"
    od -An -t u1 -j $((($3 * E2E_CW + $2) * 3)) -N 3 "$E2E_WORK/$1.rgb" | tr -s ' ' | sed 's/^ //; s/ $//'
}

e2e_expect_px() {
    local got
    got="$(e2e_px "$1" "$2" "$3")"
    [ "$got" = "$4" ] || e2e_fail "${5:-pixel} at ($2, $3) of $1 is ($got), expected ($4)"
}

# e2e_count NAME X Y W H "R G B" : how many pixels of the rectangle have exactly that colour.
e2e_count() {
    local r g b
    read -r r g b <<<"$6"
    convert "$E2E_WORK/$1.png" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 txt:- |
        awk -F'[(),]' -v r="$r" -v g="$g" -v b="$b" \
            '/^[0-9]/ && $3+0==r && $4+0==g && $5+0==b {n++} END {print n+0}'
}

# e2e_same NAME X Y W H IMAGE : the rectangle equals IMAGE (a file) pixel for pixel.
e2e_differing() {
    convert "$E2E_WORK/$1.png" -crop "${4}x${5}+${2}+${3}" +repage "$E2E_WORK/crop.png"
    compare -metric AE "$E2E_WORK/crop.png" "$6" null: 2>&1 || true
}
e2e_expect_same() {
    local diff
    diff="$(e2e_differing "$@")"
    [ "$diff" = "0" ] || e2e_fail "${7:-region} ($2, $3, $4 x $5) of $1 differs from $(basename "$6") in $diff pixels"
}

# Pieces of the program's own bitmaps, as the screen must show them.
e2e_bitmap_piece() { # SOURCE.bmp X Y W H OUT.png
    convert "$E2E_RESOURCES/$1" -crop "${4}x${5}+${2}+${3}" +repage "$6"
}

# Signatures of the clock font's glyphs 0-9 and the blank (index 10), computed once.
e2e_glyph_signatures() {
    [ -n "${E2E_GLYPH_SIGS:-}" ] && return
    local font="$E2E_RESOURCES/timer_font.bmp" args=() d
    for d in 0 1 2 3 4 5 6 7 8 9 10; do
        args+=("(" -clone 0 -crop "15x19+$((15 * d))+0" +repage ")")
    done
    E2E_GLYPH_SIGS="$(convert "$font" "${args[@]}" -delete 0 -alpha off -depth 8 -format '%#\n' info:)"
}

# The seconds that the clock of a shot shows (clock at x CLOCKX), or -1 when the four glyph
# places do not each hold a glyph of the font (the colon is compared too).
e2e_read_clock() { # NAME CLOCKX
    e2e_glyph_signatures
    local args=() dx
    for dx in 0 15 38 53; do
        args+=("(" -clone 0 -crop "15x19+$(($2 + dx))+11" +repage ")")
    done
    local shown
    shown="$(convert "$E2E_WORK/$1.png" "${args[@]}" -delete 0 -alpha off -depth 8 -format '%#\n' info:)"
    local digits=() sig i
    while read -r sig; do
        i=0
        while read -r known; do
            [ "$sig" = "$known" ] && break
            i=$((i + 1))
        done <<<"$E2E_GLYPH_SIGS"
        [ "$i" -le 10 ] || { echo -1; return; }
        digits+=("$i")
    done <<<"$shown"
    # A blank is only right in the tens of minutes; digits there only from ten minutes on.
    [ "${digits[1]}" -le 9 ] && [ "${digits[2]}" -le 5 ] && [ "${digits[3]}" -le 9 ] || { echo -1; return; }
    local tens=${digits[0]}
    [ "$tens" -eq 10 ] && tens=0
    [ "${digits[0]}" -eq 0 ] && { echo -1; return; }
    convert "$E2E_RESOURCES/timer_font.bmp" -crop 8x19+165+0 +repage "$E2E_WORK/colon.png"
    [ "$(e2e_differing "$1" $(($2 + 30)) 11 8 19 "$E2E_WORK/colon.png")" = 0 ] || { echo -1; return; }
    echo $(((tens * 10 + digits[1]) * 60 + digits[2] * 10 + digits[3]))
}

# ---------------------------------------------------------------------------------------------
# Board geometry for a client size, computed here independently of the program.

e2e_geometry() { # W H : sets CELL BOARD COLX[0..9] ROWY[0..9] BARX CLOCKX
    local w=$1 h=$2
    CELL=$((w / 10 < (h - 32) / 10 ? w / 10 : (h - 32) / 10))
    BOARD=$((9 * CELL + 28))
    COLX=() ROWY=()
    local i p=$((CELL + 2))
    for i in $(seq 0 9); do
        COLX[i]=$(((w - BOARD) / 2 + 2 + i * p + 2 * (i / 3)))
        ROWY[i]=$(((h - 32 - BOARD) / 2 + 34 + i * p + 2 * (i / 3)))
    done
    BARX=$((COLX[0] - 4))
    CLOCKX=$((COLX[9] - 68))
}

# Centre of cell (row, column) in client coordinates.
cell_x() { echo $((COLX[$2] + CELL / 2)); }
cell_y() { echo $((ROWY[$1] + CELL / 2)); }

# ---------------------------------------------------------------------------------------------
# Input at client coordinates

e2e_move() { xdotool mousemove --sync $((E2E_CX + $1)) $((E2E_CY + $2)); }
e2e_click() { e2e_move "$1" "$2"; xdotool click "${3:-1}"; }
e2e_click_cell() { e2e_click "$(cell_x "$1" "$2")" "$(cell_y "$1" "$2")" "${3:-1}"; }

# e2e_cell_has NAME ROW COL "R G B" [MIN] : the cell holds at least MIN (1) pixels of a colour.
e2e_cell_count() { e2e_count "$1" "${COLX[$3]}" "${ROWY[$2]}" "$CELL" "$CELL" "$4"; }

# Polls new shots until a predicate on the shot NAME holds.
e2e_shot_until() { # TIMEOUT NAME PREDICATE...
    local timeout=$1 name=$2
    shift 2
    local deadline=$((SECONDS + timeout))
    while true; do
        e2e_shot "$name"
        "$@" && return 0
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

# ---------------------------------------------------------------------------------------------
# Whole frames, composed here from the layout rules, the tile strip and the program's bitmaps

# e2e_atlas CELL : $E2E_WORK/atlas-CELL.png, the 74 tiles at that cell size as korvani-atlas
# paints them (the same painting that the game turns into its tile bitmap).
e2e_atlas() {
    local out="$E2E_WORK/atlas-$1.png"
    [ -f "$out" ] && return 0
    [ -n "$E2E_ATLAS_TOOL" ] && [ -f "$E2E_ATLAS_TOOL" ] || e2e_fail "korvani-atlas.exe not given"
    (cd "$E2E_WORK" && "$e2e_top/scripts/wine-run.sh" "$E2E_ATLAS_TOOL" "$1" "atlas-$1.bmp") \
        >/dev/null 2>&1 || e2e_fail "korvani-atlas failed"
    convert "$E2E_WORK/atlas-$1.bmp" "$out"
}

# The tile of a cell into TILE: given g, player's digit u, selected digit (0 = none), hovered (1/0).
tile_of() {
    local g=$1 u=$2 sel=$3 hov=$4
    if [ "$g" -ne 0 ]; then
        TILE=$((g == sel ? g + 17 : g - 1))
    elif [ "$u" -ne 0 ]; then
        TILE=$((u == sel ? u + 26 : u + 8))
    else
        TILE=$((72 + hov))
        return
    fi
    TILE=$((TILE + 36 * hov))
}

# ImageMagick arguments into E2E_TILE_ARGS that lay the 81 cells' tiles of a board, cut from
# mpr:atlas (the strip at CELL), over the current image at COLX / ROWY. GIVENS and USER are 81
# characters ('.' or 0 empty), SELECTED a digit or 0, HOVERED a cell index or -1.
e2e_tile_composites() { # GIVENS USER SELECTED HOVERED
    local givens=$1 user=$2 sel=$3 hovered=$4 k g u
    E2E_TILE_ARGS=()
    for ((k = 0; k < 81; k++)); do
        g="${givens:k:1}"
        u="${user:k:1}"
        [ "$g" = . ] && g=0
        [ "$u" = . ] && u=0
        tile_of "$g" "$u" "$sel" $((k == hovered ? 1 : 0))
        E2E_TILE_ARGS+=("(" mpr:atlas -crop "${CELL}x${CELL}+$((TILE * CELL))+0" +repage ")"
            -geometry "+${COLX[k % 9]}+${ROWY[k / 9]}" -composite)
    done
}

# e2e_expected_frame OUT GIVENS USER SELECTED HOVERED HOTBUTTON SECONDS [banner]
# The frame that the layout, the cell tiles, the buttons and the clock give for the current
# client size (E2E_CW x E2E_CH): GIVENS and USER are 81 characters ('.' or 0 empty), SELECTED a
# digit or 0, HOVERED a cell index or -1, HOTBUTTON 0, 1 or -1, SECONDS the clock. With
# "banner" the button bar is blanked and the "clear!" banner drawn over the middle.
e2e_expected_frame() {
    local out=$1 givens=$2 user=$3 sel=$4 hovered=$5 hot=$6 seconds=$7 banner=${8:-}
    e2e_geometry "$E2E_CW" "$E2E_CH"
    e2e_atlas "$CELL"
    local atlas="$E2E_WORK/atlas-$CELL.png" strip="$E2E_RESOURCES/button_strip.bmp"
    local font="$E2E_RESOURCES/timer_font.bmp"
    local args=("$atlas" -write mpr:atlas +delete "$font" -write mpr:font +delete
        -size "${E2E_CW}x${E2E_CH}" "xc:rgb(224,224,255)" +antialias
        -fill black -draw "rectangle $((COLX[0] - 4)),$((ROWY[0] - 4)) $((COLX[9] - 1)),$((ROWY[9] - 1))"
        -fill "rgb(128,128,128)" -draw "rectangle $((COLX[0] - 2)),$((ROWY[0] - 2)) $((COLX[9] - 3)),$((ROWY[9] - 3))")
    e2e_tile_composites "$givens" "$user" "$sel" "$hovered"
    args+=("${E2E_TILE_ARGS[@]}")
    local b
    for b in 0 1; do
        args+=("(" "$strip" -crop "90x30+$((90 * b + (hot == b ? 450 : 0)))+0" +repage ")"
            -geometry "+$((BARX + 90 * b))+2" -composite)
    done
    local n=$((seconds < 0 ? 0 : (seconds > 3599 ? 3599 : seconds)))
    local m=$((n / 60)) s=$((n % 60))
    local glyphs=("$((m < 10 ? 150 : 15 * (m / 10))) 0 15" "$((15 * (m % 10))) 15 15" "165 30 8"
        "$((15 * (s / 10))) 38 15" "$((15 * (s % 10))) 53 15")
    local glyph sx dx w
    for glyph in "${glyphs[@]}"; do
        read -r sx dx w <<<"$glyph"
        args+=("(" mpr:font -crop "${w}x19+${sx}+0" +repage ")" -geometry "+$((CLOCKX + dx))+11" -composite)
    done
    if [ -n "$banner" ]; then
        args+=(-fill "rgb(224,224,255)" -draw "rectangle 0,0 $((BARX + 179)),31"
            "(" mpr:font -crop "293x88+0+19" +repage -transparent white ")"
            -geometry "+$(((E2E_CW - 293) / 2))+$(((E2E_CH - 88) / 2))" -composite)
    fi
    convert "${args[@]}" "$out"
}

# e2e_frame_is NAME GIVENS USER SELECTED HOVERED HOTBUTTON SECONDS... [banner]: the shot NAME
# equals the expected frame for one of the given clock values (the clock may tick between the
# input and the shot). Sets E2E_FRAME_SECONDS to the matching value, E2E_FRAME_DIFF otherwise.
e2e_frame_is() {
    local name=$1 givens=$2 user=$3 sel=$4 hovered=$5 hot=$6
    shift 6
    local banner="" values=() v
    for v in "$@"; do
        if [ "$v" = banner ]; then banner=banner; else values+=("$v"); fi
    done
    E2E_FRAME_DIFF=""
    for v in "${values[@]}"; do
        e2e_expected_frame "$E2E_WORK/$name-expected.png" "$givens" "$user" "$sel" "$hovered" "$hot" "$v" $banner
        E2E_FRAME_DIFF="$(compare -metric AE "$E2E_WORK/$name.png" "$E2E_WORK/$name-expected.png" "$E2E_WORK/$name-diff.png" 2>&1 || true)"
        if [ "$E2E_FRAME_DIFF" = 0 ]; then
            E2E_FRAME_SECONDS=$v
            return 0
        fi
    done
    return 1
}


# e2e_frame_now NAME GIVENS USER SELECTED HOVERED HOTBUTTON [banner] : the shot equals the
# expected frame at whatever time its clock shows (the clock itself must be a valid time).
e2e_frame_now() {
    e2e_geometry "$E2E_CW" "$E2E_CH"
    local shown
    shown="$(e2e_read_clock "$1" "$CLOCKX")"
    [ "$shown" -ge 0 ] || { E2E_FRAME_DIFF="clock"; return 1; }
    e2e_frame_is "$@" "$shown"
}

# e2e_expect_frame TIMEOUT NAME GIVENS USER SELECTED HOVERED HOTBUTTON [banner] : shoots until
# the frame is as expected.
e2e_expect_frame() {
    local timeout=$1 name=$2
    shift 2
    e2e_shot_until "$timeout" "$name" e2e_frame_now "$name" "$@" ||
        e2e_fail "frame $name differs from the expected one in $E2E_FRAME_DIFF pixels"
}
