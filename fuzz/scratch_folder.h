// What the fuzz targets that write files share: an abort that the fuzzer reports as a crash,
// and a scratch folder of their own (in memory where /dev/shm is writable) with the path of an
// executable in it, from which the save path and the files beside it are derived.
#pragma once

#include <string>
#include <unistd.h>
#include <vector>

namespace korvani::fuzzing {

inline void check(bool condition) {
    if (!condition) __builtin_trap();
}

// A new folder named after `tag`, and "korvani.exe" in it (the file itself is not made).
inline std::string scratchExePath(const char* tag) {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/korvani-fuzz-" + tag + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    check(mkdtemp(name.data()) != nullptr);
    return std::string(name.data()) + "/korvani.exe";
}

} // namespace korvani::fuzzing
