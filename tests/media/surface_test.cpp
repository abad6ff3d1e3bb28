// Surfaces: sizing, blits with clipping and dirty regions, every blend mode through the
// surface, masks, resampling, statistics, the named list and the PNG writer.
#include "media/surface.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

#include "data/params.h"
#include "media/blend_reference.h"
#include "media/png_writer.h"

namespace kestrelle {
namespace {

using blend::Alpha;
using blend::ReferenceDraw;
using blend::ReferenceDrawColor;

std::shared_ptr<TSurface> MakeSurface(int w, int h, bool keepAlpha, uint32_t seed = 0) {
  auto s = Create<TSurface>();
  s->SetSize(w, h);
  s->SetKeepAlpha(keepAlpha);
  if (seed) {
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint32_t p = rng();
        // A share of fully transparent and fully opaque pixels.
        if (rng() % 4 == 0)
          p &= 0x00FFFFFFu;
        else if (rng() % 3 == 0)
          p |= 0xFF000000u;
        *s->GetPixelAddress(x, y) = p;
      }
  }
  return s;
}

std::vector<uint32_t> PixelsOf(const ISurface& s) {
  const uint32_t* p = s.GetScanLine(0);
  return p ? std::vector<uint32_t>(p, p + int64_t{s.GetWidth()} * s.GetHeight()) : std::vector<uint32_t>{};
}

// ---- Size --------------------------------------------------------------------------------------

TEST(Surface, SetSizeAllocatesClearedPixelsAndRefusesUnusableSizes) {
  struct Case {
    int32_t w, h, wantW, wantH;
    bool pixels;
  };
  const Case cases[] = {
      {3, 2, 3, 2, true},
      {0, 0, 0, 0, false},
      {-1, 5, 0, 0, false},           // sizes come from files: a negative one leaves it empty
      {5, -7, 0, 0, false},           //
      {100000, 100000, 0, 0, false},  // 4 x 10^10 bytes
      {INT32_MAX, INT32_MAX, 0, 0, false},
  };
  for (const Case& c : cases) {
    auto s = MakeSurface(4, 4, true, 1);
    s->SetSize(c.w, c.h);
    EXPECT_EQ(s->GetWidth(), c.wantW) << c.w << "x" << c.h;
    EXPECT_EQ(s->GetHeight(), c.wantH) << c.w << "x" << c.h;
    EXPECT_EQ(s->GetScanLine(0) != nullptr, c.pixels) << c.w << "x" << c.h;
    if (c.pixels) {
      for (uint32_t p : PixelsOf(*s)) EXPECT_EQ(p, 0u);
      EXPECT_EQ(s->GetScanLine(c.h), nullptr);
      EXPECT_EQ(s->GetScanLine(-1), nullptr);
    }
  }
}

TEST(Surface, AnEmptySurfaceDrawsAndIsDrawnNothing) {
  auto empty = MakeSurface(0, 0, true);
  auto full = MakeSurface(8, 8, true, 3);
  const std::vector<uint32_t> before = PixelsOf(*full);
  const TRect r{0, 0, 8, 8};
  EXPECT_FALSE(empty->Draw(full.get(), r, kBlendNormal, 255, r));
  EXPECT_FALSE(full->Draw(empty.get(), r, kBlendNormal, 255, r));
  EXPECT_FALSE(full->DrawColor(0xFF112233u, empty.get(), kBlendNormal, 255, r, r));
  EXPECT_FALSE(full->DrawMasked(full.get(), r, r, r, empty.get()));
  EXPECT_FALSE(full->DrawSubPixel(empty.get(), 0.5, 0.5));
  EXPECT_FALSE(full->Draw(static_cast<const ISurface*>(nullptr), r, kBlendNormal, 255, r));
  empty->RenderScaled(full.get(), 0, 0, 2, 2, true);
  empty->RenderTransformed(full.get(), TPoint{4, 4}, 30, true, 1, 1, 0, 0);
  empty->SetPixel(0, 0, 1);
  EXPECT_EQ(empty->GetPixel(0, 0), 0u);
  EXPECT_EQ(PixelsOf(*full), before);
}

TEST(Surface, PixelAccessHonoursBoundsClipAndAlphaRule) {
  auto s = MakeSurface(4, 3, false);
  s->SetPixel(1, 1, 0x12345678u);
  EXPECT_EQ(s->GetPixel(1, 1), 0xFF345678u);  // an opaque surface stores alpha 255
  EXPECT_EQ(s->GetPixel(4, 0), 0u);
  EXPECT_EQ(s->GetPixel(-1, 0), 0u);
  s->SetPixel(7, 1, 0xFFFFFFFFu);  // outside: ignored
  s->SetKeepAlpha(true);
  s->SetClipRect(true, TRect{2, 0, 4, 3});
  s->SetPixel(1, 2, 0x11111111u);  // outside the clip
  s->SetPixel(2, 2, 0x11111111u);
  EXPECT_EQ(s->GetPixel(1, 2), 0u);
  EXPECT_EQ(s->GetPixelFast(2, 2), 0x11111111u);
  s->Clear();
  for (uint32_t p : PixelsOf(*s)) EXPECT_EQ(p, 0u);
}

// ---- Blits -----------------------------------------------------------------------------------

// Every mode, opacity and alpha flag through Draw, against the per-pixel rules over the
// clipped area; pixels outside it must not change.
TEST(Surface, DrawAppliesTheRulesOverTheClippedArea) {
  std::mt19937 rng(21);
  for (int iter = 0; iter < 400; ++iter) {
    const bool sourceKeepsAlpha = rng() % 2, ka = rng() % 2;
    const uint8_t mode = static_cast<uint8_t>(rng() % 7);
    const uint8_t opacity = static_cast<uint8_t>(rng() % 3 == 0 ? 255 : rng() % 256);
    auto src = MakeSurface(13, 11, sourceKeepsAlpha, rng() | 1);
    auto dst = MakeSurface(17, 9, ka, rng() | 1);
    const TRect from{static_cast<int32_t>(rng() % 6) - 2, static_cast<int32_t>(rng() % 6) - 2, 13, 11};
    const int tx = static_cast<int>(rng() % 24) - 8, ty = static_cast<int>(rng() % 16) - 6;
    const TRect to{tx, ty, tx + 13, ty + 11};
    const std::vector<uint32_t> before = PixelsOf(*dst);
    const bool drew = dst->Draw(src.get(), from, mode, opacity, to);
    bool any = false;
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 17; ++x) {
        const int sx = x - tx + from.left, sy = y - ty + from.top;
        uint32_t want = before[y * 17 + x];
        if (opacity > 0 && x >= tx && y >= ty && x < to.right && y < to.bottom && sx >= std::max(0, from.left) &&
            sy >= std::max(0, from.top) && sx < 13 && sy < 11) {
          want = ReferenceDraw(mode, sourceKeepsAlpha, ka, opacity, src->GetPixel(sx, sy), want);
          any = true;
        }
        ASSERT_EQ(dst->GetPixel(x, y), want)
            << "mode " << int{mode} << " opacity " << int{opacity} << " at " << x << "," << y;
      }
    EXPECT_EQ(drew, any);
  }
}

