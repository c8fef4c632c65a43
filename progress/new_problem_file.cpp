// New problem files: the tagged difficulty texts, the file's bytes and its key, and the write
// under the first free name.
#include "progress/new_problem_file.h"

#include "core/crc32c.h"
#include "files/atomic_file.h"
#include "files/open_file.h"
#include "progress/file_names.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace korvani {

namespace {

// "<grade> <tag>", the bytes before a line's '/'.
int formatDifficultyText(int grade, const char* tag, char (&text)[24]) {
    return std::snprintf(text, sizeof text, "%d %s", grade, tag);
}

// FNV-1a over every given, so that files of other puzzles start from other tags.
std::uint32_t hashOfGivens(const NewProblem* problems, int count) {
    std::uint32_t hash = 2166136261u;
    for (int i = 0; i < count; ++i) {
        for (std::uint8_t cell : problems[i].givens) hash = (hash ^ cell) * 16777619u;
    }
    return hash;
}

bool isTaken(const std::vector<std::uint32_t>& takenKeys, std::uint32_t key) {
    return std::find(takenKeys.begin(), takenKeys.end(), key) != takenKeys.end();
}

// Drops the last UTF-8 character of `text`.
void dropLastCharacter(char* text) {
    std::size_t length = std::strlen(text);
    while (length > 0 && (static_cast<unsigned char>(text[length - 1]) & 0xC0) == 0x80) --length;
    if (length > 0) --length;
    text[length] = '\0';
}

// "<stem>-NN.dat" in path form and as stored, with the stem cut until the stored name fits.
// False when not even one character of the stem has a stored form.
bool nameFor(const char* stem, int number, char (&name)[problemPathCapacity],
             char (&storedName)[64]) {
    char cut[problemPathCapacity];
    if (std::snprintf(cut, sizeof cut, "%s", stem) >= int(sizeof cut)) cut[0] = '\0';
    while (cut[0] != '\0') {
        const int length = std::snprintf(name, sizeof name, "%s-%02d.dat", cut, number);
        if (length < int(sizeof name) && storedProblemName(name, storedName)) return true;
        dropLastCharacter(cut);
    }
    return false;
}

} // namespace

std::uint32_t newProblemFileKey(const NewProblem* problems, int count, const char* tag) {
    std::uint32_t table[256];
    buildCrc32cTable(table);
    std::uint32_t key = crc32cInitial;
    for (int i = 0; i < count; ++i) {
        char text[24];
        const int length = formatDifficultyText(problems[i].grade, tag, text);
        key = updateCrc32c(table, key, text, static_cast<std::size_t>(length));
    }
    return key;
}

bool chooseFileTag(const NewProblem* problems, int count, char letter,
                   const std::vector<std::uint32_t>& takenKeys, char (&tag)[fileTagSize],
                   std::uint32_t& key) {
    const std::uint32_t start = hashOfGivens(problems, count);
    for (std::uint32_t attempt = 0; attempt < 4096; ++attempt) {
        std::snprintf(tag, sizeof tag, "%c%06x", letter,
                      (start + attempt * 2654435761u) & 0xFFFFFFu);
        key = newProblemFileKey(problems, count, tag);
        if (!isTaken(takenKeys, key)) return true;
    }
    return false;
}

std::size_t formatNewProblemFile(const NewProblem* problems, int count, const char* tag, char* out,
                                 std::size_t capacity) {
    std::size_t size = 0;
    for (int i = 0; i < count; ++i) {
        char line[24 + 81 + 2];
        char text[24];
        int length = formatDifficultyText(problems[i].grade, tag, text);
        std::memcpy(line, text, static_cast<std::size_t>(length));
        line[length++] = '/';
        for (std::uint8_t cell : problems[i].givens)
            line[length++] = cell == 0 ? '.' : static_cast<char>('0' + cell);
        line[length++] = '\n';
        if (size + static_cast<std::size_t>(length) > capacity) return 0;
        std::memcpy(out + size, line, static_cast<std::size_t>(length));
        size += static_cast<std::size_t>(length);
    }
    return size;
}

NewFileResult writeProblemFileAt(const char* path, const char* bytes, std::size_t size,
                                 const char (&storedName)[64], std::uint32_t key,
                                 std::vector<std::uint32_t>& takenKeys,
                                 WrittenProblemFile& written) {
    const NewFileResult result = writeNewFileAtomically(path, bytes, size);
    if (result == NewFileResult::written) {
        std::memcpy(written.storedName, storedName, sizeof storedName);
        written.key = key;
        takenKeys.push_back(key);
    }
    return result;
}

NewProblemFileResult writeNewProblemFile(const ProgressStore& store, const char* stem,
                                         const char* fallbackStem, const NewProblem* problems,
                                         int count, char tagLetter,
                                         std::vector<std::uint32_t>& takenKeys,
                                         WrittenProblemFile& written) {
    if (count < 1 || count > maxProblemsPerFile) return NewProblemFileResult::failed;
    char tag[fileTagSize];
    std::uint32_t key = 0;
    if (!chooseFileTag(problems, count, tagLetter, takenKeys, tag, key))
        return NewProblemFileResult::failed;
    char bytes[newProblemFileCapacity];
    const std::size_t size = formatNewProblemFile(problems, count, tag, bytes, sizeof bytes);
    char folder[savePathCapacity];
    if (size == 0 || !executableFolder(store, folder)) return NewProblemFileResult::failed;

    for (int number = 1; number <= 999; ++number) {
        char name[problemPathCapacity];
        char storedName[64];
        if (!nameFor(stem, number, name, storedName) &&
            !nameFor(fallbackStem, number, name, storedName))
            return NewProblemFileResult::failed;
        char path[problemPathCapacity];
        if (std::snprintf(path, sizeof path, "%s%s", folder, name) >= int(sizeof path))
            return NewProblemFileResult::failed;
        // A name seen taken is passed over without writing anything; the move itself still
        // refuses a name that was taken meanwhile.
        if (std::FILE* existing = openFile(path, "rb")) {
            std::fclose(existing);
            continue;
        }
        switch (writeProblemFileAt(path, bytes, size, storedName, key, takenKeys, written)) {
        case NewFileResult::written:
            return NewProblemFileResult::written;
        case NewFileResult::exists:
            continue;
        case NewFileResult::failed:
            return NewProblemFileResult::failed;
        }
    }
    return NewProblemFileResult::noFreeName;
}

} // namespace korvani
