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
  // Bilinear samples along a row: for i in 0..count-1, x = (sx + i * dx) in 16.16 (never
  // negative), the mix of row0[x], row0[x + 1], row1[x], row1[x + 1] with weight wx = the top
  // 7 bits of x's fraction and `wy` (0..127). Alpha is forced to 255 unless `keepAlpha`.
  // Every sample must lie inside: 0 <= x < (width - 1) * 65536.
  void (*bilinearRow)(uint32_t* dst, const uint32_t* row0, const uint32_t* row1, int count, int64_t sx, int64_t dx,
                      uint32_t wy, bool keepAlpha);
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