TEST(Surface, DrawColorAppliesTheRulesOverTheClippedArea) {
  std::mt19937 rng(22);
  for (int iter = 0; iter < 400; ++iter) {
    const bool shapeKeepsAlpha = rng() % 2, ka = rng() % 2;
    const uint8_t mode = static_cast<uint8_t>(rng() % 7);
    const uint8_t opacity = static_cast<uint8_t>(rng() % 3 == 0 ? 255 : 1 + rng() % 255);
    const uint32_t colour = rng() % 3 == 0 ? rng() | 0xFF000000u : static_cast<uint32_t>(rng());
    auto shape = MakeSurface(7, 6, shapeKeepsAlpha, rng() | 1);
    auto dst = MakeSurface(9, 8, ka, rng() | 1);
    const int tx = static_cast<int>(rng() % 12) - 4, ty = static_cast<int>(rng() % 12) - 4;
    const std::vector<uint32_t> before = PixelsOf(*dst);
    dst->DrawColor(colour, shape.get(), mode, opacity, TRect{tx, ty, tx + 7, ty + 6}, TRect{0, 0, 7, 6});
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 9; ++x) {
        uint32_t want = before[y * 9 + x];
        if (x >= tx && y >= ty && x < tx + 7 && y < ty + 6) {
          // A shape without alpha is taken as opaque everywhere.
          const uint32_t m = shapeKeepsAlpha ? shape->GetPixel(x - tx, y - ty) : 0xFF000000u;
          want = ReferenceDrawColor(mode, shapeKeepsAlpha, ka, opacity, colour, m, want);
        }
        ASSERT_EQ(dst->GetPixel(x, y), want) << "mode " << int{mode} << " at " << x << "," << y;
      }
  }
}

