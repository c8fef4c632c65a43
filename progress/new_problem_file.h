// New problem files beside the executable, for puzzles the game did not ship with: the ordinary
// line format, with a tag after the grade in every difficulty text that gives the file a key of
// its own (the loader reads the number and ignores the rest), so that no two such files share a
// progress record. The file is written whole under a name that was free, or not at all.
#pragma once

#include "core/grid.h"
#include "core/problem.h"
#include "files/atomic_file.h"
#include "progress/progress_store.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvani {

struct NewProblem {
    CellGrid givens{};
    int grade = 0; // the difficulty number written before the tag
};

// A letter and six lowercase hexadecimal digits, as in the difficulty text "3 i7f2c01".
inline constexpr std::size_t fileTagSize = 8;
// 30 lines of "GG TTTTTTT/" and 81 cells with a line feed, with room to spare.
inline constexpr std::size_t newProblemFileCapacity = maxProblemsPerFile * 128;

// The key the loader computes for a file of these lines with this tag.
std::uint32_t newProblemFileKey(const NewProblem* problems, int count, const char* tag);

// Chooses the tag: `letter` and six hexadecimal digits taken from the givens, moved on until
// the file's key is none of `takenKeys`. False only when no such tag was found.
bool chooseFileTag(const NewProblem* problems, int count, char letter,
                   const std::vector<std::uint32_t>& takenKeys, char (&tag)[fileTagSize],
                   std::uint32_t& key);

// The file's bytes: per puzzle the line "<grade> <tag>/<81 cells>\n" with '.' for an empty
// cell. Returns the size, 0 when it does not fit `capacity`.
std::size_t formatNewProblemFile(const NewProblem* problems, int count, const char* tag, char* out,
                                 std::size_t capacity);

struct WrittenProblemFile {
    char storedName[64] = {}; // as header.problemFileName holds it
    std::uint32_t key = 0;
};

enum class NewProblemFileResult {
    written,
    noFreeName, // <stem>-01.dat to <stem>-999.dat are all taken
    failed,     // nothing could be written (read-only folder, full disk); nothing is left
};

// Writes a new problem file's `bytes` at `path` unless a file is there already. When written,
// `written` names it by `storedName` and `key`, and the key joins `takenKeys`.
NewFileResult writeProblemFileAt(const char* path, const char* bytes, std::size_t size,
                                 const char (&storedName)[64], std::uint32_t key,
                                 std::vector<std::uint32_t>& takenKeys,
                                 WrittenProblemFile& written);

// Writes 1 to 30 puzzles, in the order given, into a new file "<stem>-NN.dat" beside the
// executable, NN counting up from 01 past every name that is taken; no file is ever replaced.
// `stem` (UTF-8, the path byte form) is shortened by whole characters until the name fits the
// save file's 63 bytes of code page 932; a stem with no such form becomes `fallbackStem`. On
// success the file's key is added to `takenKeys`.
NewProblemFileResult writeNewProblemFile(const ProgressStore& store, const char* stem,
                                         const char* fallbackStem, const NewProblem* problems,
                                         int count, char tagLetter,
                                         std::vector<std::uint32_t>& takenKeys,
                                         WrittenProblemFile& written);

} // namespace korvani
