// The vector row kernels against the per-pixel rules: random pixels, opacities and alpha flags,
// every kernel level this processor has, byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "media/blend_kernels.h"
#include "media/blend_reference.h"
#include "media/surface.h"

namespace kestrelle::blend {
namespace {

std::vector<const RowKernels*> AvailableLevels() {
  std::vector<const RowKernels*> levels;
  for (KernelLevel level : {KernelLevel::kPortable, KernelLevel::kSse2, KernelLevel::kAvx2})
    if (const RowKernels* k = KernelsFor(level)) levels.push_back(k);
  return levels;
}

// Pixels in runs of one alpha class (transparent, opaque, other), so that the whole-vector
// shortcuts are taken as well as the mixed blocks.
class PixelSource {
 public:
  explicit PixelSource(uint32_t seed) : rng_(seed) {}
  uint32_t Next() {
    if (run_ == 0) {
      run_ = 1 + rng_() % 19;
      kind_ = rng_() % 4;
    }
    --run_;
    uint32_t rgb = rng_() & 0x00FFFFFFu;
    switch (kind_) {
      case 0:
        return rgb;
      case 1:
        return rgb | 0xFF000000u;
      case 2:
        return rgb | (static_cast<uint32_t>(1 + rng_() % 254) << 24);
      default:
        return rng_();
    }
  }
  std::vector<uint32_t> Row(int n) {
    std::vector<uint32_t> row(static_cast<size_t>(n));
    for (uint32_t& p : row) p = Next();
    return row;
  }
  uint32_t Opacity() {
    static const uint32_t kEdges[] = {1, 2, 127, 128, 254, 255, 255, 255};
    return rng_() % 2 ? kEdges[rng_() % 8] : 1 + rng_() % 255;
  }
  int Length() { return static_cast<int>(rng_() % 40); }
  uint32_t Bits() { return rng_(); }

