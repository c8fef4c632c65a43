// The line classifier and the grid assembler of the puzzle reader.
#include "import/puzzle_reader.h"

#include <array>
#include <cstdint>

namespace korvani {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigitOneToNine(char c) {
    return c >= '1' && c <= '9';
}

// Empty cells are written in any of these; a digit 1 to 9 is a given.
bool isEmptyCell(char c) {
    return c == '.' || c == '0' || c == '*' || c == '_' || c == '-' || c == 'x' || c == 'X';
}

bool isCell(char c) {
    return isDigitOneToNine(c) || isEmptyCell(c);
}

std::uint8_t cellValue(char c) {
    return isDigitOneToNine(c) ? static_cast<std::uint8_t>(c - '0') : 0;
}

bool isSeparator(char c) {
    return c == '|' || c == '-' || c == '+' || c == '*' || c == '=';
}

enum class LineKind { skipped, gridRow, separator, puzzle, cellsOfWrongCount, other };

struct Line {
    LineKind kind = LineKind::skipped;
    std::array<std::uint8_t, 9> row{}; // gridRow
    CellGrid cells{};                  // puzzle
    int count = 0;                     // cellsOfWrongCount
};

bool hasDigit(std::string_view line) {
    for (char c : line) {
        if (isDigitOneToNine(c)) return true;
    }
    return false;
}

// Nine cells once blanks and '|' are left out.
bool readGridRow(std::string_view line, std::array<std::uint8_t, 9>& row) {
    int n = 0;
    for (char c : line) {
        if (isBlank(c) || c == '|') continue;
        if (!isCell(c) || n == 9) return false;
        row[n++] = cellValue(c);
    }
    return n == 9;
}

bool isSeparatorLine(std::string_view line) {
    bool any = false;
    for (char c : line) {
        if (isBlank(c)) continue;
        if (!isSeparator(c)) return false;
        any = true;
    }
    return any;
}

// A run of cells from the line's first non-blank, ended by the line's end or a blank or tab
// (what follows is a comment). -1 when something else ends the run.
int readCellRun(std::string_view line, CellGrid& cells) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    int count = 0;
    for (; i < line.size() && isCell(line[i]); ++i, ++count) {
        if (count < 81) cells[static_cast<std::size_t>(count)] = cellValue(line[i]);
    }
    if (i < line.size() && !isBlank(line[i])) return -1;
    return count;
}

// korvani's own line: the cells after the first '/' as the loader reads them ('.' and the
// digits are cells, every other byte is passed over, whatever follows the 81st is not looked
// at). -1 without a '/'; otherwise the cells found, at most 81.
int readProblemLineCells(std::string_view line, CellGrid& cells) {
    const std::size_t slash = line.find('/');
    if (slash == std::string_view::npos) return -1;
    int count = 0;
    for (std::size_t i = slash + 1; i < line.size() && count < 81; ++i) {
        const char c = line[i];
        if (c == '.' || isDigitOneToNine(c))
            cells[static_cast<std::size_t>(count++)] = cellValue(c);
    }
    return count;
}

Line classify(std::string_view line) {
    Line result;
    std::size_t first = 0;
    while (first < line.size() && isBlank(line[first])) ++first;
    if (first == line.size() || line[first] == '#' || line[first] == '[') return result;
    if (readGridRow(line, result.row)) {
        result.kind = LineKind::gridRow;
        return result;
    }
    if (isSeparatorLine(line)) {
        result.kind = LineKind::separator;
        return result;
    }
    const int run = readCellRun(line, result.cells);
    if (run == 81) {
        result.kind = LineKind::puzzle;
        return result;
    }
    const int problemCells = readProblemLineCells(line, result.cells);
    if (problemCells == 81) {
        result.kind = LineKind::puzzle;
        return result;
    }
    if (run > 9) {
        result.kind = LineKind::cellsOfWrongCount;
        result.count = run;
        return result;
    }
    result.kind = hasDigit(line) ? LineKind::other : LineKind::skipped;
    return result;
}

class Reader {
  public:
    void take(int lineNumber, const Line& line) {
        switch (line.kind) {
        case LineKind::gridRow:
            endOther();
            if (gridRows_ == 0) gridStart_ = lineNumber;
            for (int c = 0; c < 9; ++c)
                grid_[static_cast<std::size_t>(9 * gridRows_ + c)] = line.row[c];
            if (++gridRows_ == 9) {
                emit({gridStart_, ReadFault::none, 0, grid_});
                gridRows_ = 0;
            }
            return;
        case LineKind::separator:
            // Between the rows of a grid, around it, or around a pencil-mark grid.
            return;
        case LineKind::puzzle:
            endGrid();
            endOther();
            emit({lineNumber, ReadFault::none, 0, line.cells});
            return;
        case LineKind::cellsOfWrongCount:
            endGrid();
            endOther();
            emit({lineNumber, ReadFault::wrongCellCount, line.count, {}});
            return;
        case LineKind::other:
            endGrid();
            if (otherStart_ == 0) otherStart_ = lineNumber;
            return;
        case LineKind::skipped:
            endGrid();
            endOther();
            return;
        }
    }

    ReadPuzzles finish() {
        endGrid();
        endOther();
        if (result_.tooMany) result_.puzzles.clear();
        return std::move(result_);
    }

    bool full() const { return result_.tooMany; }

  private:
    void emit(const ReadPuzzle& puzzle) {
        if (static_cast<int>(result_.puzzles.size()) == maxImportPuzzles) {
            result_.tooMany = true;
            return;
        }
        result_.puzzles.push_back(puzzle);
    }
    void endGrid() {
        if (gridRows_ > 0) emit({gridStart_, ReadFault::shortGrid, gridRows_, {}});
        gridRows_ = 0;
    }
    void endOther() {
        if (otherStart_ > 0) emit({otherStart_, ReadFault::notAPuzzle, 0, {}});
        otherStart_ = 0;
    }

    ReadPuzzles result_;
    CellGrid grid_{};
    int gridRows_ = 0;
    int gridStart_ = 0;
    int otherStart_ = 0; // first line of lines that are not puzzles, 0: none
};

} // namespace

ReadPuzzles readPuzzles(std::string_view text) {
    Reader reader;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size() && !reader.full()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        reader.take(++lineNumber, classify(text.substr(start, end - start)));
        start = end + 1;
    }
    return reader.finish();
}

} // namespace korvani
