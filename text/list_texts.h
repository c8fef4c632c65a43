// The texts of the two list dialogs, free of the Windows API so that they are tested natively:
// the lines and the title of the Problem-selection dialog, and which directory entries the
// Open-problem dialog lists, under which text, and the file name that a listed text stands for.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korvani {

inline constexpr std::size_t clearTimeTextSize = 64;
inline constexpr std::size_t selectionLineSize = 256;
inline constexpr std::size_t problemNameSize = 64; // problemFileName: 63 characters and a NUL

// The longest list text of the Open-problem dialog: a 63-character name less its ".dat".
inline constexpr std::size_t maxProblemListTextLength = 59;

// 0 (never cleared) gives "－", 3600 and above "59:59", anything else "%02d:%02d" of whole
// minutes and remaining seconds.
void formatClearTime(std::int16_t seconds, char (&text)[clearTimeTextSize]);

// One line of the Problem-selection list: "%3d:\t難易度 %d\tクリア時間 %s" with the 1-based
// position, the signed difficulty byte and the clear-time text.
void formatSelectionLine(int position, std::int8_t difficulty, std::int16_t clearSeconds,
                         char (&line)[selectionLineSize]);

// The Problem-selection dialog's title line: the stored problem-file name less its last four
// characters (its ".dat"). A damaged save file can hold a shorter name, shown as it stands, or
// one with no terminator within its 64 bytes, of which the first 63 count.
void formatProblemTitle(const char (&problemFileName)[problemNameSize],
                        char (&title)[problemNameSize]);

// Whether a directory entry is a listed problem file: not a directory, 5 to 63 characters, and
// ending in exactly ".dat" (byte-wise, so .DAT, .Dat and .data are not listed). On true, the
// list text (the name less its ".dat") is in text.
bool problemListText(const char* entryName, bool isDirectory, char (&text)[problemNameSize]);

// Whether a listed entry is the current problem file: the whole name equals problemFileName.
bool isCurrentProblemFile(const char* entryName, const char (&problemFileName)[problemNameSize]);

// The file name that a list text stands for: a cleared 64-byte buffer holding the text and
// ".dat". False (name untouched) for a text that no listed file could have produced: empty, or
// longer than 59 characters.
bool problemFileNameFromListText(const char* text, char (&name)[problemNameSize]);

} // namespace korvani
