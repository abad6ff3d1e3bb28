#pragma once
// Row kernels of the per-frame drawing operations. Each processor level (portable C++, SSE2,
// AVX2) provides the same set, and every kernel gives exactly the bytes of the per-pixel rules
// in blend_reference.h. The surface picks the best level the processor has, once.

#include <cstdint>

namespace kestrelle::blend {

struct RowKernels {
  const char* name;
  // Draw, normal mode, source keeps alpha: `opacity` 1..255.
  void (*normalAlpha)(uint32_t* dst, const uint32_t* src, int count, uint32_t opacity, bool targetKeepsAlpha);
  // Draw, normal mode, source without alpha, `opacity` 1..254.
  void (*normalOpaque)(uint32_t* dst, const uint32_t* src, int count, uint32_t opacity, bool targetKeepsAlpha);
  // DrawColor, normal mode, shape keeps alpha; `k` = effective opacity (opacity x colour alpha div 255).
  void (*colorAlpha)(uint32_t* dst, const uint32_t* shape, int count, uint32_t colour, uint32_t k,
                     bool targetKeepsAlpha);
  // DrawColor, normal mode, shape without alpha, k < 255: the colour blended over the row.
  void (*colorBlend)(uint32_t* dst, int count, uint32_t colour, uint32_t k, bool targetKeepsAlpha);
  // Bilinear scaling of a row in two passes. Vertical: for each source column i, four 16-bit
  // channels row0[i] * (128 - wy) + row1[i] * wy (wy 0..127).
  void (*bilinearVertical)(uint16_t* out, const uint32_t* row0, const uint32_t* row1, int count, uint32_t wy);
  // Horizontal: dst[i] = (v[index[i]] * (128 - w) + v[index[i] + 1] * w + 8192) >> 14 per channel,
  // with weight[i] = (w << 16) | (128 - w); alpha forced to 255 unless `keepAlpha`.
  void (*bilinearHorizontal)(uint32_t* dst, const uint16_t* vert, const int32_t* index, const uint32_t* weight,
                             int count, bool keepAlpha);
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
