#!/usr/bin/env bash
# Bringing a puzzle in through the clipboard and copying it out, in the real program:
#   - a puzzle line put on the clipboard by a helper program, then Ctrl+V: the board shows
#     exactly its givens, the new problem file 貼り付け-01.dat lies beside the executable with
#     the graded, tagged line, and after quitting and starting again the game resumes it;
#   - Ctrl+C puts the givens line back on the clipboard, as Unicode and as ANSI text;
#   - a paste of givens that clash shows the message that names them and leaves the save file's
#     bytes and the folder as they were.
# Arguments: korvani.exe, the state folder, korvani-atlas.exe, korvani-clipboard.exe,
# korvani-list-texts.exe.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
CLIPBOARD_TOOL="$4"
LIST_TEXTS_TOOL="$5"

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || true; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.2; }
# clipboard_set TEXT : starts the helper, which keeps the text on the clipboard for a while.
CLIP_PID=""
clipboard_set() {
    "$e2e_top/scripts/wine-run.sh" "$CLIPBOARD_TOOL" set "$1" 60 >"$E2E_WORK/clip.out" 2>&1 &
    CLIP_PID=$!
    e2e_wait_until 20 grep -q ready "$E2E_WORK/clip.out" || e2e_fail "the helper did not set the clipboard"
}
clipboard_end() { [ -z "$CLIP_PID" ] || kill "$CLIP_PID" 2>/dev/null || true; CLIP_PID=""; }
paste() { focus "$E2E_WIN"; key ctrl+v; }

e2e_write_dat a.dat "1/$PUZZLE_A"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"

# Ctrl+V with the puzzle B as a rated line: its givens on the board, nothing entered.
clipboard_set "$PUZZLE_B 1.2 gentle"
paste
e2e_expect_frame 10 pasted "$PUZZLE_B" "$EMPTY81" 0 -1 -1
clipboard_end
new_file="$E2E_DIR/貼り付け-01.dat"
[ -f "$new_file" ] || e2e_fail "no new problem file: $(ls "$E2E_DIR")"
# The introductory puzzle needs hidden singles alone: grade 1, whatever its digits are called.
grep -qxE "1 i[0-9a-f]{6}/$PUZZLE_B" "$new_file" || e2e_fail "the new file holds $(cat "$new_file")"
[ "$(wc -l <"$new_file")" -eq 1 ] || e2e_fail "the new file holds $(wc -l <"$new_file") lines"

# Ctrl+C: the givens line, as Unicode and as ANSI text.
focus "$E2E_WIN"
key ctrl+c
copied="$("$e2e_top/scripts/wine-run.sh" "$CLIPBOARD_TOOL" get | tr -d '\r')"
[ "$copied" = "unicode:$PUZZLE_B"$'\n'"text:$PUZZLE_B" ] || e2e_fail "Ctrl+C copied: $copied"

# A paste whose givens clash: its message, then nothing written.
before="$(md5sum <"$E2E_SAVE")"
files_before="$(ls "$E2E_DIR")"
clipboard_set "55${PUZZLE_A:2}"
paste
e2e_find_window "確認" 10 || e2e_fail "no message for a refused paste"
NOTICE="$E2E_FOUND"
texts="$("$e2e_top/scripts/wine-run.sh" "$LIST_TEXTS_TOOL" "Z:$(echo "$E2E_DIR/korvani.exe" | tr / '\\')" all | tr -d '\r')"
grep -qF "text:問題を取り込めませんでした。" <<<"$texts" || e2e_fail "the message reads: $texts"
grep -qF "1行目: 1行1列と1行2列に同じ数字 5 があります" <<<"$texts" || e2e_fail "the message reads: $texts"
focus "$NOTICE"
key Return
clipboard_end
gone() { ! e2e_windows | grep -qx "$NOTICE"; }
e2e_wait_until 10 gone || e2e_fail "the message did not close"
[ "$(md5sum <"$E2E_SAVE")" = "$before" ] || e2e_fail "the refused paste changed the save file"
[ "$(ls "$E2E_DIR")" = "$files_before" ] || e2e_fail "the refused paste changed the folder: $(ls "$E2E_DIR")"
e2e_expect_frame 4 after_refusal "$PUZZLE_B" "$EMPTY81" 0 -1 -1

# Quit and start again: the pasted puzzle goes on.
e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
[ "$(save_name | iconv -f CP932 -t UTF-8)" = "貼り付け-01.dat" ] ||
    e2e_fail "the save file names $(save_name | iconv -f CP932 -t UTF-8)"
[ "$(save_record_count)" -eq 2 ] || e2e_fail "records: $(save_record_count)"
e2e_start_game
e2e_expect_frame 10 resumed "$PUZZLE_B" "$EMPTY81" 0 -1 -1
e2e_close
e2e_log "ok: pasted, copied, refused and resumed"
