// Start-up restore: read the save file, load the problem file it names, and choose the game.
#include "progress/progress_restore.h"

#include "progress/problem_loading.h"
#include "progress/save_file.h"

namespace korvani {

RestoreOutcome restoreProgress(ProgressStore& store, StartingGame& start) {
    start = StartingGame{};
    if (readSaveFile(store, store.savePath) == SaveFileRead::missing)
        return RestoreOutcome::chooseProblemFile;
    // The records read stay in memory either way, so a file chosen in the dialog finds its
    // record and the others are written back on exit.
    if (!problemFileNameUsable(store.header) || !loadProblemFile(store)) {
        return RestoreOutcome::chooseProblemFile;
    }
    start = chooseStartingGame(store);
    return RestoreOutcome::ready;
}

} // namespace korvani
