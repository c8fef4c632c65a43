#!/usr/bin/env bash
# The game on systems whose ANSI code page is not 932: 1252 (en_US) and 65001 (hi_IN). Every
# text reads as on 932 (the start-up error box, the Open-problem and Problem-selection dialogs'
# titles and lists, the wrong-cells message), read back through the wide API, and the menus show
# the same pixels; a game folder named in Korean and emoji plays, saves and resumes. A problem
# file whose name has no code page 932 form is listed, but choosing it says that the save file
# cannot keep it and stores nothing. Leaves docs/screenshot-cp1252.png among the screenshots.
# Argument after lib.sh's: the list_texts helper.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
LIST_TEXTS="$4"
korvani_prepare_locale en_US hi_IN

# texts PROGRAM-DIR : titles, control texts and list lines of the program's windows.
texts() {
    "$e2e_top/scripts/wine-run.sh" "$LIST_TEXTS" "Z:$(echo "$1/korvani.exe" | tr / '\\')" all |
        tr -d '\r'
}
expect_text() { # PROGRAM-DIR LINE
    local got
    got="$(texts "$1")"
    grep -qxF -- "$2" <<<"$got" || e2e_fail "[$KORVANI_LOCALE] no line '$2' in: $got"
}
answer() { # TITLE KEY
    e2e_find_window "$1" 10 || e2e_fail "[$KORVANI_LOCALE] no window '$1'"
    xdotool windowfocus --sync "$E2E_FOUND" 2>/dev/null || true
    xdotool key --clearmodifiers "$2"
    sleep 0.4
}
# select_line PROGRAM-DIR TEXT : moves the focused list's selection to the line TEXT.
select_line() {
    local lines i
    mapfile -t lines < <("$e2e_top/scripts/wine-run.sh" "$LIST_TEXTS" \
        "Z:$(echo "$1/korvani.exe" | tr / '\\')" | tr -d '\r')
    for i in "${!lines[@]}"; do
        if [ "${lines[$i]}" = "$2" ]; then
            xdotool key --clearmodifiers Home
            for ((k = 0; k < i; k++)); do xdotool key --clearmodifiers Down; done
            return 0
        fi
    done
    e2e_fail "[$KORVANI_LOCALE] no list line '$2' in: ${lines[*]}"
}

# menu_shots NAME : the menu bar and the open Game menu, as pixels (Japanese fonts are set up
# for every locale in the prefix, so they must match those of code page 932 exactly).
menu_shots() {
    import -window root -crop "${E2E_CW}x20+${E2E_CX}+$((E2E_CY - 20))" +repage "$E2E_WORK/$1-bar.png"
    xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true
    xdotool key --clearmodifiers alt+g
    sleep 0.6
    local w geo=""
    for w in $(e2e_windows); do
        [ "$w" != "$E2E_WIN" ] && geo="$(xdotool getwindowgeometry --shell "$w")"
    done
    [ -n "$geo" ] || e2e_fail "[${KORVANI_LOCALE:-ja_JP}] the Game menu did not open"
    eval "$(echo "$geo" | sed 's/^/M/')"
    import -window root -crop "${MWIDTH}x${MHEIGHT}+${MX}+${MY}" +repage "$E2E_WORK/$1-menu.png"
    xdotool key --clearmodifiers Escape Escape
    sleep 0.3
}
same_pixels() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }

# The menus as code page 932 shows them.
E2E_DIR="$E2E_WORK/reference"
E2E_SAVE="$E2E_DIR/korvani.sav"
mkdir -p "$E2E_DIR"
cp "$E2E_EXE" "$E2E_DIR/korvani.exe"
e2e_write_dat a.dat "1/$PUZZLE_A"
e2e_write_save a.dat 0 0 -1 0 ""
e2e_start_game
menu_shots cp932
e2e_close

