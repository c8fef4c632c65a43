// How the progress store names and opens files. A path held in the store (savePath and the paths
// made from it) is in the file system's own byte form: UTF-8 on Windows, where the wide
// functions open it so that a folder name in any script works, and the system's bytes
// elsewhere. Problem-file names in the save file stay code page 932 bytes; problemFilePath
// turns one into such a path. Defined in file_names.cpp (POSIX) and file_names_win.cpp.
#pragma once

#include "progress/progress_store.h"

#include <cstddef>
#include <cstdio>

namespace korvani {

// Room for the executable's folder and a problem-file name of 63 code page 932 bytes, each of
// which may take three bytes of UTF-8.
inline constexpr std::size_t problemPathCapacity = savePathCapacity + 3 * 64;

// remove for a path in the store's byte form.
bool removeFile(const char* path);

// The path of the problem file named by header.problemFileName in the executable's folder (the
// first dirPrefixLength bytes of savePath). False when the prefix is out of range, the name
// cannot be converted or the path does not fit `capacity` with its terminator.
bool problemFilePath(const ProgressStore& store, char* out, std::size_t capacity);

// Removes a problem file beside the executable (one this run wrote and must take back).
bool removeProblemFile(const ProgressStore& store, const char (&storedName)[64]);

// The same for another stored name (code page 932, at most 63 bytes before its NUL).
bool problemFilePathFor(const ProgressStore& store, const char (&storedName)[64], char* out,
                        std::size_t capacity);

// The stored form of a file name given in the path byte form: code page 932, at most 63 bytes,
// the rest of the 64 bytes zero. False when the name is longer or has a character without an
// exact code page 932 form.
bool storedProblemName(const char* pathFormName, char (&storedName)[64]);

// The executable's folder as a path in the store's byte form, with its trailing separator
// (empty: the current folder). False when dirPrefixLength is out of range.
bool executableFolder(const ProgressStore& store, char (&folder)[savePathCapacity]);

// Calls `visit` with the stored name of every file of the executable's folder that the
// Open-problem dialog lists: not a folder, a name with a code page 932 form of 5 to 63 bytes
// ending in exactly ".dat". False when the folder cannot be read.
using ProblemFileVisitor = void (*)(void* context, const char (&storedName)[64]);
bool forEachProblemFile(const ProgressStore& store, ProblemFileVisitor visit, void* context);

} // namespace korvani