 private:
  std::mt19937 rng_;
  int run_ = 0;
  int kind_ = 0;
};

TEST(SurfaceKernels, NormalModeMatchesTheRulesExactly) {
  for (const RowKernels* k : AvailableLevels()) {
    PixelSource gen(7);
    for (int iter = 0; iter < 6000; ++iter) {
      const int n = gen.Length();
      const bool sourceKeepsAlpha = iter % 2 == 0, ka = iter % 4 < 2;
      uint32_t opacity = gen.Opacity();
      if (!sourceKeepsAlpha && opacity == 255) opacity = 254;  // full opacity is a row copy
      const std::vector<uint32_t> src = gen.Row(n), before = gen.Row(n);
      std::vector<uint32_t> dst = before;
      if (sourceKeepsAlpha)
        k->normalAlpha(dst.data(), src.data(), n, opacity, ka);
      else
        k->normalOpaque(dst.data(), src.data(), n, opacity, ka);
      for (int i = 0; i < n; ++i) {
        const uint32_t want = ReferenceDraw(kBlendNormal, sourceKeepsAlpha, ka, opacity, src[i], before[i]);
        ASSERT_EQ(dst[i], want) << k->name << " s=" << std::hex << src[i] << " t=" << before[i] << std::dec
                                << " opacity=" << opacity << " source alpha=" << sourceKeepsAlpha << " ka=" << ka;
      }
    }
  }
}

TEST(SurfaceKernels, ColourModeMatchesTheRulesExactly) {
  for (const RowKernels* k : AvailableLevels()) {
    PixelSource gen(11);
    for (int iter = 0; iter < 6000; ++iter) {
      const int n = gen.Length();
      const bool shapeKeepsAlpha = iter % 2 == 0, ka = iter % 4 < 2;
      // Opacity and colour alpha, with full strength (both 255) a quarter of the time.
      const bool full = iter % 8 < 2;
      const uint32_t opacity = full ? 255 : gen.Opacity();
      const uint32_t colour = full ? gen.Bits() | 0xFF000000u : gen.Bits();
      const uint32_t strength = opacity * Alpha(colour) / 255;
      if (!shapeKeepsAlpha && strength == 255) continue;  // that is a fill
      // The shape kernel takes an area: rows of n pixels inside wider pictures of their own strides.
      const int rows = shapeKeepsAlpha ? 1 + static_cast<int>(gen.Bits() % 3) : 1;
      const int shapeStride = n + static_cast<int>(gen.Bits() % 5), dstStride = n + static_cast<int>(gen.Bits() % 7);
      const std::vector<uint32_t> shape = gen.Row(shapeStride * rows), before = gen.Row(dstStride * rows);
      std::vector<uint32_t> dst = before;
      if (shapeKeepsAlpha)
        k->colorAlpha(dst.data(), dstStride, shape.data(), shapeStride, n, rows, colour, strength, ka);
      else
        k->colorBlend(dst.data(), n, colour, strength, ka);
      for (int y = 0; y < rows; ++y)
        for (int i = 0; i < dstStride; ++i) {
          const size_t at = static_cast<size_t>(y * dstStride + i);
          const uint32_t m = shapeKeepsAlpha && i < n ? shape[static_cast<size_t>(y * shapeStride + i)] : 0xFF000000u;
          // Pixels right of the area stay as they were.
          const uint32_t want =
              i < n ? ReferenceDrawColor(kBlendNormal, shapeKeepsAlpha, ka, opacity, colour, m, before[at])
                    : before[at];
          ASSERT_EQ(dst[at], want) << k->name << " c=" << std::hex << colour << " m=" << m << " t=" << before[at]
                                   << std::dec << " opacity=" << opacity << " shape alpha=" << shapeKeepsAlpha
                                   << " ka=" << ka << " row=" << y << " column=" << i;
        }
    }
  }
}

TEST(SurfaceKernels, BilinearPassesAndLinesMatchTheExactMix) {
  constexpr int kW = 23, kH = 9;
  PixelSource gen(5);
  std::vector<uint32_t> src(kW * kH);
  for (uint32_t& p : src) p = gen.Bits();
  for (const RowKernels* k : AvailableLevels()) {
    std::mt19937 rng(3);
    for (int iter = 0; iter < 3000; ++iter) {
      const bool ka = iter % 2 == 0;
      const int n = 1 + static_cast<int>(rng() % 30);
      const uint32_t alphaOr = ka ? 0 : 0xFF000000u;

      // Scaling: the pass along x over two source rows at random columns, then along y.
      const int iy = static_cast<int>(rng() % (kH - 1));
      std::vector<int32_t> index(n);
      std::vector<uint32_t> fraction(n), upper(size_t{4} * n), lower(size_t{4} * n), row(n);
      for (int i = 0; i < n; ++i) {
        index[i] = static_cast<int32_t>(rng() % (kW - 1));
        fraction[i] = rng() % 4 ? rng() % 65536 : (rng() % 2) * 65535;
      }
      const uint32_t fy = rng() % 4 ? rng() % 65536 : (rng() % 2) * 65535;
      k->bilinearAlongX(upper.data(), &src[size_t{kW} * iy], index.data(), fraction.data(), n);
      k->bilinearAlongX(lower.data(), &src[size_t{kW} * (iy + 1)], index.data(), fraction.data(), n);
      k->bilinearAlongY(row.data(), upper.data(), lower.data(), n, fy, ka);
      for (int i = 0; i < n; ++i) {
        const uint32_t* r = &src[iy * kW + index[i]];
        ASSERT_EQ(row[i], Bilinear(r[0], r[1], r[kW], r[kW + 1], fraction[i], fy) | alphaOr) << k->name << " i=" << i;
      }

      // Rotation: both coordinates step; every sample's four pixels inside.
      const int64_t last = int64_t{kW - 1} * 65536 - 1, ylast = int64_t{kH - 1} * 65536 - 1;
      const int64_t dx = static_cast<int64_t>(rng() % (last / n)) * (rng() % 2 ? 1 : -1);
      const int64_t sx = dx >= 0 ? static_cast<int64_t>(rng() % (last - dx * (n - 1) + 1))
                                 : -dx * (n - 1) + static_cast<int64_t>(rng() % (last + dx * (n - 1) + 1));
      const int64_t dy = static_cast<int64_t>(rng() % (ylast / n));
      const int64_t sy = static_cast<int64_t>(rng() % (ylast - dy * (n - 1) + 1));
      std::vector<uint32_t> line(n);
      k->bilinearLine(line.data(), src.data(), kW, n, sx, sy, dx, dy, ka);
      for (int i = 0; i < n; ++i) {
        const int64_t x = sx + i * dx, y = sy + i * dy;
        const uint32_t* q = &src[(y / 65536) * kW + x / 65536];
        ASSERT_EQ(line[i], Bilinear(q[0], q[1], q[kW], q[kW + 1], x & 0xFFFF, y & 0xFFFF) | alphaOr)
            << k->name << " i=" << i;
      }
    }
  }
}

}  // namespace
}  // namespace kestrelle::blend
