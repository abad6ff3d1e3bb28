#pragma once
// Clipping of blits and the integer helpers of the sampling loops (internal to the surface code).

#include <cstdint>

#include "media/geometry.h"

namespace kestrelle {

// A clipped blit: a w x h block from (sx, sy) of the source to (tx, ty) of the target.
struct BlitArea {
  int64_t sx = 0, sy = 0, tx = 0, ty = 0, w = 0, h = 0;
};

// Clips a blit of `source` (in a srcW x srcH surface) onto `target` (in a dstW x dstH surface):
// nothing when either rectangle lies wholly outside its surface; the drawn size is the smaller
// of the two sizes; the clip rectangle (when on) and both surfaces' bounds then cut the block,
// every cut moving the other rectangle by the same amount. False when nothing is left.
bool ClipBlit(const TRect& target, const TRect& source, int32_t srcW, int32_t srcH, int32_t dstW, int32_t dstH,
              bool clip, const TRect& clipRect, BlitArea& out);

// The same for a source and a mask drawn together.
struct MaskedArea {
  int64_t sx = 0, sy = 0, mx = 0, my = 0, tx = 0, ty = 0, w = 0, h = 0;
};
bool ClipMasked(const TRect& target, const TRect& source, const TRect& mask, int32_t srcW, int32_t srcH, int32_t maskW,
                int32_t maskH, int32_t dstW, int32_t dstH, bool clip, const TRect& clipRect, MaskedArea& out);

// Floor and ceiling of a / b for b > 0.
constexpr int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
constexpr int64_t CeilDiv(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

// The indices i in [0, n) with lo <= start + i * step <= hi, as [first, last); empty when first >= last.
void StepSpan(int64_t start, int64_t step, int64_t lo, int64_t hi, int64_t n, int64_t& first, int64_t& last);

}  // namespace kestrelle