TEST(Surface, NormalModeCornerCases) {
  // A source with alpha at full opacity onto an opaque surface: every alpha becomes 255, even
  // under fully transparent source pixels.
  auto src = MakeSurface(6, 6, true, 9);
  auto opaque = MakeSurface(6, 6, false, 10);
  opaque->Draw(src.get(), src->GetRect(), kBlendNormal, 255, src->GetRect());
  for (uint32_t p : PixelsOf(*opaque)) EXPECT_EQ(Alpha(p), 255u);

  // Onto an empty layer the source pixels are copied exactly, at full and partial opacity
  // (the partial path copies wherever the pixel is not skipped).
  auto layer = MakeSurface(6, 6, true);
  layer->Draw(src.get(), src->GetRect(), kBlendNormal, 255, src->GetRect());
  EXPECT_EQ(PixelsOf(*layer), PixelsOf(*src));

  // A source without alpha at full opacity is a plain copy.
  auto plain = MakeSurface(6, 6, false, 12);
  auto target = MakeSurface(6, 6, true, 13);
  target->Draw(plain.get(), plain->GetRect(), kBlendNormal, 255, plain->GetRect());
  EXPECT_EQ(PixelsOf(*target), PixelsOf(*plain));
  // Opacity 0 draws nothing.
  EXPECT_FALSE(target->Draw(src.get(), src->GetRect(), kBlendNormal, 0, src->GetRect()));
}

TEST(Surface, MaxOpaqueWritesOnlyWhereTheEffectiveAlphaReachesTheTarget) {
  auto src = MakeSurface(3, 1, true);
  auto dst = MakeSurface(3, 1, true);
  for (int x = 0; x < 3; ++x) *src->GetPixelAddress(x, 0) = 0xC0102030u;  // alpha 192: e = 191 at 255
  *dst->GetPixelAddress(0, 0) = 0xBF000000u;                              // 191: written
  *dst->GetPixelAddress(1, 0) = 0xC0000000u;                              // 192: kept
  *dst->GetPixelAddress(2, 0) = 0x00ABCDEFu;                              // 0: written
  dst->Draw(src.get(), src->GetRect(), kBlendMaxOpaque, 255, src->GetRect());
  EXPECT_EQ(dst->GetPixel(0, 0), 0xBF102030u);  // all four bytes, alpha := e
  EXPECT_EQ(dst->GetPixel(1, 0), 0xC0000000u);
  EXPECT_EQ(dst->GetPixel(2, 0), 0xBF102030u);
}

TEST(Surface, PartlyOutsideTargetsTakeTheMatchingSourceOffset) {
  auto src = MakeSurface(4, 4, false, 31);
  auto dst = MakeSurface(5, 5, false);
  EXPECT_TRUE(dst->Draw(src.get(), TRect{0, 0, 4, 4}, kBlendBltFast, 255, TRect{-2, -1, 2, 3}));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(dst->GetPixel(x, y), x < 2 && y < 3 ? src->GetPixel(x + 2, y + 1) : 0u) << x << "," << y;
  // Wholly outside: nothing.
  EXPECT_FALSE(dst->Draw(src.get(), TRect{0, 0, 4, 4}, kBlendBltFast, 255, TRect{5, 0, 9, 4}));
  EXPECT_FALSE(dst->Draw(src.get(), TRect{4, 0, 8, 4}, kBlendBltFast, 255, TRect{0, 0, 4, 4}));
}

TEST(Surface, ClipRectCutsTheTargetAndTheSourceAlike) {
  auto src = MakeSurface(4, 4, false, 41);
  // A target rectangle larger than the source, clipped on every side.
  auto dst = MakeSurface(8, 8, false);
  dst->SetClipRect(true, TRect{2, 2, 4, 5});
  EXPECT_TRUE(dst->Draw(src.get(), TRect{0, 0, 4, 4}, kBlendBltFast, 255, TRect{1, 1, 8, 8}));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 4 && y >= 2 && y < 5;
      EXPECT_EQ(dst->GetPixel(x, y), inside ? src->GetPixel(x - 1, y - 1) : 0u) << x << "," << y;
    }
}

