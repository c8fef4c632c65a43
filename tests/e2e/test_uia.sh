#!/usr/bin/env bash
# The board through UI Automation, as a screen reader reads it: a client program finds the board,
# a data grid of 81 data items named by place and content in row order, sees a cell's name
# change once a digit is placed and with notes, and sees the focus follow the keyboard cursor.
# The Grid pattern's row and column counts are checked where the system reads them; Wine 8
# reads no pattern property.
# Arguments: as every e2e test, then the path of korvani-uia-client.exe.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
UIA_CLIENT="$4"

e2e_write_dat a.dat "1/$PUZZLE_A"

# One client call: its output, or status 1 when it has not answered in 20 s.
uia() {
    local out
    if out="$(timeout -k 2 20 "$e2e_top/scripts/wine-run.sh" "$UIA_CLIENT" "$@")"; then
        printf '%s\n' "$out" | tr -d '\r'
        return 0
    fi
    pkill -f "^$UIA_CLIENT" 2>/dev/null || true
    e2e_log "the UI Automation client got no answer ($*)" >&2
    return 1
}
focus() { xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true; sleep 0.15; }
keys() { focus; xdotool key --delay 40 "$@"; sleep 0.3; }
name_of() { sed -n "$(($1 + 3))p" "$E2E_WORK/grid"; } # cell 0 ... 80

# The whole reading on a freshly started game; status 1 when a client got no answer.
read_the_board() {
    uia grid >"$E2E_WORK/grid" || return 1
    size="$(sed -n 1p "$E2E_WORK/grid")"
    [ "$size" = "9 9" ] || [ "$size" = "- -" ] || e2e_fail "grid size: $size"
    [ "$(sed -n 2p "$E2E_WORK/grid")" = "50028 81 81" ] ||
        e2e_fail "not a data grid of 81 data items: $(sed -n 2p "$E2E_WORK/grid")"
    [ "$(wc -l <"$E2E_WORK/grid")" -eq 83 ] || e2e_fail "$(($(wc -l <"$E2E_WORK/grid") - 2)) names"
    local k row col d want
    for ((k = 0; k < 81; k++)); do
        row=$((k / 9 + 1)) col=$((k % 9 + 1)) d="${PUZZLE_A:k:1}"
        if [ "$d" = . ]; then want="${row}行${col}列 空き"; else want="${row}行${col}列 問題の数字 $d"; fi
        [ "$(name_of $k)" = "$want" ] || e2e_fail "cell $k is named '$(name_of $k)', not '$want'"
    done

    # A 6 placed by a click: the cell's name says so.
    e2e_click_cell 1 0
    e2e_click_cell 0 2
    uia grid >"$E2E_WORK/grid" || return 1
    [ "$(name_of 2)" = "1行3列 6" ] || e2e_fail "after placing, cell 2 is named '$(name_of 2)'"

    # A note from the keyboard, read back in the name.
    keys Up # the cursor appears on the last cell the pointer was over: (0, 2)
    keys Right shift+4 shift+7
    uia grid >"$E2E_WORK/grid" || return 1
    [ "$(name_of 3)" = "1行4列 空き メモ 4 7" ] || e2e_fail "notes: '$(name_of 3)'"

    # The focus follows the cursor.
    local focused
    focused="$(uia focus)" || return 1
    [ "$focused" = "1行4列 空き メモ 4 7" ] || e2e_fail "focus: '$focused'"
    keys Down Down
    focused="$(uia focus)" || return 1
    [ "$focused" = "3行4列 空き" ] || e2e_fail "focus after two moves: '$focused'"
}

# Wine 8's own COM now and then deadlocks in the game's process when a client lets go of an
# element: releasing the last stub of Wine's provider interface, rpcrt4 waits for calls on it to
# end and never wakes, holding the lock that every later marshalling needs, so the game answers
# no client after that. The reading is then made again on a fresh game, up to three games.
for attempt in 1 2 3; do
    e2e_write_save a.dat 0 0 -1 0 ""
    e2e_start_game
    e2e_geometry "$E2E_CW" "$E2E_CH"
    if read_the_board; then
        e2e_close
        [ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
        e2e_log "ok: grid of 81 cells ($size), their names, a placement and notes in the names, focus follows (game $attempt)"
        exit 0
    fi
    e2e_log "game $attempt answers no client any more; a fresh game"
    kill -9 "$E2E_PID" 2>/dev/null || true
    wait "$E2E_PID" 2>/dev/null || true
done
e2e_log "NOT SHOWN: three games in a row stopped answering clients under Wine"
