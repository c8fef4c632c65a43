// korvani-check [--solutions] FILE
// For puzzle authors: loads FILE with the game's loader and prints, for every line the loader
// reads, whether it was accepted (with its difficulty, and its solution on request) or why it
// was rejected; then the number of puzzles and the file's key. Exit status: 0 with at least
// one puzzle, 1 with none, 2 when the file cannot be opened or the arguments are wrong.
#include "progress/problem_loading.h"
#include "progress/progress_store.h"

#include <cstdio>
#include <cstring>

namespace {

using namespace korvani;

const char* reasonText(LineVerdict verdict) {
    switch (verdict) {
    case LineVerdict::noSlash:
        return "no '/'";
    case LineVerdict::tooFewCells:
        return "fewer than 81 cells";
    case LineVerdict::noSolution:
        return "no solution";
    case LineVerdict::moreThanOneSolution:
        return "more than one solution";
    case LineVerdict::accepted:
        break;
    }
    return "accepted";
}

struct Printer {
    bool solutions = false;
};

void printLine(void* context, int lineNumber, LineVerdict verdict, const Problem& slot) {
    const Printer& printer = *static_cast<const Printer*>(context);
    if (verdict != LineVerdict::accepted) {
        std::printf("line %d: rejected (%s)\n", lineNumber, reasonText(verdict));
        return;
    }
    std::printf("line %d: accepted difficulty %d\n", lineNumber, static_cast<int>(slot.difficulty));
    if (printer.solutions) {
        char digits[82];
        for (int i = 0; i < 81; ++i) digits[i] = static_cast<char>('0' + slot.solution[i]);
        digits[81] = '\0';
        std::printf("solution %s\n", digits);
    }
}

int usage() {
    std::fprintf(stderr, "usage: korvani-check [--solutions] FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Printer printer;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--solutions") == 0 && !printer.solutions && path == nullptr) {
            printer.solutions = true;
        } else if (arg[0] == '-' || path != nullptr) {
            return usage();
        } else {
            path = arg;
        }
    }
    if (path == nullptr) return usage();

    // A store of its own: the loader fills the puzzles and adds the file's record to it.
    static ProgressStore store;
    LoadTrace trace;
    trace.onLine = printLine;
    trace.context = &printer;
    loadProblemFileAt(path, store, &trace);
    // A folder opens on some systems but cannot be read: that too is a file that cannot be used.
    if (!trace.opened || (trace.readError != 0 && trace.linesRead == 0)) {
        std::fprintf(stderr, "korvani-check: cannot open %s: %s\n", path,
                     std::strerror(trace.opened ? trace.readError : trace.openError));
        return 2;
    }
    if (trace.readError != 0) {
        std::fprintf(stderr, "korvani-check: reading %s stopped after line %d: %s\n", path,
                     trace.linesRead, std::strerror(trace.readError));
    }
    std::printf("puzzles %d\n", trace.problemCount);
    std::printf("key 0x%08X\n", static_cast<unsigned>(trace.key));
    std::fflush(stdout);
    return trace.problemCount >= 1 ? 0 : 1;
}
