// The problem file of puzzles the game has made: named after their grade and the moment they
// were made, "作成-難易度<D>-<yyyymmdd-hhmmss>.dat", beside the executable, with the tag 'g' in
// its difficulty texts so that its key is its own.
#pragma once

#include "progress/new_problem_file.h"

namespace korvani {

struct MadeAt {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Writes the puzzles, in the order given, into the new file. A file of that name made in the
// same second is left alone: the new one then takes the first free "<name>-NN.dat". On success
// the file's key is added to `takenKeys` and `written` names the file.
NewProblemFileResult writeMadeProblemFile(const ProgressStore& store, int grade, const MadeAt& at,
                                          const NewProblem* problems, int count,
                                          std::vector<std::uint32_t>& takenKeys,
                                          WrittenProblemFile& written);

} // namespace korvani
