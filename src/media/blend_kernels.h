#pragma once
// Row kernels of the per-frame drawing operations. Each processor level (portable C++, SSE2,
// AVX2) provides the same set, and every kernel gives exactly the bytes of the per-pixel rules
// in blend_reference.h. The surface picks the best level the processor has, once.

#include <cstddef>
#include <cstdint>

namespace kestrelle::blend {

struct RowKernels {
  const char* name;
  // Draw, normal mode, source keeps alpha: `opacity` 1..255.
  void (*normalAlpha)(uint32_t* dst, const uint32_t* src, int count, uint32_t opacity, bool targetKeepsAlpha);
  // Draw, normal mode, source without alpha, `opacity` 1..254.
  void (*normalOpaque)(uint32_t* dst, const uint32_t* src, int count, uint32_t opacity, bool targetKeepsAlpha);
  // DrawColor, normal mode, shape keeps alpha; `k` = effective opacity (opacity x colour alpha div 255).
  // A whole area of `rows` rows of `count` pixels at once; the strides are in pixels.
  void (*colorAlpha)(uint32_t* dst, std::ptrdiff_t dstStride, const uint32_t* shape, std::ptrdiff_t shapeStride,
                     int count, int rows, uint32_t colour, uint32_t k, bool targetKeepsAlpha);
  // DrawColor, normal mode, shape without alpha, k < 255: the colour blended over the row.
  void (*colorBlend)(uint32_t* dst, int count, uint32_t colour, uint32_t k, bool targetKeepsAlpha);
  // Smooth scaling in two passes that together give exactly `Bilinear` (blend_reference.h).
  // Along x, once per source row: for each target column i, four 32-bit channels
  // row[index[i]] * (65536 - f) + row[index[i] + 1] * f with f = fraction[i] (0..65535).
  void (*bilinearAlongX)(uint32_t* out, const uint32_t* row, const int32_t* index, const uint32_t* fraction, int count);
  // Along y, per target pixel: each channel (upper * (65536 - fy) + lower * fy + 2^31) >> 32 of two
  // rows of the first pass (fy 0..65535); alpha forced to 255 unless `keepAlpha`.
  void (*bilinearAlongY)(uint32_t* dst, const uint32_t* upper, const uint32_t* lower, int count, uint32_t fy,
                         bool keepAlpha);
  // Bilinear samples along a line through the source (both coordinates stepping), every
  // sample's four pixels inside; `stride` is the source width in pixels.
  void (*bilinearLine)(uint32_t* dst, const uint32_t* src, int64_t stride, int count, int64_t sx, int64_t sy,
                       int64_t dx, int64_t dy, bool keepAlpha);
};

enum class KernelLevel { kPortable, kSse2, kAvx2 };

// The kernels of a level, or null when this processor or build does not have it.
const RowKernels* KernelsFor(KernelLevel level);
// The best level available here (chosen once).
const RowKernels& ActiveKernels();

// Per-level tables, defined in the level's own source file.
extern const RowKernels kPortableKernels;
#if defined(__x86_64__) || defined(_M_X64)
extern const RowKernels kSse2Kernels;
extern const RowKernels kAvx2Kernels;
#endif

}  // namespace kestrelle::blend
