// Bringing puzzles in and copying one out: 問題を貼り付け (Ctrl+V, the clipboard's text),
// ファイルから取り込む (the file-open dialog), files dropped on the window, and 問題をコピー
// (Ctrl+C, the current puzzle's givens as one line). An import checks and grades on worker
// threads under the progress dialog, writes new problem files beside the executable, opens the
// first of them (or the file where a puzzle already stands) and tells what it refused.
#pragma once

#include "game/game_state.h"

#include <windows.h>

// After windows.h, which it needs.
#include <shellapi.h>

namespace korvani {

void onPastePuzzles(GameState& game, HWND window);
void onImportFile(GameState& game, HWND window);
void onDropFiles(GameState& game, HWND window, HDROP drop); // releases `drop`
void onCopyPuzzle(const GameState& game, HWND window);

} // namespace korvani
