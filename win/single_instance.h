// One game per save file: the claim a process holds on its save file from start-up to exit, and
// what a second start does instead of playing (bring the running game to the front and end).
#pragma once

#include <windows.h>

namespace korvani {

// Held from the first line of WinMain until it returns, so that it outlives the save on exit.
// Closing the handles (here, or the system when the process dies) frees the save file for the
// next start.
class SaveFileClaim {
  public:
    SaveFileClaim() = default;
    ~SaveFileClaim();
    SaveFileClaim(const SaveFileClaim&) = delete;
    SaveFileClaim& operator=(const SaveFileClaim&) = delete;

    // True when this process may use its save file. False when another game already uses it:
    // that game's window has been brought to the front (restored if minimised), and the caller
    // ends at once without reading or writing the save file.
    bool claim();

  private:
    HANDLE inUse_ = nullptr;     // named mutex, across sessions: the save file is in use
    HANDLE ownerInfo_ = nullptr; // named mapping in this session: the owner's process id
};

} // namespace korvani
