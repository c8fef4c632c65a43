// The texts of the Problem-selection and Open-problem lists (see list_texts.h).
#include "text/list_texts.h"

#include <cstdio>
#include <cstring>

namespace korvani {

namespace {

constexpr char problemExtension[] = ".dat";
constexpr std::size_t problemExtensionLength = sizeof(problemExtension) - 1;
constexpr std::size_t minProblemNameLength = 5;
constexpr std::size_t maxProblemNameLength = problemNameSize - 1;

// The length of a text, looking at no more than limit bytes (limit when none of them ends it).
std::size_t boundedLength(const char* text, std::size_t limit) {
    std::size_t length = 0;
    while (length < limit && text[length] != '\0') ++length;
    return length;
}

} // namespace

void formatClearTime(std::int16_t seconds, char (&text)[clearTimeTextSize]) {
    if (seconds == 0) {
        std::snprintf(text, sizeof text, "%s", "－");
    } else if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%s", "59:59");
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60, seconds % 60);
    }
}

void formatSelectionLine(int position, std::int8_t difficulty, std::int16_t clearSeconds,
                         char (&line)[selectionLineSize]) {
    char time[clearTimeTextSize];
    formatClearTime(clearSeconds, time);
    std::snprintf(line, sizeof line, "%3d:\t難易度 %d\tクリア時間 %s", position,
                  static_cast<int>(difficulty), time);
}

void formatProblemTitle(const char (&problemFileName)[problemNameSize],
                        char (&title)[problemNameSize]) {
    std::size_t length = boundedLength(problemFileName, maxProblemNameLength);
    if (length >= problemExtensionLength) length -= problemExtensionLength;
    std::memcpy(title, problemFileName, length);
    std::memset(title + length, 0, sizeof title - length);
}

bool problemListText(const char* entryName, bool isDirectory, char (&text)[problemNameSize]) {
    if (isDirectory) return false;
    // Bounded: a longer entry is rejected without reading all of it.
    const std::size_t length = boundedLength(entryName, maxProblemNameLength + 1);
    if (length < minProblemNameLength || length > maxProblemNameLength) return false;
    const std::size_t stem = length - problemExtensionLength;
    if (std::memcmp(entryName + stem, problemExtension, problemExtensionLength) != 0) return false;
    std::memcpy(text, entryName, stem);
    std::memset(text + stem, 0, sizeof text - stem);
    return true;
}

bool isCurrentProblemFile(const char* entryName, const char (&problemFileName)[problemNameSize]) {
    const std::size_t length = boundedLength(entryName, problemNameSize);
    return length == boundedLength(problemFileName, maxProblemNameLength) &&
           std::memcmp(entryName, problemFileName, length) == 0;
}

bool problemFileNameFromListText(const char* text, char (&name)[problemNameSize]) {
    const std::size_t length = boundedLength(text, maxProblemListTextLength + 1);
    if (length == 0 || length > maxProblemListTextLength) return false;
    std::memset(name, 0, sizeof name);
    std::memcpy(name, text, length);
    std::memcpy(name + length, problemExtension, problemExtensionLength);
    return true;
}

} // namespace korvani