TEST(Surface, SelfOverlappingBlitReadsTheOriginalPixels) {
  auto s = MakeSurface(6, 6, true, 51);
  auto copy = MakeSurface(6, 6, true);
  copy->Draw(s.get(), s->GetRect(), kBlendBltFast, 255, s->GetRect());
  s->Draw(s.get(), TRect{0, 0, 5, 5}, kBlendNormal, 200, TRect{1, 1, 6, 6});
  for (int y = 1; y < 6; ++y)
    for (int x = 1; x < 6; ++x)
      EXPECT_EQ(s->GetPixel(x, y),
                ReferenceDraw(kBlendNormal, true, true, 200, copy->GetPixel(x - 1, y - 1), copy->GetPixel(x, y)));
}

TEST(Surface, DrawMaskedCopiesWhereTheMaskIsNotTransparent) {
  auto src = MakeSurface(4, 4, true, 61);
  auto mask = MakeSurface(6, 6, true, 62);
  auto dst = MakeSurface(4, 4, false, 63);
  const std::vector<uint32_t> before = PixelsOf(*dst);
  // The mask is read from (2, 1); the drawn size is the smallest of the three rectangles.
  EXPECT_TRUE(dst->DrawMasked(src.get(), TRect{0, 0, 4, 4}, TRect{0, 0, 4, 4}, TRect{2, 1, 6, 4}, mask.get()));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      uint32_t want = before[y * 4 + x];
      if (y < 3 && Alpha(mask->GetPixel(x + 2, y + 1)) != 0) want = src->GetPixel(x, y) | 0xFF000000u;
      EXPECT_EQ(dst->GetPixel(x, y), want) << x << "," << y;
    }
}

// ---- Dirty region and clip precedence ----------------------------------------------------------

TEST(Region, OverlapsMergeIntoTheirBoundingBoxTouchingEdgesStaySeparate) {
  TRegion region;
  region.Add(TRect{0, 0, 10, 10});
  region.Add(TRect{10, 0, 20, 10});  // shares an edge
  ASSERT_EQ(region.GetCount(), 2);
  region.Add(TRect{5, 5, 15, 8});  // overlaps both: one box
  ASSERT_EQ(region.GetCount(), 1);
  EXPECT_EQ(region.Get(0), (TRect{0, 0, 20, 10}));

  // A merge that grows the box into a rectangle already passed over: a second pass takes it.
  TRegion chain;
  chain.Add(TRect{0, 0, 4, 12});
  chain.Add(TRect{10, 10, 14, 14});
  chain.Add(TRect{2, 2, 11, 9});  // overlaps only the first; the box then reaches the second
  ASSERT_EQ(chain.GetCount(), 1);
  EXPECT_EQ(chain.Get(0), (TRect{0, 0, 14, 14}));

  chain.Add(TRect{3, 3, 3, 9});  // empty: nothing
  EXPECT_EQ(chain.GetCount(), 1);
  EXPECT_EQ(chain.Get(5), TRect{});
  chain.Clear();
  EXPECT_TRUE(chain.IsEmpty());
}

TEST(Surface, DirtyRegionLimitsDrawingAndAnExplicitClipWins) {
  auto src = MakeSurface(10, 10, false, 71);
  auto dst = MakeSurface(10, 10, false);
  dst->AddDirtyRect(TRect{0, 0, 2, 2});
  dst->AddDirtyRect(TRect{6, 6, 8, 9});
  EXPECT_TRUE(dst->IsClipByRegion());
  EXPECT_TRUE(dst->Draw(src.get(), src->GetRect(), kBlendBltFast, 255, src->GetRect()));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool dirty = (x < 2 && y < 2) || (x >= 6 && x < 8 && y >= 6 && y < 9);
      EXPECT_EQ(dst->GetPixel(x, y), dirty ? src->GetPixel(x, y) : 0u) << x << "," << y;
    }
  // A blit that misses every dirty rectangle draws nothing.
  EXPECT_FALSE(dst->Draw(src.get(), TRect{0, 0, 2, 2}, kBlendBltFast, 255, TRect{3, 3, 5, 5}));

  // The explicit clip replaces region clipping until the next dirty rectangle.
  dst->SetClipRect(true, TRect{4, 0, 5, 10});
  EXPECT_FALSE(dst->IsClipByRegion());
  dst->Clear();
  dst->DrawColor(0xFFFFFFFFu, src.get(), kBlendNormal, 255, src->GetRect(), src->GetRect());
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(dst->GetPixel(x, y), x == 4 ? 0xFFFFFFFFu : 0u) << x << "," << y;
  dst->AddDirtyRect(TRect{0, 0, 1, 1});
  EXPECT_TRUE(dst->IsClipByRegion());
  dst->ClearDirty();
  EXPECT_FALSE(dst->IsClipEnabled());
  EXPECT_EQ(dst->GetDirtyRegion().GetCount(), 0);
}

