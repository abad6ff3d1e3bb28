#include "data/crc32.h"

#include <zlib.h>

namespace kestrelle {
uint32_t Crc32(const void* data, size_t size, uint32_t previous) {
  uLong crc = previous;
  const auto* bytes = static_cast<const Bytef*>(data);
  while (size > 0) {  // zlib takes uInt lengths
    uInt chunk = size > 0x40000000U ? 0x40000000U : static_cast<uInt>(size);
    crc = crc32(crc, bytes, chunk);
    bytes += chunk;
    size -= chunk;
  }
  return static_cast<uint32_t>(crc);
}
}  // namespace kestrelle
