#include "media/surface_geometry.h"

#include <algorithm>

namespace kestrelle {

using namespace clip_detail;

bool ClipMasked(const TRect& target, const TRect& source, const TRect& mask, int32_t srcW, int32_t srcH, int32_t maskW,
                int32_t maskH, int32_t dstW, int32_t dstH, bool clip, const TRect& clipRect, MaskedArea& out) {
  if (dstW <= 0 || dstH <= 0 || srcW <= 0 || srcH <= 0 || maskW <= 0 || maskH <= 0) return false;
  if (WhollyOutside(target, dstW, dstH) || WhollyOutside(source, srcW, srcH) || WhollyOutside(mask, maskW, maskH))
    return false;
  int64_t xs[3] = {target.left, source.left, mask.left};
  int64_t ys[3] = {target.top, source.top, mask.top};
  int64_t w = std::min({target.Width(), source.Width(), mask.Width()});
  int64_t h = std::min({target.Height(), source.Height(), mask.Height()});
  if (clip) {
    ClipAxis(xs, w, clipRect.left, clipRect.right);
    ClipAxis(ys, h, clipRect.top, clipRect.bottom);
  }
  CutAxis(xs, {int64_t{dstW}, int64_t{srcW}, int64_t{maskW}}, w);
  CutAxis(ys, {int64_t{dstH}, int64_t{srcH}, int64_t{maskH}}, h);
  if (w <= 0 || h <= 0) return false;
  out = MaskedArea{xs[1], ys[1], xs[2], ys[2], xs[0], ys[0], w, h};
  return true;
}

void StepSpan(int64_t start, int64_t step, int64_t lo, int64_t hi, int64_t n, int64_t& first, int64_t& last) {
  first = 0;
  last = 0;
  if (n <= 0 || lo > hi) return;
  if (step == 0) {
    if (start >= lo && start <= hi) last = n;
    return;
  }
  int64_t a, b;
  if (step > 0) {
    a = CeilDiv(lo - start, step);
    b = FloorDiv(hi - start, step) + 1;
  } else {
    a = CeilDiv(start - hi, -step);
    b = FloorDiv(start - lo, -step) + 1;
  }
  first = std::clamp<int64_t>(a, 0, n);
  last = std::clamp<int64_t>(b, 0, n);
  if (last < first) last = first;
}

}  // namespace kestrelle
