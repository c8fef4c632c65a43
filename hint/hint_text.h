// The hint's explanations in Japanese, as UTF-8: one for every technique, and the messages for
// mistakes, a solved grid, a puzzle that cannot be helped and a grid the techniques cannot move.
#pragma once

#include "hint/hint.h"

#include <cstddef>

namespace korvani {

// The caption of the hint's message box.
inline constexpr char hintCaption[] = "ヒント";

// The technique's Japanese name, as the explanation ends with it ("隠れたシングル").
const char* techniqueJapaneseName(Technique technique);

// Enough for every explanation (the longest is about 300 bytes).
inline constexpr std::size_t hintTextCapacity = 512;

// Writes the explanation of the hint as UTF-8 into buffer and ends it with a zero byte. A text
// longer than size - 1 bytes is cut at a character boundary. Returns the number of bytes written
// before the zero byte (0 when size is 0).
std::size_t formatHint(const Hint& hint, char* buffer, std::size_t size);

} // namespace korvani