// ---- Resampling ------------------------------------------------------------------------------

TEST(Surface, RenderScaledNearestMirrorAndOutside) {
  auto src = MakeSurface(3, 2, true, 81);
  auto dst = MakeSurface(8, 4, true, 82);
  const std::vector<uint32_t> before = PixelsOf(*dst);
  dst->RenderScaled(src.get(), 0, 0, 2, 2, false);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const uint32_t want = x < 6 ? src->GetPixel(x / 2, y / 2) : before[y * 8 + x] & 0x00FFFFFFu;
      EXPECT_EQ(dst->GetPixel(x, y), want) << x << "," << y;
    }
  // A negative scale runs backwards from the far edge.
  auto row = MakeSurface(3, 1, false);
  row->RenderScaled(src.get(), -1, 0, -1, 1, false);
  EXPECT_EQ(row->GetPixel(0, 0), src->GetPixel(2, 0) | 0xFF000000u);
  EXPECT_EQ(row->GetPixel(1, 0), src->GetPixel(1, 0) | 0xFF000000u);
  EXPECT_EQ(row->GetPixel(2, 0), src->GetPixel(0, 0) | 0xFF000000u);
  // Scales that give no usable step draw nothing.
  const std::vector<uint32_t> kept = PixelsOf(*dst);
  for (double bad : {0.0, 1e-9, -1e-9, double{NAN}, double{INFINITY}}) {
    dst->RenderScaled(src.get(), 0, 0, bad, 1, true);
    dst->RenderTransformed(src.get(), TPoint{1, 1}, 10, true, bad, 1, 0, 0);
    EXPECT_EQ(PixelsOf(*dst), kept) << bad;
  }
}

// The mix of four pixels (upper left, upper right, lower left, lower right) by the 16-bit
// fractions fx, fy, the weights of the right and the lower pixels: along x, then along y, in
// full precision, rounded half up once at the end.
uint32_t ExactMix(uint32_t p00, uint32_t p01, uint32_t p10, uint32_t p11, int64_t fx, int64_t fy) {
  uint32_t out = 0;
  for (int c = 0; c < 4; ++c) {
    auto channel = [c](uint32_t p) { return static_cast<int64_t>((p >> (8 * c)) & 255); };
    const int64_t upper = channel(p00) * (65536 - fx) + channel(p01) * fx;
    const int64_t lower = channel(p10) * (65536 - fx) + channel(p11) * fx;
    const int64_t sum = upper * (65536 - fy) + lower * fy;
    out |= static_cast<uint32_t>((sum + (int64_t{1} << 31)) >> 32) << (8 * c);
  }
  return out;
}

uint32_t Uncovered(uint32_t t, bool ka) { return ka ? t & 0x00FFFFFFu : t | 0xFF000000u; }

// Per-pixel source steps of RenderTransformed in 16.16: x and y of the source move by (ax, ay)
// per target column and by (bx, by) per target row.
struct TurnSteps {
  int64_t ax, ay, bx, by;
};
TurnSteps TurnStepsOf(double angle, double scaleX, double scaleY) {
  const double rad = angle * 3.14159265358979323846 / 180;
  if (scaleX == scaleY) {
    const int64_t c = std::llrint(std::cos(rad) / scaleX * 65536), s = std::llrint(std::sin(rad) / scaleX * 65536);
    return {c, s, -s, c};
  }
  const int64_t kx = static_cast<int64_t>(65536 / scaleX), ky = static_cast<int64_t>(65536 / scaleY);
  return {std::llrint(std::cos(rad) * kx), std::llrint(std::sin(rad) * ky), std::llrint(-std::sin(rad) * kx),
          std::llrint(std::cos(rad) * ky)};
}

// A plain model of RenderTransformed's per-pixel rule: neighbours outside the source take the
// target pixel.
uint32_t ModelTransformed(const ISurface& src, int64_t sx, int64_t sy, uint32_t t, bool smooth, bool ka) {
  auto floorDiv = [](int64_t v) { return static_cast<int64_t>(std::floor(static_cast<double>(v) / 65536.0)); };
  const int64_t ix = floorDiv(sx), iy = floorDiv(sy);
  const int64_t w = src.GetWidth(), h = src.GetHeight();
  auto inside = [&](int64_t x, int64_t y) { return x >= 0 && y >= 0 && x < w && y < h; };
  if (!smooth) {
    if (!inside(ix, iy)) return Uncovered(t, ka);
    return src.GetPixel(static_cast<int32_t>(ix), static_cast<int32_t>(iy)) | (ka ? 0 : 0xFF000000u);
  }
  if (ix < -1 || iy < -1 || ix >= w || iy >= h) return Uncovered(t, ka);
  auto at = [&](int64_t x, int64_t y) {
    return inside(x, y) ? src.GetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y)) : t;
  };
  const uint32_t v =
      ExactMix(at(ix, iy), at(ix + 1, iy), at(ix, iy + 1), at(ix + 1, iy + 1), sx - ix * 65536, sy - iy * 65536);
  return ka ? v : v | 0xFF000000u;
}

