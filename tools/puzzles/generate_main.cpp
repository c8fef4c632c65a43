// korvani-generate: writes (or checks) the bundled problem files of puzzles/.
//   korvani-generate --out DIR     writes 1-gentle.dat .. 4-fiendish.dat into DIR
//   korvani-generate --check DIR   exits 0 only when the files in DIR are what it would write
//   korvani-generate --survey N    grades the first N puzzles of the stream, per difficulty
#include "tools/puzzles/generator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace korvani;

std::string fileText(const std::vector<GeneratedPuzzle>& puzzles) {
    std::string text;
    for (const GeneratedPuzzle& p : puzzles) text += problemLine(p) + "\n";
    return text;
}

bool readWhole(const std::string& path, std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    char buffer[4096];
    std::size_t n;
    text.clear();
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

bool writeWhole(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && written;
}

int survey(std::uint64_t count) {
    long long perDifficulty[10] = {};
    long long perTechnique[techniqueCount] = {};
    long long unsolved = 0, missingDigit = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        const CellGrid givens = generatePuzzle(bundledSeed, i);
        if (!showsEveryDigit(givens)) ++missingDigit;
        const GradeResult g = gradePuzzle(givens);
        if (!g.solved) {
            ++unsolved;
            continue;
        }
        ++perDifficulty[g.difficulty];
        ++perTechnique[int(g.hardest)];
    }
    for (int d = 1; d <= 9; ++d) std::printf("difficulty %d: %lld\n", d, perDifficulty[d]);
    for (int t = 0; t < techniqueCount; ++t) {
        std::printf("hardest %s: %lld\n", techniqueName(Technique(t)), perTechnique[t]);
    }
    std::printf("beyond the grader: %lld\nwithout every digit: %lld\n", unsolved, missingDigit);
    return 0;
}

int usage() {
    std::fputs("usage: korvani-generate --out DIR | --check DIR | --survey N\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) return usage();
    const std::string mode = argv[1];
    if (mode == "--survey") return survey(std::strtoull(argv[2], nullptr, 10));
    if (mode != "--out" && mode != "--check") return usage();

    const std::vector<PuzzleFilePlan> plans = bundledPlans();
    std::vector<std::vector<GeneratedPuzzle>> files;
    std::uint64_t tried = 0;
    if (!fillPlans(plans, bundledSeed, 200000, files, tried)) {
        std::fprintf(stderr, "korvani-generate: quotas not filled after %llu puzzles\n",
                     static_cast<unsigned long long>(tried));
        return 1;
    }
    int status = 0;
    for (std::size_t k = 0; k < plans.size(); ++k) {
        const std::string path = std::string(argv[2]) + "/" + plans[k].fileName;
        const std::string text = fileText(files[k]);
        if (mode == "--out") {
            if (!writeWhole(path, text)) {
                std::fprintf(stderr, "korvani-generate: cannot write %s\n", path.c_str());
                return 1;
            }
            std::printf("%s: %zu puzzles\n", path.c_str(), files[k].size());
        } else {
            std::string existing;
            if (!readWhole(path, existing) || existing != text) {
                std::fprintf(stderr, "korvani-generate: %s differs from a fresh generation\n",
                             path.c_str());
                status = 1;
            }
        }
    }
    std::printf("puzzles tried: %llu\n", static_cast<unsigned long long>(tried));
    return status;
}
