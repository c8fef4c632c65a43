// The settings file: the player's choices about how the game looks and behaves, kept beside the
// save file under the save path with "ini" in place of its last three characters, so the save
// file's bytes never change for them. Text, one `key=value` per line, values decimal integers:
//
//   dark=1
//   show_mistakes=0
//
// Reading is tolerant: blank lines, lines starting with '#', unknown keys and values out of
// range are skipped, so a file written by a later version with more keys still reads. A key the
// file does not hold stays settingNotSet, which lets the program tell "never chosen" from "off".
// Only keys that are set are written, and the file is replaced only once complete.
#pragma once

#include "progress/save_file.h"

#include <cstddef>
#include <cstdint>

namespace korvani {

inline constexpr std::int8_t settingNotSet = -1;

// Every value is settingNotSet, 0 or 1.
struct Settings {
    std::int8_t dark = settingNotSet;         // the dark theme; unset: follow Windows' app theme
    std::int8_t showMistakes = settingNotSet; // wrong digits shown as they are placed
    bool operator==(const Settings&) const = default;
};

// The longest settings file that is read; the rest of a longer one is ignored.
inline constexpr std::size_t settingsFileCapacity = 4096;

// The settings path for a save path: its last three characters ("sav") become "ini". False,
// with `out` empty when it has room, unless the save path ends in "sav" and fits `capacity`.
bool deriveSettingsPath(const char* savePath, char* out, std::size_t capacity);

// The text for `settings`: one line per set key, in a fixed order, each ended by "\r\n".
// Returns its length, at most `capacity`; settingsFileCapacity is always enough.
std::size_t encodeSettings(const Settings& settings, char* out, std::size_t capacity);

// Reads the keys it knows from `size` bytes of text into `settings`, leaving the others as
// they are. Never fails: what cannot be read is skipped.
void decodeSettings(const char* text, std::size_t size, Settings& settings);

// The settings beside the save file at `savePath`; all unset when the file is absent.
Settings loadSettings(const char* savePath);

// Writes `settings` beside the save file at `savePath` through `writer` (writeFileAtomically).
// False when the path cannot be derived or the writer failed.
bool saveSettings(const char* savePath, const Settings& settings, SaveFileWriter writer);

} // namespace korvani
