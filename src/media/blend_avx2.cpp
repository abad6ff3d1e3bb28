// AVX2 row kernels, compiled for AVX2 function by function and chosen at run time only on a
// processor that has it; the rest of the program stays baseline x86-64.
#include "media/blend_kernels.h"

#if defined(__x86_64__) || defined(_M_X64)

#include <immintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace kestrelle::blend {
namespace avx2 {
namespace {

#define KV __m256i
#define KI(name) _mm256_##name
#define KSI(name) _mm256_##name##_si256
#define KZERO() _mm256_setzero_si256()
#define KLOAD(p) _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p))
#define KSTORE(p, v) _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v)
#define KFN __attribute__((always_inline, target("avx2"))) inline
#define KTARGET __attribute__((target("avx2")))
#define KPIXELS 8
#define KFULL (-1)
#define KHAS_SSSE3 1

#include "media/blend_simd_impl.h"

}  // namespace
}  // namespace avx2

const RowKernels kAvx2Kernels = {
    "avx2",
    avx2::NormalAlphaRow,
    avx2::NormalOpaqueRow,
    avx2::ColorAlphaRect,
    avx2::ColorBlendRow,
    avx2::BilinearAlongX,
    avx2::BilinearAlongY,
    avx2::BilinearLine,
};

}  // namespace kestrelle::blend

#endif
