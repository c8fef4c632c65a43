// CRC-32C table and register update for the problem-file key.
#include "core/crc32c.h"

namespace korvani {

void buildCrc32cTable(std::uint32_t table[256]) {
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t value = n;
        for (int bit = 0; bit < 8; ++bit) {
            const bool out = (value & 1u) != 0;
            value >>= 1;
            if (out) value ^= crc32cPolynomial;
        }
        table[n] = value;
    }
}

std::uint32_t updateCrc32c(const std::uint32_t table[256], std::uint32_t crc, const void* data,
                           std::size_t length) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < length; ++i) crc = (crc >> 8) ^ table[(crc ^ bytes[i]) & 0xFFu];
    return crc;
}

} // namespace korvani
