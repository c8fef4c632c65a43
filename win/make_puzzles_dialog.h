// The command 新しい問題を作る(&N)…: a new problem file of puzzles of the grade the player picks.
#pragma once

#include <windows.h>

namespace korvani {

struct GameState;

// Asks for the grade, the number of puzzles and the symmetry, makes them under the progress
// dialog, writes them easiest first into a new file beside the executable and opens it at its
// first puzzle (the game in progress saved first). After 中止 the puzzles made so far are
// offered as a smaller file. A file that cannot be written is told, and the game goes on as it
// was.
void runMakePuzzlesCommand(GameState& game, HWND owner);

} // namespace korvani
