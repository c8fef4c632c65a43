// The copied line of a puzzle's givens.
#include "import/copy_text.h"

namespace korvani {

void formatCopyLine(const CellGrid& givens, char (&line)[copyLineSize]) {
    for (std::size_t cell = 0; cell < 81; ++cell) {
        const std::uint8_t digit = givens[cell];
        line[cell] = digit >= 1 && digit <= 9 ? static_cast<char>('0' + digit) : '.';
    }
    line[81] = '\0';
}

} // namespace korvani
