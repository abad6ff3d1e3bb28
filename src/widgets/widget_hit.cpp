#include "widgets/widget_hit.h"

namespace kestrelle {

bool PictureOpaqueAt(const ISurface* picture, int32_t x, int32_t y, uint8_t threshold) {
  if (!picture) return false;
  const int32_t w = picture->GetWidth();
  const int32_t h = picture->GetHeight();
  if (w <= 0 || h <= 0 || x < 0 || y < 0 || x > w || y > h) return false;
  if (x == w) x = w - 1;
  if (y == h) y = h - 1;
  if (!picture->GetKeepAlpha()) return true;
  return (picture->GetPixel(x, y) >> 24) > threshold;
}

}  // namespace kestrelle
