// Four-byte little-endian integers, as the side files beside the save file (notes, records log)
// store them.
#pragma once

#include <cstdint>

namespace korvani {

inline void putUint32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint32_t getUint32(const std::uint8_t* in) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | in[i];
    return value;
}

} // namespace korvani
