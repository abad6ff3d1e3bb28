#pragma once
#include <cstdint>
#include <string_view>

namespace kestrelle {
// CRC-32 of IEEE 802.3 (zlib's): reflected polynomial 0xEDB88320, initial all ones, final complement.
uint32_t Crc32(const void* data, size_t size, uint32_t previous = 0);
inline uint32_t Crc32(std::string_view text) { return Crc32(text.data(), text.size()); }
}  // namespace kestrelle
