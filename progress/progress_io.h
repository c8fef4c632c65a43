// The progress store's Windows side: start-up restore from the save file beside the executable,
// the write of the save file, and the end of the one GameState.
#pragma once

#include <windows.h>

namespace korvani {

struct GameState;

// Start-up: derives the save path from the executable's path, reads the save file, loads the
// problem file it names and resumes the stored game or picks the next uncleared puzzle. On
// return true, solvedFlag is 0 for a resumed game and 1 when the shell must call restart. False
// means start-up has failed and the program ends without writing a save file.
bool loadProgress(GameState& game, HINSTANCE instance);

// Stores the current game in the header and writes the whole save file, replacing the old one
// only once the new one is complete on the disk. True only when the file was written.
bool saveProgress(GameState& game);

// Ends the run: stops the clock, writes the save file when the main window exists (telling the
// player with a message box when that fails), releases the renderer and the records, and frees
// the GameState. Null is ignored.
void destroyGameState(GameState* game);

} // namespace korvani
