// Two puzzles with one completion each, as problem-file cells, and the file key of a text: the
// known answers of the problem-line and problem-loading tests.
#pragma once

#include "core/crc32c.h"

#include <cstdint>
#include <string>

namespace korvani::test {

inline const std::string puzzleA =
    "..............3.85..1.2.......5.7.....4...1...9.......5......73..2.1........4...9";
inline const std::string solutionA =
    "987654321246173985351928746128537694634892157795461832519286473472319568863745219";
inline const std::string puzzleB =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";
inline const std::string solutionB =
    "812753649943682175675491283154237896369845721287169534521974368438526917796318452";

// The CRC-32C register after `text`, from the initial value and without a final inversion.
inline std::uint32_t keyOfText(const std::string& text) {
    std::uint32_t table[256];
    buildCrc32cTable(table);
    return updateCrc32c(table, crc32cInitial, text.data(), text.size());
}

} // namespace korvani::test
