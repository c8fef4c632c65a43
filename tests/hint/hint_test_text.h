// Hint texts for the tests as std::string, and UTF-8 literals to compare them with (ordinary
// literals are code page 932).
#pragma once

#include "hint/hint_text.h"

#include <string>

namespace korvani {

inline std::string utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

inline std::string hintText(const Hint& hint) {
    char buffer[hintTextCapacity];
    formatHint(hint, buffer, sizeof buffer);
    return buffer;
}

} // namespace korvani
