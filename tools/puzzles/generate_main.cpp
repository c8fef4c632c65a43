// korvani-generate: writes (or checks) the bundled problem files of puzzles/.
//   korvani-generate --out DIR     writes 1-gentle.dat .. 4-fiendish.dat into DIR
//   korvani-generate --check DIR   exits 0 only when the files in DIR are what it would write
//   korvani-generate --survey N    grades the first N puzzles of the stream, per difficulty
//   korvani-generate --grade D --count N [--seed S] [--no-symmetry]
//                                  prints N new puzzles of difficulty D, easiest first; without
//                                  --seed the seed comes from the clock and goes to stderr
#include "generate/puzzle_batch.h"
#include "tools/puzzles/generator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <thread>

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
    std::fputs("usage: korvani-generate --out DIR | --check DIR | --survey N\n"
               "       korvani-generate --grade D --count N [--seed S] [--no-symmetry]\n",
               stderr);
    return 2;
}

// Whole decimal number, nothing after it.
bool parseNumber(const char* text, unsigned long long& value) {
    if (*text < '0' || *text > '9') return false;
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return *end == '\0';
}

int makeNew(int argc, char** argv) {
    unsigned long long grade = 0, count = 0, seed = 0;
    bool haveGrade = false, haveCount = false, haveSeed = false, symmetric = true;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--grade" && hasValue) {
            haveGrade = parseNumber(argv[++i], grade);
            if (!haveGrade) return usage();
        } else if (option == "--count" && hasValue) {
            haveCount = parseNumber(argv[++i], count);
            if (!haveCount) return usage();
        } else if (option == "--seed" && hasValue) {
            haveSeed = parseNumber(argv[++i], seed);
            if (!haveSeed) return usage();
        } else if (option == "--no-symmetry") {
            symmetric = false;
        } else {
            return usage();
        }
    }
    if (!haveGrade || !haveCount || grade < lowestGrade || grade > highestGrade || count < 1 ||
        count > 1000)
        return usage();
    if (!haveSeed) {
        // Two runs within one second must still differ, so the clock is mixed with the
        // system's random source (MinGW has no timespec_get).
        std::random_device source;
        seed = static_cast<unsigned long long>(std::time(nullptr)) * 1000003ull ^
               (static_cast<unsigned long long>(source()) << 32 | source());
        std::fprintf(stderr, "seed %llu\n", seed);
    }
    const PuzzleRequest request{std::uint64_t(seed), int(grade), symmetric};
    const int threads = int(std::max(1u, std::thread::hardware_concurrency()));
    const std::atomic<bool> never{false};
    for (const GeneratedPuzzle& p : makePuzzleSet(request, int(count), threads, never)) {
        std::printf("%s\n", problemLine(p).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--grade") == 0) return makeNew(argc, argv);
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
