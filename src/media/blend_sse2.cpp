// SSE2 row kernels (every x86-64 processor has SSE2).
#include "media/blend_kernels.h"

#if defined(__x86_64__) || defined(_M_X64)

#include <immintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace kestrelle::blend {
namespace sse2 {
namespace {

#define KV __m128i
#define KI(name) _mm_##name
#define KSI(name) _mm_##name##_si128
#define KZERO() _mm_setzero_si128()
#define KLOAD(p) _mm_loadu_si128(reinterpret_cast<const __m128i*>(p))
#define KSTORE(p, v) _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v)
#define KFN __attribute__((always_inline)) inline
#define KTARGET
#define KPIXELS 4
#define KFULL 0xFFFF
#define KHAS_SSSE3 0

#include "media/blend_simd_impl.h"

}  // namespace
}  // namespace sse2

const RowKernels kSse2Kernels = {
    "sse2",
    sse2::NormalAlphaRow,
    sse2::NormalOpaqueRow,
    sse2::ColorAlphaRect,
    sse2::ColorBlendRow,
    sse2::BilinearAlongX,
    sse2::BilinearAlongY,
    sse2::BilinearLine,
};

}  // namespace kestrelle::blend

#endif
