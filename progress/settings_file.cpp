// The settings file's text, its path beside the save file, and a reader that skips whatever it
// does not understand instead of refusing the whole file.
#include "progress/settings_file.h"

#include "files/atomic_file.h"
#include "files/open_file.h"
#include "progress/file_names.h"

#include <cstdio>
#include <cstring>

namespace korvani {

namespace {

// The keys in the order they are written. A new setting is a field and one row here.
struct SettingKey {
    const char* name;
    std::int8_t Settings::*field;
};
constexpr SettingKey settingKeys[] = {
    {"dark", &Settings::dark},
    {"show_mistakes", &Settings::showMistakes},
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// [begin, end) without blanks at either end.
void trim(const char*& begin, const char*& end) {
    while (begin < end && isBlank(*begin)) ++begin;
    while (end > begin && isBlank(end[-1])) --end;
}

// 0 or 1 written as one digit; anything else (a later version's wider value too) is skipped.
bool parseFlag(const char* begin, const char* end, std::int8_t& value) {
    if (end - begin != 1 || (*begin != '0' && *begin != '1')) return false;
    value = static_cast<std::int8_t>(*begin - '0');
    return true;
}

void decodeLine(const char* begin, const char* end, Settings& settings) {
    trim(begin, end);
    if (begin == end || *begin == '#') return;
    const char* equals = static_cast<const char*>(std::memchr(begin, '=', end - begin));
    if (equals == nullptr) return;
    const char* keyEnd = equals;
    const char* valueBegin = equals + 1;
    trim(begin, keyEnd);
    trim(valueBegin, end);
    for (const SettingKey& key : settingKeys) {
        if (std::strlen(key.name) != static_cast<std::size_t>(keyEnd - begin) ||
            std::memcmp(key.name, begin, keyEnd - begin) != 0)
            continue;
        std::int8_t value = 0;
        if (parseFlag(valueBegin, end, value)) settings.*key.field = value;
        return;
    }
}

} // namespace

bool deriveSettingsPath(const char* savePath, char* out, std::size_t capacity) {
    return replaceSaveExtension(savePath, "ini", out, capacity);
}

std::size_t encodeSettings(const Settings& settings, char* out, std::size_t capacity) {
    std::size_t length = 0;
    for (const SettingKey& key : settingKeys) {
        const std::int8_t value = settings.*key.field;
        if (value == settingNotSet) continue;
        const int written = std::snprintf(out + length, capacity - length, "%s=%d\r\n", key.name,
                                          static_cast<int>(value));
        if (written < 0 || static_cast<std::size_t>(written) >= capacity - length) break;
        length += static_cast<std::size_t>(written);
    }
    return length;
}

void decodeSettings(const char* text, std::size_t size, Settings& settings) {
    const char* end = text + size;
    for (const char* line = text; line < end;) {
        const char* next = static_cast<const char*>(std::memchr(line, '\n', end - line));
        const char* lineEnd = next != nullptr ? next : end;
        decodeLine(line, lineEnd, settings);
        line = lineEnd + 1;
    }
}

Settings loadSettings(const char* savePath) {
    Settings settings;
    char path[temporaryPathCapacity];
    if (!deriveSettingsPath(savePath, path, sizeof path)) return settings;
    std::FILE* stream = openFile(path, "rb");
    if (stream == nullptr) return settings;
    char text[settingsFileCapacity];
    std::size_t size = std::fread(text, 1, sizeof text, stream);
    std::fclose(stream);
    // A file longer than the buffer is read up to its last whole line: a cut line could read
    // as another value ("dark=1" from "dark=10").
    if (size == sizeof text) {
        while (size > 0 && text[size - 1] != '\n') --size;
    }
    decodeSettings(text, size, settings);
    return settings;
}

bool saveSettings(const char* savePath, const Settings& settings, SaveFileWriter writer) {
    char path[temporaryPathCapacity];
    if (writer == nullptr || !deriveSettingsPath(savePath, path, sizeof path)) return false;
    char text[settingsFileCapacity];
    const std::size_t length = encodeSettings(settings, text, sizeof text);
    return writer(path, text, length);
}

} // namespace korvani
