#pragma once
// Surfaces travel to numeric functions through float slots. A pointer does not fit in a float,
// so the caller registers the surface here and writes the small integer handle into the slot.
// The table holds weak references: a handle of a surface that is gone resolves to nothing.

#include <cstdint>
#include <memory>

#include "data/object.h"

namespace kestrelle {

// What a function may read of a picture (32-bit pixels, alpha in the top byte).
class IPixelSource : public virtual IInterface {
 public:
  virtual int32_t GetWidth() const = 0;
  virtual int32_t GetHeight() const = 0;
  virtual uint32_t GetPixel(int32_t x, int32_t y) const = 0;
};

// The handle of the object (the same one while it is registered); 0 for none. Handles stay
// exact in a float (below 2^24).
float RegisterSurfaceHandle(const InterfaceRef& surface);
void ReleaseSurfaceHandle(float handle);
// The object of a handle, or null (unknown handle, object gone, NaN ...).
InterfaceRef SurfaceFromHandle(float handle);

}  // namespace kestrelle