// A plain model of RenderScaled with smoothing: the last column and row repeat at the edges.
uint32_t ModelScaledSmooth(const ISurface& src, double ox, double oy, double scaleX, double scaleY, int x, int y,
                           uint32_t t, bool ka) {
  const int64_t w = src.GetWidth(), h = src.GetHeight();
  const int64_t dx = static_cast<int64_t>(65536 / scaleX), dy = static_cast<int64_t>(65536 / scaleY);
  const int64_t sx = std::llrint(ox * 65536) + (dx < 1 ? w * 65536 : 0) + x * dx;
  const int64_t sy = std::llrint(oy * 65536) + (dy < 1 ? h * 65536 : 0) + y * dy;
  if (sx < 0 || sy < 0 || sx >= w * 65536 || sy >= h * 65536) return Uncovered(t, ka);
  const int32_t ix = static_cast<int32_t>(sx >> 16), iy = static_cast<int32_t>(sy >> 16);
  const int32_t ix1 = static_cast<int32_t>(std::min<int64_t>(ix + 1, w - 1));
  const int32_t iy1 = static_cast<int32_t>(std::min<int64_t>(iy + 1, h - 1));
  const uint32_t v = ExactMix(src.GetPixel(ix, iy), src.GetPixel(ix1, iy), src.GetPixel(ix, iy1),
                              src.GetPixel(ix1, iy1), sx & 0xFFFF, sy & 0xFFFF);
  return ka ? v : v | 0xFF000000u;
}

TEST(Surface, SmoothSamplingWeighsByTheWholeSixteenBitFractions) {
  struct Case {
    const char* label;
    bool turned;  // RenderTransformed around the centre, else RenderScaled
    double angle, scaleX, scaleY, offsetX, offsetY;
    bool keepAlpha;
  };
  const Case cases[] = {
      {"enlarged", false, 0, 4.5, 4.5, 0.25, 0.1, true},
      {"mirrored", false, 0, -3, 3, 0.3, 0.7, true},
      {"reduced onto an opaque surface", false, 0, 0.75, 0.6, 0.45, 0.2, false},
      {"stretched onto an opaque surface", false, 0, 2.3, 1.7, 0, 0, false},
      {"turned and enlarged", true, 30, 1.7, 1.7, -9.3, -6.2, true},
      {"turned and stretched onto an opaque surface", true, -100, 1.3, 2.1, -9.5, -6.25, false},
  };
  auto src = MakeSurface(5, 4, true, 91);
  for (const Case& c : cases) {
    auto dst = MakeSurface(23, 17, c.keepAlpha, 92);
    const std::vector<uint32_t> before = PixelsOf(*dst);
    const TPoint pivot{11, 8};
    if (c.turned)
      dst->RenderTransformed(src.get(), pivot, c.angle, true, c.scaleX, c.scaleY, c.offsetX, c.offsetY);
    else
      dst->RenderScaled(src.get(), c.offsetX, c.offsetY, c.scaleX, c.scaleY, true);
    const TurnSteps k = TurnStepsOf(c.angle, c.scaleX, c.scaleY);
    const int64_t baseX = int64_t{pivot.x} * 65536 + std::llrint(c.offsetX * 65536);
    const int64_t baseY = int64_t{pivot.y} * 65536 + std::llrint(c.offsetY * 65536);
    int mismatches = 0, compared = 0;
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 23; ++x) {
        const uint32_t t = before[y * 23 + x];
        uint32_t want;
        if (c.turned) {
          const int64_t sx = baseX + (x - pivot.x) * k.ax + (y - pivot.y) * k.bx;
          const int64_t sy = baseY + (x - pivot.x) * k.ay + (y - pivot.y) * k.by;
          want = ModelTransformed(*src, sx, sy, t, true, c.keepAlpha);
        } else {
          want = ModelScaledSmooth(*src, c.offsetX, c.offsetY, c.scaleX, c.scaleY, x, y, t, c.keepAlpha);
        }
        const uint32_t got = dst->GetPixel(x, y);
        // Uniform turns write only a box around the picture.
        if (c.turned && c.scaleX == c.scaleY && got == t) continue;
        ++compared;
        if (got != want && mismatches++ < 3)
          ADD_FAILURE() << c.label << " at " << x << "," << y << ": " << std::hex << got << " != " << want;
      }
    EXPECT_EQ(mismatches, 0) << c.label;
    EXPECT_GT(compared, 100) << c.label;
  }
}

