// The spoken names, put together from a few fixed UTF-8 words and digits.
#include "game/spoken_names.h"

#include <cstdio>
#include <cstring>

namespace korvani {

void spokenCellName(const CellGrid& givens, const CellGrid& userGrid, const NoteGrid& notes,
                    int cell, char* out) {
    int length =
        std::snprintf(out, spokenNameCapacity, "%d%s%d%s ", cell / 9 + 1, "行", cell % 9 + 1, "列");
    const auto append = [&](const char* text) {
        const int room = static_cast<int>(spokenNameCapacity) - length;
        if (room > 1)
            length += std::snprintf(out + length, static_cast<std::size_t>(room), "%s", text);
    };
    char digit[2] = {0, 0};
    if (givens[cell] != 0) {
        append("問題の数字 ");
        digit[0] = static_cast<char>('0' + givens[cell]);
        append(digit);
        return;
    }
    if (userGrid[cell] != 0) {
        digit[0] = static_cast<char>('0' + userGrid[cell]);
        append(digit);
        return;
    }
    append("空き");
    if (notes[cell] == 0) return;
    append(" メモ");
    for (int d = 1; d <= 9; ++d) {
        if ((notes[cell] & (1u << (d - 1))) == 0) continue;
        char note[3] = {' ', static_cast<char>('0' + d), 0};
        append(note);
    }
}

void spokenClock(int seconds, char* out) {
    std::snprintf(out, spokenNameCapacity, "%d:%02d", seconds / 60, seconds % 60);
}

} // namespace korvani
