#!/usr/bin/env bash
# The themes on the screen. Dark, chosen in the settings file: the digits and notes against their
# ground measured on the screenshot by the WCAG formula (digits at least 7:1, notes at least
# 4.5:1); 表示 > ダーク back to light gives today's frame exactly and is remembered in the settings
# file, never in the save file. With no settings file, Windows' app theme decides the first
# start. High contrast, switched on by a helper program: the board takes the system colours.
# Arguments: as every e2e test, then the path of korvani-high-contrast.exe.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
HIGH_CONTRAST="$4"
SETTINGS="$E2E_DIR/korvani.ini"
PERSONALIZE='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'

e2e_write_dat a.dat "1/$PUZZLE_A"
e2e_write_save a.dat 0 0 -1 0 ""
printf 'dark=1\r\n' >"$SETTINGS"
DARK_BAND="28 28 36"
E2E_BAND="$DARK_BAND" e2e_start_game
e2e_geometry "$E2E_CW" "$E2E_CH"

focus() { xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true; sleep 0.15; }
menu() { focus; xdotool key --clearmodifiers "$1"; sleep 0.6; xdotool key "$2"; sleep 0.5; }
off_board() { e2e_move $((E2E_CW - 3)) $((E2E_CH - 3)); }
# The WCAG relative luminance of "R G B".
luminance() {
    awk -v c="$1" 'function ch(v) { v /= 255; return v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ^ 2.4 }
        BEGIN { split(c, x, " "); printf "%.6f\n", 0.2126 * ch(x[1]) + 0.7152 * ch(x[2]) + 0.0722 * ch(x[3]) }'
}
# The brightest pixel's luminance in cell (ROW, COL) of shot NAME.
brightest_in_cell() {
    convert "$E2E_WORK/$1.png" -crop "${CELL}x${CELL}+${COLX[$3]}+${ROWY[$2]}" +repage -depth 8 txt:- |
        awk -F'[(),]' 'function ch(v) { v /= 255; return v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ^ 2.4 }
            /^[0-9]/ { l = 0.2126 * ch($3) + 0.7152 * ch($4) + 0.0722 * ch($5); if (l > m) m = l }
            END { printf "%.6f\n", m }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", (a > b ? a + 0.05 : b + 0.05) / (a > b ? b + 0.05 : a + 0.05) }'; }
at_least() { awk -v r="$1" -v m="$2" 'BEGIN { exit !(r >= m) }'; }

# Dark: select 6 on the given at (1, 0), place it at (0, 2).
e2e_click_cell 1 0
e2e_click_cell 0 2
off_board
sleep 0.5
e2e_shot dark
ground="$(luminance "$(e2e_px dark $((COLX[3] + 1)) $((ROWY[0] + 1)))")"
given="$(brightest_in_cell dark 0 0)"
placed="$(brightest_in_cell dark 0 2)"
given_ratio="$(ratio "$given" "$ground")" placed_ratio="$(ratio "$placed" "$ground")"
e2e_log "dark: given digit $given_ratio:1, placed digit $placed_ratio:1 against the ground"
at_least "$given_ratio" 7 || e2e_fail "given digits only $given_ratio:1"
at_least "$placed_ratio" 7 || e2e_fail "placed digits only $placed_ratio:1"

# Every candidate noted (編集 > 候補をすべてメモ): the notes against the ground.
menu alt+e m
off_board
sleep 0.5
e2e_shot dark-notes
note="$(brightest_in_cell dark-notes 0 3)"
note_ratio="$(ratio "$note" "$ground")"
e2e_log "dark: notes $note_ratio:1 against the ground"
at_least "$note_ratio" 4.5 || e2e_fail "notes only $note_ratio:1"
e2e_keep dark-notes screenshot-dark
menu alt+e c

# Back to light from the menu: today's frame exactly, and the choice in the settings file.
menu alt+v d
USER="00600000000000000000000000000000000000000000000000000000000000000000000000000000"
e2e_expect_frame 5 light "$PUZZLE_A" "$USER" 6 -1 -1
[ "$(tr -d '\r' <"$SETTINGS")" = "dark=0" ] || e2e_fail "settings file: $(cat "$SETTINGS")"
e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
[ "$(stat -c %s "$E2E_SAVE")" -eq 228 ] || e2e_fail "the save file has $(stat -c %s "$E2E_SAVE") bytes"

# No settings file: Windows' app theme (AppsUseLightTheme 0) makes the first start dark.
rm -f "$SETTINGS"
"$e2e_top/scripts/wine-run.sh" reg add "$PERSONALIZE" /v AppsUseLightTheme /t REG_DWORD /d 0 /f >/dev/null 2>&1
E2E_BAND="$DARK_BAND" e2e_start_game
# The app theme goes back to unset at once: every later test expects the light first start.
"$e2e_top/scripts/wine-run.sh" reg delete "$PERSONALIZE" /v AppsUseLightTheme /f >/dev/null 2>&1 || true
! "$e2e_top/scripts/wine-run.sh" reg query "$PERSONALIZE" /v AppsUseLightTheme >/dev/null 2>&1 ||
    e2e_fail "Windows' app theme could not be set back"
e2e_shot first
[ "$(e2e_px first $((COLX[3] + 1)) $((ROWY[0] + 1)))" = "30 30 34" ] ||
    e2e_fail "the first start follows no dark app theme: $(e2e_px first $((COLX[3] + 1)) $((ROWY[0] + 1)))"
[ ! -e "$SETTINGS" ] || e2e_fail "a settings file was written without a choice"

# High contrast from a helper: the board in the system colours, at once.
if "$e2e_top/scripts/wine-run.sh" "$HIGH_CONTRAST" on >"$E2E_WORK/colours"; then
    tr -d '\r' <"$E2E_WORK/colours" >"$E2E_WORK/colours.txt"
    colour() { sed -n "s/^$1 //p" "$E2E_WORK/colours.txt"; }
    hc_ground() { e2e_shot hc; [ "$(e2e_px hc $((COLX[3] + 1)) $((ROWY[0] + 1)))" = "$(colour window)" ]; }
    e2e_wait_until 5 hc_ground || e2e_fail "the cells are not in the window colour"
    [ "$(e2e_cell_count hc 0 0 "$(colour windowtext)")" -gt 0 ] || e2e_fail "no given in window text"
    [ "$(e2e_px hc 1 1)" = "$(colour window)" ] || e2e_fail "the band is not in the window colour"
    "$e2e_top/scripts/wine-run.sh" "$HIGH_CONTRAST" off >/dev/null
    e2e_log "high contrast: the board in the system colours"
else
    e2e_log "high contrast: this system refuses SPI_SETHIGHCONTRAST (Wine 8); not shown here"
fi
e2e_close
e2e_log "ok: dark contrast $given_ratio / $placed_ratio / $note_ratio, light again exactly, settings file, first start"
