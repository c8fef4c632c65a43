// CRC-32C (Castagnoli, reflected, polynomial 0x82F63B78) as the problem-file key uses it: the
// register starts at 0xFFFFFFFF and is taken as it stands, without the final inversion.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korvani {

inline constexpr std::uint32_t crc32cPolynomial = 0x82F63B78u;
inline constexpr std::uint32_t crc32cInitial = 0xFFFFFFFFu;

// Entry n: n shifted right eight times, each shift followed by an XOR with the polynomial when
// the bit shifted out was 1.
void buildCrc32cTable(std::uint32_t table[256]);

// Runs `length` bytes through the register and returns its new value.
std::uint32_t updateCrc32c(const std::uint32_t table[256], std::uint32_t crc, const void* data,
                           std::size_t length);

} // namespace korvani
