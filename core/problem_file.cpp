// Problem-file lines: parsing and proving each one, and the file's key over the accepted lines.
#include "core/problem_file.h"

#include "core/solver/solver.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace korvani {

namespace {

bool isBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The decimal value at the start of the difficulty text: blanks skipped, an optional sign,
// digits up to the first other byte; 0 without digits; clamped to the signed 32-bit range.
std::int32_t difficultyValue(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (isBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > limit) value = limit; // stays clamped however many digits follow
        ++p;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

} // namespace

LineVerdict judgeProblemLine(const char* line, Problem& slot) {
    const char* slash = std::strchr(line, '/');
    if (slash == nullptr) return LineVerdict::noSlash;
    const std::uint32_t value = static_cast<std::uint32_t>(difficultyValue(line));
    slot.difficulty = static_cast<std::int8_t>(static_cast<std::uint8_t>(value & 0xFFu));

    const char* p = slash + 1;
    int cells = 0;
    while (cells < 81) {
        const char c = *p++;
        if (c == '\0') return LineVerdict::tooFewCells;
        if (c == '.') {
            slot.givens[cells++] = 0;
        } else if (c >= '1' && c <= '9') {
            slot.givens[cells++] = static_cast<std::uint8_t>(c - '0');
        }
    }

    const SolveResult result = solveGivens(slot.givens);
    if (result.count != 1) {
        slot.givens.fill(0);
        return result.count == 0 ? LineVerdict::noSolution : LineVerdict::moreThanOneSolution;
    }
    slot.solution = result.solution;
    return LineVerdict::accepted;
}

bool parseProblemLine(const char* line, Problem& slot) {
    return judgeProblemLine(line, slot) == LineVerdict::accepted;
}

ProblemLines readProblemLines(std::FILE* file, Problem (&slots)[maxProblemsPerFile],
                              LoadTrace* trace) {
    if (trace != nullptr) trace->opened = true;
    std::uint32_t table[256];
    buildCrc32cTable(table);
    ProblemLines lines;
    int lineNumber = 0;
    char line[problemLineBufferSize];
    while (std::fgets(line, problemLineBufferSize, file) != nullptr) {
        ++lineNumber;
        const LineVerdict verdict = judgeProblemLine(line, slots[lines.count]);
        if (trace != nullptr && trace->onLine != nullptr)
            trace->onLine(trace->context, lineNumber, verdict, slots[lines.count]);
        if (verdict != LineVerdict::accepted) break;
        const char* slash = std::strchr(line, '/');
        lines.key = updateCrc32c(table, lines.key, line, static_cast<std::size_t>(slash - line));
        if (++lines.count == maxProblemsPerFile) break;
    }
    if (trace != nullptr) {
        trace->linesRead = lineNumber;
        if (std::ferror(file) != 0) trace->readError = errno != 0 ? errno : EIO;
        trace->problemCount = lines.count;
        trace->key = lines.key;
    }
    return lines;
}

} // namespace korvani
