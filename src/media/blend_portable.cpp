// Portable row kernels: the per-pixel rules, pixel by pixel, for processors without a vector
// path (and as the plain baseline the vector kernels are measured against).
#include <cstddef>
#include <cstdint>

#include "media/blend_kernels.h"
#include "media/blend_reference.h"
#include "media/surface.h"

namespace kestrelle::blend {
namespace {

void NormalAlphaRow(uint32_t* dst, const uint32_t* src, int count, uint32_t opacity, bool ka) {
  for (int i = 0; i < count; ++i) {
    // A transparent source pixel over a pixel it cannot change is skipped.
    if (Alpha(src[i]) == 0 && (opacity < 255 || (ka ? Alpha(dst[i]) != 0 : Alpha(dst[i]) == 255))) continue;
    dst[i] = ReferenceDraw(kBlendNormal, true, ka, opacity, src[i], dst[i]);
  }
}

void NormalOpaqueRow(uint32_t* dst, const uint32_t* src, int count, uint32_t opacity, bool ka) {
  for (int i = 0; i < count; ++i) dst[i] = ReferenceDraw(kBlendNormal, false, ka, opacity, src[i], dst[i]);
}

void ColorAlphaRect(uint32_t* dst, std::ptrdiff_t dstStride, const uint32_t* shape, std::ptrdiff_t shapeStride,
                    int count, int rows, uint32_t colour, uint32_t k, bool ka) {
  // The effective opacity is passed as the opacity of an opaque colour: o * 255 div 255 = o.
  const uint32_t c = k == 255 ? colour : WithAlpha(colour, 255);
  for (int y = 0; y < rows; ++y, dst += dstStride, shape += shapeStride)
    for (int i = 0; i < count; ++i) {
      if (Alpha(shape[i]) == 0 && (ka || k < 255)) continue;
      dst[i] = ReferenceDrawColor(kBlendNormal, true, ka, k, c, shape[i], dst[i]);
    }
}

void ColorBlendRow(uint32_t* dst, int count, uint32_t colour, uint32_t k, bool ka) {
  const uint32_t c = WithAlpha(colour, 255);
  for (int i = 0; i < count; ++i) dst[i] = ReferenceDrawColor(kBlendNormal, false, ka, k, c, 0xFF000000u, dst[i]);
}

void BilinearAlongX(uint32_t* out, const uint32_t* row, const int32_t* index, const uint32_t* fraction, int count) {
  for (int i = 0; i < count; ++i) {
    const uint32_t left = row[index[i]], right = row[index[i] + 1], f = fraction[i];
    for (int c = 0; c < 4; ++c) out[4 * i + c] = Channel(left, c) * (65536 - f) + Channel(right, c) * f;
  }
}

void BilinearAlongY(uint32_t* dst, const uint32_t* upper, const uint32_t* lower, int count, uint32_t fy, bool ka) {
  for (int i = 0; i < count; ++i) {
    uint32_t p = 0;
    for (int c = 0; c < 4; ++c) {
      const uint64_t sum = uint64_t{upper[4 * i + c]} * (65536 - fy) + uint64_t{lower[4 * i + c]} * fy;
      p |= static_cast<uint32_t>((sum + 0x80000000u) >> 32) << (8 * c);
    }
    dst[i] = ka ? p : p | 0xFF000000u;
  }
}

void BilinearLine(uint32_t* dst, const uint32_t* src, int64_t stride, int count, int64_t sx, int64_t sy, int64_t dx,
                  int64_t dy, bool ka) {
  for (int i = 0; i < count; ++i, sx += dx, sy += dy) {
    const uint64_t x = static_cast<uint64_t>(sx), y = static_cast<uint64_t>(sy);
    const uint32_t* p = src + static_cast<int64_t>(y >> 16) * stride + static_cast<int64_t>(x >> 16);
    uint32_t v = Bilinear(p[0], p[1], p[stride], p[stride + 1], x & 0xFFFF, y & 0xFFFF);
    dst[i] = ka ? v : v | 0xFF000000u;
  }
}

}  // namespace

const RowKernels kPortableKernels = {
    "portable",    NormalAlphaRow, NormalOpaqueRow, ColorAlphaRect,
    ColorBlendRow, BilinearAlongX, BilinearAlongY,  BilinearLine,
};

const RowKernels* KernelsFor(KernelLevel level) {
  switch (level) {
    case KernelLevel::kPortable:
      return &kPortableKernels;
#if defined(__x86_64__) || defined(_M_X64)
    case KernelLevel::kSse2:
      return &kSse2Kernels;
    case KernelLevel::kAvx2:
      return __builtin_cpu_supports("avx2") ? &kAvx2Kernels : nullptr;
#else
    default:
      return nullptr;
#endif
  }
  return nullptr;
}

const RowKernels& ActiveKernels() {
  static const RowKernels* const chosen = [] {
    for (KernelLevel level : {KernelLevel::kAvx2, KernelLevel::kSse2})
      if (const RowKernels* k = KernelsFor(level)) return k;
    return &kPortableKernels;
  }();
  return *chosen;
}

}  // namespace kestrelle::blend
