// What the problem files beside the executable hold, read once: every listed file's key and the
// givens of its puzzles, for finding a puzzle that is already there and for the keys that a new
// file must not take.
#pragma once

#include "core/grid.h"
#include "core/problem.h"
#include "progress/progress_store.h"

#include <cstdint>
#include <vector>

namespace korvani {

struct FolderProblemFile {
    char storedName[64] = {};
    std::uint32_t key = 0;
    int problemCount = 0;
    CellGrid givens[maxProblemsPerFile] = {};
};

struct PuzzlePlace {
    int file = -1; // index in ProblemFolder::files; -1: not there
    int problem = -1;
};

class ProblemFolder {
  public:
    // Reads every problem file of the executable's folder as the loader would (files that load
    // nothing are left out). False when the folder cannot be read.
    bool scan(const ProgressStore& store);

    const std::vector<FolderProblemFile>& files() const { return files_; }

    // The first place, in the order the folder listed its files, where these givens stand.
    PuzzlePlace find(const CellGrid& givens) const;

    // The keys of every record of the store and every file of the folder.
    std::vector<std::uint32_t> takenKeys(const ProgressStore& store) const;

  private:
    struct Entry {
        CellGrid givens;
        PuzzlePlace place;
    };
    std::vector<FolderProblemFile> files_;
    std::vector<Entry> index_; // sorted by givens, then by place
};

} // namespace korvani
