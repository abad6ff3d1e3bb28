#pragma once
// Clipping of blits and the integer helpers of the sampling loops (internal to the surface code).

#include <algorithm>
#include <cstdint>

#include "media/geometry.h"

namespace kestrelle {

// A clipped blit: a w x h block from (sx, sy) of the source to (tx, ty) of the target.
struct BlitArea {
  int64_t sx = 0, sy = 0, tx = 0, ty = 0, w = 0, h = 0;
};

namespace clip_detail {

// Cuts [pos, pos + size) of every surface to [0, limit), moving all the others alike.
template <int N>
inline void CutAxis(int64_t (&pos)[N], const int64_t (&limit)[N], int64_t& size) {
  for (int i = 0; i < N; ++i) {
    if (pos[i] < 0) {
      const int64_t d = -pos[i];
      for (int j = 0; j < N; ++j) pos[j] += d;
      size -= d;
    }
  }
  for (int i = 0; i < N; ++i) size = std::min(size, limit[i] - pos[i]);
}

// Applies the clip rectangle to the target (index 0) along one axis.
template <int N>
inline void ClipAxis(int64_t (&pos)[N], int64_t& size, int64_t clipLow, int64_t clipHigh) {
  if (pos[0] < clipLow) {
    const int64_t d = clipLow - pos[0];
    for (int j = 0; j < N; ++j) pos[j] += d;
    size -= d;
  }
  size = std::min(size, clipHigh - pos[0]);
}

inline bool WhollyOutside(const TRect& r, int32_t w, int32_t h) {
  return r.top >= h || r.bottom < 0 || r.right < 0 || r.left >= w;
}

}  // namespace clip_detail

// Clips a blit of `source` (in a srcW x srcH surface) onto `target` (in a dstW x dstH surface):
// nothing when either rectangle lies wholly outside its surface; the drawn size is the smaller
// of the two sizes; the clip rectangle (when on) and both surfaces' bounds then cut the block,
// every cut moving the other rectangle by the same amount. False when nothing is left.
inline bool ClipBlit(const TRect& target, const TRect& source, int32_t srcW, int32_t srcH, int32_t dstW, int32_t dstH,
                     bool clip, const TRect& clipRect, BlitArea& out) {
  if (dstW <= 0 || dstH <= 0 || srcW <= 0 || srcH <= 0) return false;
  using namespace clip_detail;
  if (WhollyOutside(target, dstW, dstH) || WhollyOutside(source, srcW, srcH)) return false;
  int64_t xs[2] = {target.left, source.left};
  int64_t ys[2] = {target.top, source.top};
  int64_t w = std::min(target.Width(), source.Width());
  int64_t h = std::min(target.Height(), source.Height());
  if (clip) {
    ClipAxis(xs, w, clipRect.left, clipRect.right);
    ClipAxis(ys, h, clipRect.top, clipRect.bottom);
  }
  CutAxis(xs, {int64_t{dstW}, int64_t{srcW}}, w);
  CutAxis(ys, {int64_t{dstH}, int64_t{srcH}}, h);
  if (w <= 0 || h <= 0) return false;
  out = BlitArea{xs[1], ys[1], xs[0], ys[0], w, h};
  return true;
}

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
