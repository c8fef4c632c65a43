// Helpers for the save-file tests: a private scratch folder per test, whole-file reads and
// writes, and a progress store set up as a successful problem-file load would leave it.
#pragma once

#include "progress/progress_store.h"
#include "progress/save_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#if defined(__linux__)
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace korvani::testing {

using Bytes = std::vector<std::uint8_t>;

// A folder of its own for one test, removed with everything in it at the end.
class ScratchFolder {
  public:
    ScratchFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "korvani-progress-";
        if (info != nullptr) name += std::string(info->test_suite_name()) + "-" + info->name();
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        path_ = std::filesystem::temp_directory_path() / name;
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path file(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

#if defined(__linux__)
// A folder into which nobody may write while the object lives. Root ignores permissions, so as
// root the folder is made immutable (as chattr +i does); otherwise its write bits go.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(const std::filesystem::path& path) : path_(path) { set(true); }
    ~ReadOnlyFolder() { set(false); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // Whether a file can still be created in it (then the test cannot show anything).
    bool writable() const {
        const std::string probe = (path_ / "probe").string();
        const int descriptor = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (descriptor < 0) return false;
        ::close(descriptor);
        ::unlink(probe.c_str());
        return true;
    }

  private:
    void set(bool readOnly) {
        if (::geteuid() == 0) {
            const int descriptor = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY);
            if (descriptor >= 0) {
                int flags = 0;
                if (::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0) {
                    flags = readOnly ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
                    ::ioctl(descriptor, FS_IOC_SETFLAGS, &flags);
                }
                ::close(descriptor);
            }
        }
        ::chmod(path_.c_str(), readOnly ? 0555 : 0755);
    }

    std::filesystem::path path_;
};
#endif

// A store as a load of a problem file of `problemCount` puzzles leaves it, with `recordCount`
// records of which `current` is the file's. Puzzles carry no givens unless a test sets some.
struct LoadedStore {
    ProgressStore store;
    LoadedStore(int problemCount, int recordCount, int current) {
        store.records.resize(static_cast<std::size_t>(recordCount));
        for (int i = 0; i < recordCount; ++i) store.records[i].fileKey = 0x1000u + i;
        store.problemCount = problemCount;
        store.currentRecordIndex = current;
    }
    ProgressRecord& record() { return store.records[store.currentRecordIndex]; }
};

// A save file as the program writes it.
inline Bytes saveBytes(const char* name, std::int32_t index, std::int32_t flag,
                       std::int32_t seconds, const CellGrid& grid,
                       const std::vector<ProgressRecord>& records) {
    SaveHeader header{};
    std::strcpy(header.problemFileName, name);
    header.currentProblemIndex = index;
    header.savedGameFlag = flag;
    header.savedElapsedSeconds = seconds;
    header.savedUserGrid = grid;
    Bytes bytes(saveHeaderSize + progressRecordSize * records.size());
    encodeSaveHeader(header, static_cast<std::int32_t>(records.size()), bytes.data());
    for (std::size_t r = 0; r < records.size(); ++r) {
        encodeProgressRecord(records[r], bytes.data() + saveHeaderSize + progressRecordSize * r);
    }
    return bytes;
}

inline ProgressRecord recordWithKey(std::uint32_t key, int clearedPuzzle = -1, int seconds = 0) {
    ProgressRecord record{};
    record.fileKey = key;
    if (clearedPuzzle >= 0) record.clearSeconds[clearedPuzzle] = static_cast<std::int16_t>(seconds);
    return record;
}

} // namespace korvani::testing
