#include "media/png_writer.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "data/os_files.h"

namespace kestrelle {

bool WriteSurfacePng(const ISurface& surface, const std::filesystem::path& path) {
  const int32_t w = surface.GetWidth(), h = surface.GetHeight();
  const uint32_t* pixels = surface.GetScanLine(0);
  if (!pixels || w <= 0 || h <= 0) return false;
  // The pixel bytes are blue, green, red, alpha; an opaque surface writes alpha 255.
  std::vector<uint32_t> buffer(pixels, pixels + int64_t{w} * h);
  if (!surface.GetKeepAlpha())
    for (uint32_t& p : buffer) p |= 0xFF000000u;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = PNG_FORMAT_BGRA;
  // Opened through the OS module: a folder with letters outside the ANSI code page must work on
  // Windows too.
  std::FILE* file = os::OpenStdioForWriting(os::Utf8FromPath(path));
  if (!file) return false;
  bool ok = png_image_write_to_stdio(&image, file, 0, buffer.data(), w * 4, nullptr) != 0;
  png_image_free(&image);
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

}  // namespace kestrelle