TEST(Surface, RenderTransformedFollowsThePerPixelRule) {
  std::mt19937 rng(101);
  for (int iter = 0; iter < 60; ++iter) {
    const bool ka = rng() % 2, smooth = rng() % 4 != 0;
    auto src = MakeSurface(2 + rng() % 12, 2 + rng() % 12, true, rng() | 1);
    auto dst = MakeSurface(25, 25, ka, rng() | 1);
    const double angle = (rng() % 7200) / 10.0 - 360, scale = 0.5 + (rng() % 300) / 100.0;
    const bool uniform = rng() % 2;
    const double scaleY = uniform ? scale : scale * 0.7;
    const TPoint pivot{12, 12};
    const double ox = (rng() % 200) / 10.0 - 10, oy = (rng() % 200) / 10.0 - 10;
    const std::vector<uint32_t> before = PixelsOf(*dst);
    dst->RenderTransformed(src.get(), pivot, angle, smooth, scale, scaleY, ox, oy);

    const TurnSteps k = TurnStepsOf(angle, scale, scaleY);
    const int64_t baseX = int64_t{12} * 65536 + std::llrint(ox * 65536),
                  baseY = int64_t{12} * 65536 + std::llrint(oy * 65536);
    int changedOutsideModel = 0;
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 25; ++x) {
        const uint32_t t = before[y * 25 + x], got = dst->GetPixel(x, y);
        const int64_t sx = baseX + (x - 12) * k.ax + (y - 12) * k.bx, sy = baseY + (x - 12) * k.ay + (y - 12) * k.by;
        const uint32_t want = ModelTransformed(*src, sx, sy, t, smooth, ka);
        // Uniform scaling writes only a box around the turned picture: elsewhere the pixel is
        // either untouched or what the rule gives.
        if (uniform && got == t) continue;
        ASSERT_EQ(got, want) << "iter " << iter << " at " << x << "," << y;
        changedOutsideModel += got != want;
      }
    EXPECT_EQ(changedOutsideModel, 0);
  }
}

TEST(Surface, RenderTransformedAtAQuarterTurnWithScaleOneDoesNotSmooth) {
  auto src = MakeSurface(6, 6, true, 111);
  for (double angle : {0.0, 90.0}) {
    auto smooth = MakeSurface(6, 6, true);
    auto sharp = MakeSurface(6, 6, true);
    // Half-pixel offsets would blend neighbours if smoothing were on.
    smooth->RenderTransformed(src.get(), TPoint{3, 3}, angle, true, 1, 1, 0.5, 0.5);
    sharp->RenderTransformed(src.get(), TPoint{3, 3}, angle, false, 1, 1, 0.5, 0.5);
    EXPECT_EQ(PixelsOf(*smooth), PixelsOf(*sharp)) << angle;
  }
  // A quarter turn maps (x, y) to the source's (y, 5 - x) around the centre.
  auto turned = MakeSurface(6, 6, true);
  turned->RenderTransformed(src.get(), TPoint{3, 3}, 90, false, 1, 1, 0, 0);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const int sx = 3 - (y - 3), sy = 3 + (x - 3);
      const uint32_t want = sx >= 0 && sx < 6 && sy >= 0 && sy < 6 ? src->GetPixel(sx, sy) : 0u;
      EXPECT_EQ(turned->GetPixel(x, y), want) << x << "," << y;
    }
}

TEST(Surface, DrawSubPixelCopiesWholePositions) {
  auto src = MakeSurface(4, 3, true, 121);
  auto whole = MakeSurface(8, 8, true);
  EXPECT_TRUE(whole->DrawSubPixel(src.get(), 2, 1));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(whole->GetPixel(x + 2, y + 1), src->GetPixel(x, y));
}

