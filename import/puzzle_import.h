// One import: the texts brought in (the clipboard, or one or more files), the check and grade of
// every puzzle in them, and at the end the new problem files beside the executable with the file
// and puzzle the game should open, and what to tell the player. The check may run on worker
// threads (checkShare); everything else runs on the thread that owns the progress store.
#pragma once

#include "import/puzzle_check.h"
#include "progress/new_problem_file.h"
#include "progress/progress_store.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

namespace korvani {

enum class SourceProblem {
    none,
    tooLarge,     // over maxImportBytes: not read
    unreadable,   // could not be opened or read
    nothingFound, // no puzzle (nor anything like one) in it
    tooMany,      // over maxImportPuzzles
};

struct ImportSource {
    std::string stem;  // UTF-8: what new files are named after
    std::string label; // UTF-8: how messages name it (the file name); empty for the clipboard
    SourceProblem problem = SourceProblem::none;
    std::vector<ReadPuzzle> read;
    std::vector<CheckedPuzzle> checked; // as many as read, filled by checkShare
};

struct ImportOutcome {
    bool opensFile = false;   // openName and openIndex are what the game should open
    bool writeFailed = false; // nothing was kept, and the game must stay as it is
    char openName[64] = {};
    int openIndex = 0;
    std::vector<WrittenProblemFile> written;
    int accepted = 0;
    int refused = 0;
    int beyondGrader = 0;
    int alreadyThere = 0;
    std::string message; // UTF-8; empty when there is nothing to tell
};

// The clipboard's source stem, 貼り付け.
const char* pasteStem();

class PuzzleImport {
  public:
    // A text that was read whole: its puzzles are found at once.
    void addText(const std::string& stem, const std::string& label, const void* bytes,
                 std::size_t size);
    // A source that was not read.
    void addRefusedSource(const std::string& stem, const std::string& label, SourceProblem problem);

    // The units of checking work: every puzzle read.
    int puzzleCount() const { return static_cast<int>(units_.size()); }

    // Checks puzzles worker, worker + workerCount, ... counting each in `done` and stopping when
    // `cancelled` is set. Distinct workers touch distinct puzzles.
    void checkShare(int worker, int workerCount, std::atomic<int>& done,
                    const std::atomic<bool>& cancelled);

    // Writes the accepted puzzles that are not beside the executable yet into new files (per
    // source, easiest first, at most 30 a file), and says what to open and tell. When a file
    // cannot be written, the files of this import already written are removed again.
    ImportOutcome finish(const ProgressStore& store) const;

    const std::vector<ImportSource>& sources() const { return sources_; }

  private:
    struct Unit {
        int source;
        int puzzle;
    };
    std::vector<ImportSource> sources_;
    std::vector<Unit> units_;
};

} // namespace korvani
