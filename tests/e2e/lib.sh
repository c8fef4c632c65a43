#!/usr/bin/env bash
# End-to-end harness for korvani.exe under Wine: sourced by every e2e test script.
#
# A test prepares a folder with the program and its files, starts the real program on a virtual
# X display, drives it with real pointer and keyboard input through xdotool at client
# coordinates, reads back the client area's pixels with ImageMagick and reads the save file that
# the program leaves behind.
#
# Arguments of every test script: the path of korvani.exe and a state folder shared by the
# tests of one run (the display fixture writes the display it started there).
set -euo pipefail

e2e_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
e2e_top="$(cd "$e2e_here/../.." && pwd)"
E2E_EXE="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
E2E_STATE="${2:-${TMPDIR:-/tmp}/korvani-e2e-state}"
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
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
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

# The display: the one the fixture started for the whole run, or one of our own.
e2e_use_display() {
    if [ -f "$E2E_STATE/display" ]; then
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
    local span
    span="$(convert "$shot" -crop "${w}x1+${x}+$((y + h / 2))" +repage -depth 8 txt:- |
        awk -F'[(),]' '/^[0-9]/ && $3+0==224 && $4+0==224 && $5+0==255 {split($1,a,":"); if (f=="") f=a[1]; l=a[1]} END {if (f!="") print f, l}')"
    [ -n "$span" ] || return 1
    local left right
    read -r left right <<<"$span"
    local column=$((x + left + 2))
    span="$(convert "$shot" -crop "1x${h}+${column}+${y}" +repage -depth 8 txt:- |
        awk -F'[(),:]' '/^[0-9]/ && $4+0==224 && $5+0==224 && $6+0==255 {split($2,a," "); if (f=="") f=$2; l=$2} END {if (f!="") print f, l}')"
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
    convert "$png" -depth 8 "rgb:$E2E_WORK/$1.rgb"
}

# e2e_keep NAME DOCNAME : keeps a screenshot for the README.
e2e_keep() { cp "$E2E_WORK/$1.png" "$E2E_SHOTS/$2.png"; }

# e2e_px NAME X Y : "R G B" of a client pixel of a shot.
e2e_px() {
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

# The expected clock image for a count of seconds (the same glyph choice as the program's).
e2e_clock_image() { # SECONDS OUT.png
    local n=$1 m s
    m=$((n / 60))
    s=$((n % 60))
    local tens=$((m < 10 ? 150 : 15 * (m / 10)))
    local font="$E2E_RESOURCES/timer_font.bmp"
    convert \( "$font" -crop "15x19+${tens}+0" +repage \) \
        \( "$font" -crop "15x19+$((15 * (m % 10)))+0" +repage \) \
        \( "$font" -crop "8x19+165+0" +repage \) \
        \( "$font" -crop "15x19+$((15 * (s / 10)))+0" +repage \) \
        \( "$font" -crop "15x19+$((15 * (s % 10)))+0" +repage \) +append "$2"
}

# The seconds shown by the clock of a shot at clock x, or -1 when it matches no count up to
# the given limit.
e2e_read_clock() { # NAME CLOCKX LIMIT
    local n
    for ((n = 0; n <= $3; n++)); do
        e2e_clock_image "$n" "$E2E_WORK/clock-expected.png"
        if [ "$(e2e_differing "$1" "$2" 11 68 19 "$E2E_WORK/clock-expected.png")" = "0" ]; then
            echo "$n"
            return
        fi
    done
    echo -1
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