TEST(Surface, DrawSubPixelMixesEachPixelWithItsRightAndLowerNeighbours) {
  struct Case {
    double x, y;
    bool sourceKeepsAlpha, targetKeepsAlpha;
  };
  const Case cases[] = {
      {0.25, 0.5, true, true}, {0.5, 0, true, false},    {0, 0.3, false, true},       {0.7, 0.9, false, false},
      {2.25, 1.5, true, true}, {1, 3.125, false, false}, {-0.75, 0.125, true, false},  // -0.75 is -1 + 0.25
  };
  constexpr int kW = 4, kH = 3, kSize = 9;
  for (const Case& c : cases) {
    auto src = MakeSurface(kW, kH, c.sourceKeepsAlpha, 121);
    auto dst = MakeSurface(kSize, kSize, c.targetKeepsAlpha, 122);
    const std::vector<uint32_t> before = PixelsOf(*dst);
    EXPECT_TRUE(dst->DrawSubPixel(src.get(), c.x, c.y));

    const int ix = static_cast<int>(std::floor(c.x)), iy = static_cast<int>(std::floor(c.y));
    const int64_t fx = std::llrint((c.x - ix) * 65536), fy = std::llrint((c.y - iy) * 65536);
    auto at = [&](int x, int y) { return x >= 0 && y >= 0 && x < kW && y < kH ? src->GetPixel(x, y) : 0u; };
    // Drawn in place at (0, 0); elsewhere through a work surface three pixels larger than the
    // source, with the source's alpha rule, copied whole.
    const bool inPlace = ix == 0 && iy == 0;
    const int written = inPlace ? 0 : 3;
    const bool alphaKept = inPlace ? c.targetKeepsAlpha : c.sourceKeepsAlpha;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        const int lx = x - ix, ly = y - iy;
        uint32_t want = before[y * kSize + x];
        if (lx >= 0 && ly >= 0 && lx < kW && ly < kH)
          want = ExactMix(at(lx, ly), at(lx + 1, ly), at(lx, ly + 1), at(lx + 1, ly + 1), fx, fy) |
                 (alphaKept ? 0u : 0xFF000000u);
        else if (lx >= 0 && ly >= 0 && lx < kW + written && ly < kH + written)
          want = 0;
        EXPECT_EQ(dst->GetPixel(x, y), want) << c.x << "," << c.y << " at " << x << "," << y;
      }
  }
}

// ---- Statistics, list, file --------------------------------------------------------------------

TEST(Surface, CountAlphaSplitsAtTheThreshold) {
  auto s = MakeSurface(3, 2, true);
  const uint32_t alphas[] = {0, 10, 11, 200, 255, 10};
  for (int i = 0; i < 6; ++i) *s->GetPixelAddress(i % 3, i / 3) = alphas[i] << 24;
  ParamsRef params = CreateParams();
  s->CountAlpha(params, 10);
  EXPECT_EQ(params->GetValue("PixelsCount", Variant()).ToInt(), 6);
  EXPECT_EQ(params->GetValue("OpaqueCount", Variant()).ToInt(), 3);
  EXPECT_EQ(params->GetValue("TransparentCount", Variant()).ToInt(), 3);
  s->CountAlpha(nullptr, 10);  // no collection: nothing
}

TEST(SurfaceCollection, AddsByNameOnceAndFindsByNameOrIndex) {
  auto list = Create<TSurfaceCollection>();
  SurfaceRef a = MakeSurface(1, 1, true), b = MakeSurface(2, 2, true);
  EXPECT_TRUE(list->AddSurface("Back", a));
  EXPECT_FALSE(list->AddSurface("BACK", b));
  EXPECT_TRUE(list->AddSurface("glyphs", b));
  EXPECT_EQ(list->GetSurface("back"), a);
  EXPECT_EQ(list->GetSurfaceAt(1), b);
  EXPECT_EQ(list->GetSurfaceAt(2), nullptr);
  EXPECT_EQ(list->GetSurface("none"), nullptr);
}

TEST(Surface, WritesAPngThatReadsBack) {
  auto s = MakeSurface(5, 3, true, 131);
  const auto path = std::filesystem::temp_directory_path() / "kestrelle_surface_test.png";
  ASSERT_TRUE(WriteSurfacePng(*s, path));
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.string().c_str()));
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> back(15);
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, back.data(), 0, nullptr));
  EXPECT_EQ(back, PixelsOf(*s));
  std::filesystem::remove(path);
  EXPECT_FALSE(WriteSurfacePng(*MakeSurface(0, 0, true), path));
}

}  // namespace
}  // namespace kestrelle
