// Bitmaps 113 and 115 (the button strip and clock font of 100 %) read from the program's
// resources and handed to the renderer as pixels.
#pragma once

#include "render/board_renderer.h"

#include <windows.h>

namespace korvani {

// The 24-bit bitmap resource as a top-down picture; empty when it is missing or not 24-bit.
Picture loadBitmapPicture(HINSTANCE instance, int resource);

// Loads both bitmaps into the renderer; without them it draws the band at run time.
void loadBandBitmaps(HINSTANCE instance, BoardRenderer& renderer);

} // namespace korvani
