#pragma once
// Hit tests against a picture for widgets with a shape of their own (images with transparent
// parts, controls with a mask). Rectangles contain their right and bottom edges for hit tests,
// so a point on those edges maps to the column or row just past the picture: it is read as the
// last column or row instead, never past the pixels.

#include <cstdint>

#include "media/surface.h"

namespace kestrelle {

// True when the picture's pixel at (x, y) of its own space has an alpha above `threshold` (every
// pixel of a picture without alpha counts as opaque). Points left of or above the picture, or
// more than one pixel past its right or bottom edge, are outside.
bool PictureOpaqueAt(const ISurface* picture, int32_t x, int32_t y, uint8_t threshold = 0);

}  // namespace kestrelle
