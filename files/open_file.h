// Opening a file by a path in the program's byte form: UTF-8 on Windows, where the wide function
// opens it so that a folder name in any script works, and the system's bytes elsewhere. Defined
// in open_file.cpp (POSIX) and open_file_win.cpp.
#pragma once

#include <cstdio>

namespace korvani {

// fopen for such a path; null when it cannot be opened or named.
std::FILE* openFile(const char* path, const char* mode);

} // namespace korvani
