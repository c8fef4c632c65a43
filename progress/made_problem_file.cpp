// The made file's name, then the same whole-or-nothing write as every new problem file.
#include "progress/made_problem_file.h"

#include "progress/file_names.h"

#include <cstdio>

namespace korvani {

namespace {

constexpr char madeTagLetter = 'g';

} // namespace

NewProblemFileResult writeMadeProblemFile(const ProgressStore& store, int grade, const MadeAt& at,
                                          const NewProblem* problems, int count,
                                          std::vector<std::uint32_t>& takenKeys,
                                          WrittenProblemFile& written) {
    if (count < 1 || count > maxProblemsPerFile) return NewProblemFileResult::failed;
    char stem[64];
    std::snprintf(stem, sizeof stem, "%s%d-%04d%02d%02d-%02d%02d%02d", "作成-難易度", grade,
                  at.year, at.month, at.day, at.hour, at.minute, at.second);
    char name[80];
    std::snprintf(name, sizeof name, "%s.dat", stem);
    char storedName[64];
    char folder[savePathCapacity];
    char tag[fileTagSize];
    std::uint32_t key = 0;
    char bytes[newProblemFileCapacity];
    char path[problemPathCapacity];
    if (!storedProblemName(name, storedName) || !executableFolder(store, folder) ||
        !chooseFileTag(problems, count, madeTagLetter, takenKeys, tag, key))
        return NewProblemFileResult::failed;
    const std::size_t size = formatNewProblemFile(problems, count, tag, bytes, sizeof bytes);
    if (size == 0 || std::snprintf(path, sizeof path, "%s%s", folder, name) >= int(sizeof path))
        return NewProblemFileResult::failed;
    const NewFileResult result =
        writeProblemFileAt(path, bytes, size, storedName, key, takenKeys, written);
    if (result == NewFileResult::exists)
        return writeNewProblemFile(store, stem, stem, problems, count, madeTagLetter, takenKeys,
                                   written);
    return result == NewFileResult::written ? NewProblemFileResult::written
                                            : NewProblemFileResult::failed;
}

} // namespace korvani
