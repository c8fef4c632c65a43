// Hint texts for the tests as std::string.
#pragma once

#include "hint/hint_text.h"

#include <string>

namespace korvani {

inline std::string hintText(const Hint& hint) {
    char buffer[hintTextCapacity];
    formatHint(hint, buffer, sizeof buffer);
    return buffer;
}

} // namespace korvani
