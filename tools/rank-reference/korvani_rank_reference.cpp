// korvani-rank-reference COUNT SET[:FIRST]...
// Runs the reference search (first empty cell, naked singles only) on every puzzle of the
// given puzzle sets (81 characters a line, '.' or '0' empty), or on the first FIRST puzzles of
// a set, counts its calls of searchSolutions, and prints the COUNT puzzles that took the most
// calls as a problem file, hardest first. Each line's difficulty text is its rank, then where
// it came from and the calls it took. Every puzzle's count goes to standard error as it is
// done. The 17-clue puzzles take about a second each.
#include "tests/support/reference_solver.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace korvani;

struct Ranked {
    long long calls;
    std::string source;
    std::string cells;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: korvani-rank-reference COUNT SET[:FIRST]...\n");
        return 2;
    }
    const std::size_t count = static_cast<std::size_t>(std::atol(argv[1]));
    std::vector<Ranked> ranked;
    for (int a = 2; a < argc; ++a) {
        std::string path = argv[a];
        long first = -1;
        const std::size_t colon = path.rfind(':');
        if (colon != std::string::npos) {
            first = std::atol(path.c_str() + colon + 1);
            path.resize(colon);
        }
        std::FILE* in = std::fopen(path.c_str(), "r");
        if (in == nullptr) {
            std::fprintf(stderr, "korvani-rank-reference: cannot open %s\n", path.c_str());
            return 2;
        }
        const std::size_t slash = path.rfind('/');
        const std::string setName = slash != std::string::npos ? path.substr(slash + 1) : path;
        char line[256];
        int lineNumber = 0;
        while ((first < 0 || lineNumber < first) && std::fgets(line, sizeof line, in) != nullptr) {
            ++lineNumber;
            if (std::strlen(line) < 81) continue;
            CellGrid grid{};
            std::string cells(81, '.');
            for (int i = 0; i < 81; ++i) {
                if (line[i] >= '1' && line[i] <= '9') {
                    grid[i] = static_cast<std::uint8_t>(line[i] - '0');
                    cells[static_cast<std::size_t>(i)] = line[i];
                }
            }
            const long long budget = LLONG_MAX / 2;
            SearchBudget calls;
            calls.callsLeft = budget;
            // The bounded front end reports nothing about the calls, so run the search here.
            UndoStack stack;
            MaskGrid masks;
            MaskGrid solutionMasks = {};
            DigitMask rowMask[9], columnMask[9], boxMask[9];
            for (int i = 0; i < 81; ++i) masks[i] = digitMaskTable[grid[i]];
            buildUnitMasks(masks, rowMask, columnMask, boxMask);
            std::int32_t solutionCount = 0;
            searchSolutions(stack, masks, solutionMasks, rowMask, columnMask, boxMask, 0,
                            solutionCount, &calls);
            ranked.push_back(Ranked{budget - calls.callsLeft,
                                    setName + ":" + std::to_string(lineNumber), cells});
            std::fprintf(stderr, "%s:%d %lld\n", setName.c_str(), lineNumber,
                         budget - calls.callsLeft);
        }
        std::fclose(in);
    }
    std::sort(ranked.begin(), ranked.end(),
              [](const Ranked& a, const Ranked& b) { return a.calls > b.calls; });
    for (std::size_t i = 0; i < count && i < ranked.size(); ++i) {
        std::printf("%zu %s %lld calls/%s\n", i + 1, ranked[i].source.c_str(), ranked[i].calls,
                    ranked[i].cells.c_str());
    }
    return 0;
}
