// The bundled stream (one symmetric dig per puzzle number) and the filling of the bundled files.
#include "tools/puzzles/generator.h"

#include <algorithm>
#include <array>

namespace korvani {

CellGrid generatePuzzle(std::uint64_t seed, std::uint64_t index) {
    PuzzleRng rng = puzzleRngFor(seed, index);
    const CellGrid solution = randomSolvedGrid(rng);
    return digSymmetricPuzzle(solution, rng);
}

std::vector<PuzzleFilePlan> bundledPlans() {
    return {
        {"1-gentle.dat", {{1, 15}, {2, 15}}},
        {"2-moderate.dat", {{3, 15}, {4, 15}}},
        {"3-tough.dat", {{5, 15}, {6, 15}}},
        {"4-fiendish.dat", {{7, 10}, {8, 10}, {9, 10}}},
    };
}

bool fillPlans(const std::vector<PuzzleFilePlan>& plans, std::uint64_t seed,
               std::uint64_t maxPuzzles, std::vector<std::vector<GeneratedPuzzle>>& files,
               std::uint64_t& tried) {
    files.assign(plans.size(), {});
    // wanted[d]: the plan that takes difficulty d and how many it still needs.
    std::array<int, 10> planOf;
    std::array<int, 10> missing{};
    planOf.fill(-1);
    int totalMissing = 0;
    for (std::size_t k = 0; k < plans.size(); ++k) {
        for (auto [difficulty, count] : plans[k].quota) {
            planOf[difficulty] = int(k);
            missing[difficulty] = count;
            totalMissing += count;
        }
    }
    for (tried = 0; tried < maxPuzzles && totalMissing > 0; ++tried) {
        GeneratedPuzzle puzzle;
        puzzle.index = tried;
        puzzle.givens = generatePuzzle(seed, tried);
        if (!showsEveryDigit(puzzle.givens)) continue;
        puzzle.grade = gradePuzzle(puzzle.givens);
        const int d = puzzle.grade.difficulty;
        if (!puzzle.grade.solved || d < 1 || d > 9 || missing[d] == 0) continue;
        --missing[d];
        --totalMissing;
        files[planOf[d]].push_back(puzzle);
    }
    for (auto& file : files) std::sort(file.begin(), file.end(), easierThan);
    return totalMissing == 0;
}

std::string problemLine(const GeneratedPuzzle& puzzle) {
    std::string line = std::to_string(puzzle.grade.difficulty) + "/";
    for (std::uint8_t v : puzzle.givens) line += v == 0 ? '.' : char('0' + v);
    return line;
}

} // namespace korvani