run=0
for locale in en_US.UTF-8 hi_IN.UTF-8; do
    export KORVANI_LOCALE="$locale"
    run=$((run + 1))

    # The start-up error box, with nothing to play.
    E2E_DIR="$E2E_WORK/empty-$run"
    mkdir -p "$E2E_DIR"
    cp "$E2E_EXE" "$E2E_DIR/korvani.exe"
    e2e_start
    e2e_find_window "初期化エラー" 20 || e2e_fail "[$locale] no start-up error box"
    expect_text "$E2E_DIR" "text:データファイルの読み込みに失敗しました"
    answer "初期化エラー" Return
    e2e_wait_exit 20
    [ "$E2E_RC" -eq 0 ] || e2e_fail "[$locale] exit code $E2E_RC"

    # A folder named outside code page 932, with a problem file named outside it as well.
    E2E_DIR="$E2E_WORK/한글🎲-$run"
    E2E_SAVE="$E2E_DIR/korvani.sav"
    mkdir -p "$E2E_DIR"
    cp "$E2E_EXE" "$E2E_DIR/korvani.exe"
    e2e_write_dat a.dat "1/$PUZZLE_A" "-3/$PUZZLE_B"
    e2e_write_dat 문제.dat "1/$PUZZLE_A"
    e2e_start
    e2e_find_window "問題を開く" 30 || e2e_fail "[$locale] no Open-problem dialog"
    dialog="$E2E_FOUND"
    xdotool windowfocus --sync "$dialog" 2>/dev/null || true
    select_line "$E2E_DIR" 문제
    xdotool key --clearmodifiers Return
    e2e_find_window "確認" 10 || e2e_fail "[$locale] no message for a name the save file cannot keep"
    expect_text "$E2E_DIR" "text:このファイル名には、セーブファイルに記録できない文字が含まれています。"
    answer "確認" Return
    e2e_find_window "問題を開く" 5 || e2e_fail "[$locale] the Open-problem dialog closed"
    [ ! -e "$E2E_SAVE" ] || e2e_fail "[$locale] a save file was written"
    xdotool windowfocus --sync "$E2E_FOUND" 2>/dev/null || true
    select_line "$E2E_DIR" a
    xdotool key --clearmodifiers Return
    e2e_find_window korvani || e2e_fail "[$locale] no main window"
    E2E_WIN="$E2E_FOUND"
    e2e_wait_until 15 e2e_locate_client || e2e_fail "[$locale] the board never showed"
    e2e_geometry "$E2E_CW" "$E2E_CH"
    menu_shots "$run"
    same_pixels "$E2E_WORK/cp932-bar.png" "$E2E_WORK/$run-bar.png" ||
        e2e_fail "[$locale] the menu bar differs from code page 932's"
    same_pixels "$E2E_WORK/cp932-menu.png" "$E2E_WORK/$run-menu.png" ||
        e2e_fail "[$locale] the Game menu differs from code page 932's"

    # The Problem-selection dialog: title, file name and list lines as on 932.
    e2e_click $((BARX + 45)) 16
    e2e_find_window "問題の選択" 10 || e2e_fail "[$locale] no Problem-selection dialog"
    if [ "$run" = 1 ]; then
        sleep 0.3 # the dialog finishes painting before it is photographed
        eval "$(xdotool getwindowgeometry --shell "$E2E_WIN" | sed 's/^/W/')"
        import -window root -crop "${WWIDTH}x${WHEIGHT}+${WX}+${WY}" +repage \
            "$E2E_SHOTS/screenshot-cp1252.png"
    fi
    expect_text "$E2E_DIR" "text:a"
    expect_text "$E2E_DIR" $'  1:\t難易度 1\tクリア時間 －'
    expect_text "$E2E_DIR" $'  2:\t難易度 -3\tクリア時間 －'
    answer "問題の選択" Escape

    # Play one digit (5 selected on its given, placed at row 0, column 2), quit, and the save
    # file beside the executable holds it under the problem file's name.
    e2e_click_cell 0 0
    e2e_click_cell 0 2
    e2e_close
    [ "$(save_name)" = a.dat ] || e2e_fail "[$locale] save file names '$(save_name)'"
    [ "$(save_flag)" -eq 1 ] || e2e_fail "[$locale] no stored game"
    [ "$(save_grid)" = "005$(printf '0%.0s' $(seq 1 78))" ] || e2e_fail "[$locale] grid $(save_grid)"

    # Resume with the whole grid filled but for the cell at index 2 and a wrong 1 at index 3;
    # placing the 4 there shows the wrong-cells message.
    grid=""
    for ((k = 0; k < 81; k++)); do
        if [ "${PUZZLE_A:k:1}" != . ] || [ "$k" -eq 2 ]; then grid+=0
        elif [ "$k" -eq 3 ]; then grid+=1
        else grid+="${SOLUTION_A:k:1}"; fi
    done
    { for ((k = 0; k < 81; k++)); do printf "\\x0${grid:k:1}"; done; } |
        dd of="$E2E_SAVE" bs=1 seek=80 conv=notrunc status=none
    e2e_start
    e2e_find_window korvani || e2e_fail "[$locale] no main window on resuming"
    E2E_WIN="$E2E_FOUND"
    e2e_wait_until 15 e2e_locate_client || e2e_fail "[$locale] the board never showed"
    four=0
    while [ "${SOLUTION_A:four:1}" != 4 ] || [ "$four" -eq 2 ]; do four=$((four + 1)); done
    e2e_click_cell $((four / 9)) $((four % 9))
    e2e_click_cell 0 2
    e2e_find_window "確認" 10 || e2e_fail "[$locale] no wrong-cells message"
    expect_text "$E2E_DIR" "text:1 つのマスが間違っています。"
    answer "確認" Return
    e2e_close
    [ "$(save_grid)" = "${grid:0:2}4${grid:3}" ] || e2e_fail "[$locale] resumed grid not saved"
    e2e_log "ok: $locale"
done
