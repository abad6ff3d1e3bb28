// Arbitrary bytes as a PNG and as a JPEG. Limits are kept small so that every input decodes
// quickly; every pixel of a decoded picture is read so that the sanitizers see the whole block.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "media/image_decode.h"

using namespace kestrelle;

namespace {

uint32_t Touch(const SurfaceRef& surface) {
  uint32_t sum = 0;
  if (!surface) return sum;
  for (int32_t y = 0; y < surface->GetHeight(); ++y) {
    const uint32_t* row = surface->GetScanLine(y);
    for (int32_t x = 0; x < surface->GetWidth(); ++x) sum += row[x];
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TImageLimits limits{2048, 1 << 20};
  volatile uint32_t sink = Touch(DecodePng(bytes, "fuzz.png", limits));
  sink = sink + Touch(DecodeJpeg(bytes, "fuzz.jpg", limits));
  return 0;
}
