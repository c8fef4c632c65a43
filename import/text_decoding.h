// Text from a file or the clipboard as the puzzle reader sees it. The bytes may be UTF-8 (with or
// without a byte-order mark), UTF-16 LE with its mark, or code page 932, with CR LF, LF or CR line
// ends. Puzzles are written in ASCII alone, so the reader needs only the ASCII characters: every
// other character, whatever its encoding, becomes the one byte nonAsciiCharacter, and every line
// end a '\n'. Line numbers therefore stay those of the source.
#pragma once

#include <cstddef>
#include <string>

namespace korvani {

// A file larger than this is refused before it is read whole.
inline constexpr std::size_t maxImportBytes = 10 * 1024 * 1024;

inline constexpr char nonAsciiCharacter = '\x80';

std::string normalizeText(const void* bytes, std::size_t size);

} // namespace korvani
