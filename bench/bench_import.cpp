// Importing: reading, checking and grading 1,000 mixed puzzles from one file must take under
// 1 s on one thread (the game spreads the check over every processor). The file is made from
// the published sets in tests/data/puzzle-sets: 250 each of the top 1465, the 17-clue puzzles,
// and the two lists of the forum's hardest, one a line with the sets' own layout.
#include "import/puzzle_import.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace korvani;

std::string mixedPuzzles() {
    std::string text;
    for (const char* set : {"top1465.txt", "17-clue-first-2000.txt", "forum-hardest-1106.txt",
                            "forum-hardest-1905-11plus-first-2000.txt"}) {
        std::ifstream in(std::string(KORVANI_PUZZLE_SETS_DIR) + "/" + set);
        std::string line;
        for (int taken = 0; taken < 250 && std::getline(in, line);) {
            if (line.size() < 81) continue;
            text += line + "\n";
            ++taken;
        }
    }
    return text;
}

void importThousandMixed(benchmark::State& state) {
    const std::string path = "bench-import-mixed.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << mixedPuzzles();
    }
    int accepted = 0;
    int puzzles = 0;
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const std::string text = bytes.str();
        PuzzleImport import;
        import.addText("mixed", "mixed.txt", text.data(), text.size());
        std::atomic<int> done{0};
        std::atomic<bool> cancelled{false};
        import.checkShare(0, 1, done, cancelled);
        puzzles = import.puzzleCount();
        accepted = 0;
        for (const CheckedPuzzle& puzzle : import.sources()[0].checked)
            accepted += puzzle.verdict == Verdict::accepted;
    }
    std::remove(path.c_str());
    state.counters["puzzles"] = puzzles;
    state.counters["accepted"] = accepted;
}
BENCHMARK(importThousandMixed)->Unit(benchmark::kMillisecond);

} // namespace
