// Storage of the shell's process-wide state.
#include "win/app_state.h"

namespace korvani {

GameState* gameState = nullptr;
HINSTANCE appInstance = nullptr;

} // namespace korvani
