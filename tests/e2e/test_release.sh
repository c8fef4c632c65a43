#!/usr/bin/env bash
# The release zip as a player gets it: made by the same packaging as scripts/release.sh,
# unpacked into an empty folder, it holds the program, the four problem files, the read-me
# (UTF-8 with a byte order mark, CR LF) and the licence. The program runs from there, lists the
# four files on its first start, plays, and keeps its save file beside itself.
# Arguments after lib.sh's: the version, the strip tool, the list_texts helper.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
VERSION="$4" STRIP="$5" LIST_TEXTS="$6"

cmake -DKORVANI_EXE="$E2E_EXE" -DKORVANI_VERSION="$VERSION" -DKORVANI_STRIP="$STRIP" \
    -DKORVANI_SOURCE_DIR="$e2e_top" -DKORVANI_DIST_DIR="$E2E_WORK/dist" \
    -P "$e2e_top/cmake/package_release.cmake" >/dev/null || e2e_fail "packaging failed"
zip="$E2E_WORK/dist/korvani-$VERSION-win64.zip"
mkdir "$E2E_WORK/unpacked"
(cd "$E2E_WORK/unpacked" && cmake -E tar xf "$zip") || e2e_fail "cannot unpack $zip"
E2E_DIR="$E2E_WORK/unpacked/korvani-$VERSION"
E2E_SAVE="$E2E_DIR/korvani.sav"

files="$(cd "$E2E_WORK/unpacked" && find . -type f | sort | tr '\n' ' ')"
want="./korvani-$VERSION/1-gentle.dat ./korvani-$VERSION/2-moderate.dat ./korvani-$VERSION/3-tough.dat ./korvani-$VERSION/4-fiendish.dat ./korvani-$VERSION/LICENSE.txt ./korvani-$VERSION/korvani.exe ./korvani-$VERSION/readme.txt "
[ "$files" = "$want" ] || e2e_fail "the zip holds $files"
readme="$E2E_DIR/readme.txt"
[ "$(head -c 3 "$readme" | od -An -t x1 | tr -d ' ')" = efbbbf ] || e2e_fail "readme.txt has no BOM"
[ "$(grep -c $'\r$' "$readme")" -eq "$(wc -l <"$readme")" ] || e2e_fail "readme.txt has bare LFs"
grep -q "korvani $VERSION" "$readme" || e2e_fail "readme.txt does not name version $VERSION"

# First start: the Open-problem dialog lists exactly the four bundled files.
e2e_start
e2e_find_window "問題を開く" 20 || e2e_fail "no Open-problem dialog on the first start"
dialog="$E2E_FOUND"
program="Z:$(echo "$E2E_DIR/korvani.exe" | tr / '\\')"
listed="$("$e2e_top/scripts/wine-run.sh" "$LIST_TEXTS" "$program" | tr -d '\r' | sort | tr '\n' ' ')"
[ "$listed" = "1-gentle 2-moderate 3-tough 4-fiendish " ] || e2e_fail "the dialog lists: $listed"
sleep 0.3
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool key --clearmodifiers 3 Return # the list's type-ahead: 3-tough
e2e_find_window korvani || e2e_fail "choosing a file did not start the game"
E2E_WIN="$E2E_FOUND"
e2e_wait_until 15 e2e_locate_client || e2e_fail "the client area never showed the board"
e2e_geometry "$E2E_CW" "$E2E_CH"

# Its first puzzle: a click on the first given selects its digit, a click on the first empty
# cell places it there.
givens="$(head -n 1 "$E2E_DIR/3-tough.dat" | tr -d '\r' | cut -d/ -f2)"
empty="${givens%%.*}"
empty=${#empty}
given=0
while [ "${givens:given:1}" = . ]; do given=$((given + 1)); done
digit="${givens:given:1}"
e2e_click_cell $((given / 9)) $((given % 9))
e2e_click_cell $((empty / 9)) $((empty % 9))
e2e_move $((E2E_CW - 3)) $((E2E_CH - 3))
user="${EMPTY81:0:empty}$digit${EMPTY81:empty+1}"
placed() { e2e_frame_now placed "$givens" "$user" "$digit" -1 -1; }
e2e_shot_until 5 placed placed || e2e_fail "the digit was not placed (${E2E_FRAME_DIFF:-?} pixels differ)"

e2e_close
[ "$E2E_RC" -eq 0 ] || e2e_fail "exit code $E2E_RC"
[ -f "$E2E_SAVE" ] || e2e_fail "no korvani.sav beside korvani.exe"
[ "$(save_name)" = 3-tough.dat ] || e2e_fail "the save file names $(save_name)"
[ "$(save_grid)" = "$user" ] || e2e_fail "saved grid $(save_grid), expected $user"
e2e_log "ok: the unpacked release lists its four files, plays and saves beside itself"
