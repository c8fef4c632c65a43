// Random minimal puzzles, drawn until one has the asked grade. Singles decide cheaply most of
// the puzzles that cannot have it; the grader, stopped at the strongest technique of the grade,
// decides the rest (its verdict alone, which is quicker), and a puzzle it solves there takes the
// same path as under the full grader.
#include "generate/graded_puzzle.h"

#include "generate/digging.h"
#include "generate/singles.h"

#include <array>

namespace korvani {

namespace {

// Each round's grid is dug this many times; the later digs gain from the unavoidable sets that
// the earlier ones met.
constexpr int digsPerGrid = 4;

Technique strongestOfGrade(int grade) {
    Technique strongest = Technique::HiddenSingle;
    for (int t = 0; t < techniqueCount; ++t) {
        if (techniqueDifficulty(Technique(t)) == grade) strongest = Technique(t);
    }
    return strongest;
}

bool singlesAllow(const CellGrid& givens, int grade) {
    if (grade >= 3) return !singlesSolve(givens);
    const SinglesReach reach = singlesReach(givens);
    return reach == (grade == 1 ? SinglesReach::hiddenSingles : SinglesReach::nakedSingles);
}

} // namespace

RoundEnd searchRound(const PuzzleRequest& request, std::uint64_t index, std::uint64_t round,
                     const std::atomic<bool>* cancelled, GeneratedPuzzle& puzzle) {
    PuzzleRng rng = puzzleRngFor(request.seed, index, round);
    const Technique strongest = strongestOfGrade(request.grade);
    PuzzleDigger digger(randomSolvedGrid(rng));
    for (int dig = 0; dig < digsPerGrid; ++dig) {
        if (cancelled != nullptr && cancelled->load(std::memory_order_relaxed))
            return RoundEnd::cancelled;
        const CellGrid givens = digger.digInStages(rng, request.symmetric);
        if (!showsEveryDigit(givens) || !singlesAllow(givens, request.grade)) continue;
        const GradeResult verdict = gradeVerdict(givens, strongest);
        if (!verdict.solved || verdict.difficulty != request.grade) continue;
        puzzle.givens = givens;
        puzzle.grade = gradePuzzle(givens, nullptr, strongest); // with every step counted
        puzzle.index = index;
        return RoundEnd::found;
    }
    return RoundEnd::notFound;
}

bool makePuzzle(const PuzzleRequest& request, std::uint64_t index,
                const std::atomic<bool>* cancelled, GeneratedPuzzle& puzzle) {
    for (std::uint64_t round = 0;; ++round) {
        switch (searchRound(request, index, round, cancelled, puzzle)) {
        case RoundEnd::found:
            return true;
        case RoundEnd::cancelled:
            return false;
        case RoundEnd::notFound:
            break;
        }
    }
}

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

} // namespace korvani
