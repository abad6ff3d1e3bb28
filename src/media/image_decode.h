#pragma once
// Decoding PNG and JPEG bytes straight into 32-bit surfaces.
//
// Every decoder takes the whole file in memory. A damaged, truncated or implausible image gives
// null and one log line naming `what` (the data file), never a partial picture.
//
// PNG: palette, grey, grey + alpha, 16-bit, transparency-chunk and interlaced images are all
// converted to 8-bit blue, green, red, alpha. The surface keeps alpha when the image has an
// alpha channel or a transparency chunk.
// JPEG: colour and grey images become opaque surfaces (no keep alpha); CMYK images are refused.
// "jpng": the colour of a JPEG with the grey values of a PNG mask of the same size as alpha.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "media/surface.h"

namespace kestrelle {

// Images larger than this are refused before anything is allocated.
struct TImageLimits {
  int32_t maxSide = 16384;
  int64_t maxPixels = int64_t{64} << 20;  // 256 MiB of pixels
};

SurfaceRef DecodePng(std::string_view bytes, std::string_view what, const TImageLimits& limits = {});
SurfaceRef DecodeJpeg(std::string_view bytes, std::string_view what, const TImageLimits& limits = {});
// `mask` must be a grey-scale PNG (any bit depth, no palette, no alpha channel) of the JPEG's size.
SurfaceRef DecodeJpng(std::string_view jpegBytes, std::string_view maskBytes, std::string_view what,
                      const TImageLimits& limits = {});

// The colour file of a "jpng" image: the mask's file name with its last four characters
// replaced by ".jpg" ("a\b.png" -> "a\b.jpg"). None when the name has no character before
// those four.
std::optional<std::string> JpngColourFileName(std::string_view maskFile);

}  // namespace kestrelle
