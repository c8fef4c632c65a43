// Random grids, symmetric digging and the filling of the bundled files.
#include "tools/puzzles/generator.h"

#include "core/solver/solver.h"

#include <algorithm>
#include <array>

namespace korvani {

std::uint64_t PuzzleRng::next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int PuzzleRng::below(int bound) {
    return int(next() % std::uint64_t(bound));
}

namespace {

template <typename T, std::size_t N>
void shuffle(std::array<T, N>& items, int count, PuzzleRng& rng) {
    for (int i = count - 1; i > 0; --i) std::swap(items[i], items[rng.below(i + 1)]);
}

bool fillFrom(CellGrid& grid, int cell, PuzzleRng& rng) {
    if (cell == 81) return true;
    std::array<int, 9> digits = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    shuffle(digits, 9, rng);
    for (int digit : digits) {
        bool free = true;
        for (int other = 0; other < cell && free; ++other) {
            const bool peer = rowOf(other) == rowOf(cell) || columnOf(other) == columnOf(cell) ||
                              boxOf(other) == boxOf(cell);
            free = !(peer && grid[other] == digit);
        }
        if (!free) continue;
        grid[cell] = std::uint8_t(digit);
        if (fillFrom(grid, cell + 1, rng)) return true;
    }
    grid[cell] = 0;
    return false;
}

// Sort key inside a file: the grade first, then the hardest technique, how often it was needed,
// and how many cells are empty.
bool easierThan(const GeneratedPuzzle& a, const GeneratedPuzzle& b) {
    auto key = [](const GeneratedPuzzle& p) {
        int empty = 0;
        for (std::uint8_t v : p.givens) empty += v == 0;
        return std::array<std::uint64_t, 5>{
            std::uint64_t(p.grade.difficulty), std::uint64_t(p.grade.hardest),
            std::uint64_t(p.grade.steps[int(p.grade.hardest)]), std::uint64_t(empty), p.index};
    };
    return key(a) < key(b);
}

} // namespace

CellGrid randomSolvedGrid(PuzzleRng& rng) {
    CellGrid grid{};
    fillFrom(grid, 0, rng); // an empty grid always has a completion
    return grid;
}

CellGrid digSymmetricPuzzle(const CellGrid& solution, PuzzleRng& rng) {
    // Cells 0..40 stand for themselves and their mirror 80 - cell (40 is the centre).
    std::array<int, 41> order{};
    for (int i = 0; i < 41; ++i) order[i] = i;
    shuffle(order, 41, rng);
    CellGrid puzzle = solution;
    for (int cell : order) {
        const int mirror = 80 - cell;
        puzzle[cell] = 0;
        puzzle[mirror] = 0;
        if (solveGivens(puzzle).count != 1) {
            puzzle[cell] = solution[cell];
            puzzle[mirror] = solution[mirror];
        }
    }
    return puzzle;
}

bool showsEveryDigit(const CellGrid& givens) {
    DigitMask seen = 0;
    for (std::uint8_t v : givens) {
        if (v >= 1 && v <= 9) seen |= digitMaskTable[v];
    }
    return seen == allDigits;
}

CellGrid generatePuzzle(std::uint64_t seed, std::uint64_t index) {
    PuzzleRng mix{seed ^ (index * 0xD1B54A32D192ED03ull)};
    PuzzleRng rng{mix.next()};
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
