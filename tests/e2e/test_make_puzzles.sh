#!/usr/bin/env bash
# Making new puzzles from the Game menu, driven with the keyboard: grade 3, five puzzles, with
# the symmetry left on. The new file lies beside the executable with five lines of grade 3
# carrying the file's tag, the Open-problem dialog lists it, and the board shows the givens of
# its first puzzle.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# Argument after lib.sh's: the list_texts helper.
LIST_TEXTS="$4"

e2e_write_dat easy.dat "1/$PUZZLE_A"
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || true; }
made_file() { ls "$E2E_DIR"/作成-難易度3-*.dat 2>/dev/null | head -1; }
made_and_opened() { [ -n "$(made_file)" ] && [ -z "$(e2e_windows | grep -vx "$E2E_WIN")" ]; }

e2e_start
e2e_find_window "問題を開く" 20 || e2e_fail "no Open-problem dialog on the first run"
focus "$E2E_FOUND"
key Return
e2e_find_window korvani || e2e_fail "choosing a file did not start the game"
E2E_WIN="$E2E_FOUND"
e2e_wait_until 15 e2e_locate_client || e2e_fail "the client area never showed the board"
e2e_geometry "$E2E_CW" "$E2E_CH"

focus "$E2E_WIN"
key alt+g
key n
e2e_find_window "新しい問題を作る" 10 || e2e_fail "the menu item did not open the dialog"
focus "$E2E_FOUND"
key Down
key Down
key Tab
key 5
key Return
e2e_wait_until 60 made_and_opened || e2e_fail "no file of grade 3 was made and opened"

FILE="$(made_file)"
case "$(basename "$FILE")" in
作成-難易度3-[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]-[0-9][0-9][0-9][0-9][0-9][0-9].dat) ;;
*) e2e_fail "made file named $(basename "$FILE")" ;;
esac
[ "$(wc -l <"$FILE")" -eq 5 ] || e2e_fail "the made file has $(wc -l <"$FILE") lines"
grep -Eqv '^3 g[0-9a-f]{6}/[.1-9]{81}$' "$FILE" && e2e_fail "a line is not of grade 3: $(cat "$FILE")"
[ "$(cut -d/ -f1 "$FILE" | sort -u | wc -l)" -eq 1 ] || e2e_fail "the lines carry different tags"

# The board shows the first puzzle, nothing entered and no digit selected.
FIRST="$(head -1 "$FILE" | cut -d/ -f2)"
e2e_move $((E2E_CW - 3)) $((E2E_CH - 3))
e2e_expect_frame 4 made-first "$FIRST" "$EMPTY81" 0 -1 -1

# The Open-problem dialog lists the made file beside easy.
focus "$E2E_WIN"
key alt+g
key o
e2e_find_window "問題を開く" 10 || e2e_fail "the Open-problem dialog did not open"
DIALOG="$E2E_FOUND"
listed="$("$e2e_top/scripts/wine-run.sh" "$LIST_TEXTS" "Z:$(echo "$E2E_DIR/korvani.exe" | tr / '\\')" |
    tr -d '\r')"
grep -qx "$(basename "$FILE" .dat)" <<<"$listed" || e2e_fail "the Open-problem list is: $listed"
focus "$DIALOG"
key Escape
e2e_close
e2e_log "ok: $(basename "$FILE") made with 5 puzzles of grade 3, listed and opened"
