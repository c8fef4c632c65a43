// Decoding the three encodings a puzzle text may come in into the reader's ASCII form.
#include "import/text_decoding.h"

namespace korvani {

namespace {

// Appends one character; line ends of every kind become '\n' (the caller has merged CR LF).
void put(std::string& text, unsigned code) {
    if (code == '\r') code = '\n';
    text.push_back(code < 0x80 ? static_cast<char>(code) : nonAsciiCharacter);
}

// The length of the UTF-8 sequence at `p`, or 0 when it is not well formed.
std::size_t utf8SequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char lead = *p;
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - p) < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (p[i] & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

bool isUtf8(const unsigned char* p, const unsigned char* end) {
    while (p < end) {
        const std::size_t length = utf8SequenceLength(p, end);
        if (length == 0) return false;
        p += length;
    }
    return true;
}

// A lead byte of a double-byte character of code page 932.
bool isCp932Lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Calls put for every character, merging CR LF into one line end.
template <typename NextCharacter> std::string decode(NextCharacter next) {
    std::string text;
    unsigned code = 0;
    bool afterCr = false;
    while (next(code)) {
        if (afterCr && code == '\n') {
            afterCr = false;
            continue;
        }
        afterCr = code == '\r';
        put(text, code);
    }
    return text;
}

} // namespace

std::string normalizeText(const void* bytes, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    const unsigned char* end = p + size;
    if (size >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
        p += 2;
        return decode([&](unsigned& code) {
            if (end - p < 2) return false;
            code = p[0] | (p[1] << 8);
            p += 2;
            // A surrogate pair is one character outside ASCII.
            if (code >= 0xD800 && code <= 0xDBFF && end - p >= 2 && p[1] >= 0xDC && p[1] <= 0xDF)
                p += 2;
            return true;
        });
    }
    if (size >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) p += 3;
    if (isUtf8(p, end)) {
        return decode([&](unsigned& code) {
            if (p == end) return false;
            code = *p;
            p += utf8SequenceLength(p, end);
            return true;
        });
    }
    return decode([&](unsigned& code) {
        if (p == end) return false;
        code = *p;
        // The second byte of a double-byte character may look like ASCII ('|', '_', 'x'...).
        p += isCp932Lead(*p) && end - p >= 2 ? 2 : 1;
        return true;
    });
}

} // namespace korvani
