// The bundled problem files of puzzles/, loaded with the game's own loader: 30 puzzles each, one
// solution each, every digit among the givens, difficulties that are the grader's verdict and rise
// through the file, and a progress record of their own.
#include "core/solver/solver.h"
#include "hint/grader.h"
#include "progress/problem_loading.h"
#include "progress/progress_store.h"
#include "tools/puzzles/generator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>

namespace korvani {
namespace {

const std::string puzzleDir = std::string(KORVANI_SOURCE_DIR) + "/puzzles/";

// The store is large (30 problems), so it lives on the heap.
struct LoadedFile {
    std::unique_ptr<ProgressStore> store = std::make_unique<ProgressStore>();
};

bool load(const char* fileName, LoadedFile& file) {
    ProgressStore& s = *file.store;
    if (puzzleDir.size() >= sizeof s.savePath - 16) return false;
    // The loader takes the directory from the save path's first dirPrefixLength characters.
    std::snprintf(s.savePath, sizeof s.savePath, "%skorvani.sav", puzzleDir.c_str());
    s.dirPrefixLength = std::int32_t(puzzleDir.size());
    std::snprintf(s.header.problemFileName, sizeof s.header.problemFileName, "%s", fileName);
    s.header.savedGameFlag = -1;
    return loadProblemFile(s);
}

class BundledFile : public testing::TestWithParam<PuzzleFilePlan> {};

TEST_P(BundledFile, LoadsThirtyGradedPuzzles) {
    const PuzzleFilePlan& plan = GetParam();
    LoadedFile file;
    ASSERT_TRUE(load(plan.fileName, file));
    const ProgressStore& s = *file.store;
    ASSERT_EQ(s.problemCount, 30);

    int previous = 0;
    std::set<CellGrid> seen;
    for (int k = 0; k < s.problemCount; ++k) {
        const Problem& p = s.problems[k];
        SCOPED_TRACE("line " + std::to_string(k + 1));
        const SolveResult proof = solveGivens(p.givens);
        EXPECT_EQ(proof.count, 1);
        EXPECT_EQ(proof.solution, p.solution);
        EXPECT_TRUE(showsEveryDigit(p.givens));
        EXPECT_TRUE(seen.insert(p.givens).second) << "repeated puzzle";
        for (int cell = 0; cell < 81; ++cell) {
            EXPECT_EQ(p.givens[cell] == 0, p.givens[80 - cell] == 0) << "not symmetric";
        }
        const GradeResult grade = gradePuzzle(p.givens);
        ASSERT_TRUE(grade.solved);
        EXPECT_EQ(grade.grid, p.solution);
        EXPECT_EQ(p.difficulty, grade.difficulty);
        EXPECT_GE(p.difficulty, previous) << "difficulty falls inside the file";
        previous = p.difficulty;
        bool planned = false;
        for (auto [difficulty, count] : plan.quota) planned |= difficulty == p.difficulty;
        EXPECT_TRUE(planned) << "difficulty " << int(p.difficulty) << " does not belong here";
    }
}

INSTANTIATE_TEST_SUITE_P(Puzzles, BundledFile, testing::ValuesIn(bundledPlans()),
                         [](const testing::TestParamInfo<PuzzleFilePlan>& info) {
                             std::string name = info.param.fileName; // 1-gentle.dat: File1_gentle
                             name = "File" + name.substr(0, name.find('.'));
                             for (char& c : name) c = c == '-' ? '_' : c;
                             return name;
                         });

TEST(BundledFiles, EachFileHasItsOwnProgressRecord) {
    // The record key covers the difficulty texts only; files with equal texts would share times.
    LoadedFile file;
    ProgressStore& s = *file.store;
    int count = 0;
    for (const PuzzleFilePlan& plan : bundledPlans()) {
        std::snprintf(s.header.problemFileName, sizeof s.header.problemFileName, "%s",
                      plan.fileName);
        if (count == 0)
            ASSERT_TRUE(load(plan.fileName, file));
        else
            ASSERT_TRUE(loadProblemFile(s));
        ++count;
        EXPECT_EQ(s.records.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(s.currentRecordIndex, count - 1);
    }
}

TEST(BundledFiles, EveryFileIsListedAndEndsWithALineFeed) {
    for (const PuzzleFilePlan& plan : bundledPlans()) {
        std::FILE* f = std::fopen((puzzleDir + plan.fileName).c_str(), "rb");
        ASSERT_NE(f, nullptr) << plan.fileName;
        std::string text;
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        std::fclose(f);
        int lines = 0;
        for (char c : text) lines += c == '\n';
        EXPECT_EQ(lines, 30) << plan.fileName;
        EXPECT_EQ(text.back(), '\n');
        EXPECT_EQ(text.find('\r'), std::string::npos);
        const std::string name = plan.fileName;
        EXPECT_EQ(name.substr(name.size() - 4), ".dat");
        for (char c : name) EXPECT_TRUE(c > 0x20 && c < 0x7F) << name;
    }
}

} // namespace
} // namespace korvani
