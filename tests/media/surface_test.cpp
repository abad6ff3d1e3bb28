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
using blend::Bilinear;
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

TEST(Surface, RenderScaledSmoothMixesNeighboursAndRepeatsTheEdge) {
  auto src = MakeSurface(5, 4, true, 91);
  // Enlarging, mirrored, and reducing.
  for (double scale : {4.5, -3.0, 0.75}) {
    auto dst = MakeSurface(23, 17, true);
    dst->RenderScaled(src.get(), 0.25, 0.1, scale, std::fabs(scale), true);
    const int64_t dx = static_cast<int64_t>(65536 / scale), dy = static_cast<int64_t>(65536 / std::fabs(scale));
    const int64_t sx0 = 16384 + (dx < 1 ? 5 * 65536 : 0), sy0 = std::llrint(0.1 * 65536);
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 23; ++x) {
        const int64_t sx = sx0 + x * dx, sy = sy0 + y * dy;
        if (sx < 0 || sx >= 5 * 65536 || sy >= 4 * 65536) {
          EXPECT_EQ(Alpha(dst->GetPixel(x, y)), 0u);
          continue;
        }
        const int ix = static_cast<int>(sx / 65536), iy = static_cast<int>(sy / 65536);
        const int ix1 = std::min(ix + 1, 4), iy1 = std::min(iy + 1, 3);
        const uint32_t want = Bilinear(src->GetPixel(ix, iy), src->GetPixel(ix1, iy), src->GetPixel(ix, iy1),
                                       src->GetPixel(ix1, iy1), (sx & 0xFFFF) >> 9, (sy & 0xFFFF) >> 9);
        ASSERT_EQ(dst->GetPixel(x, y), want) << scale << " at " << x << "," << y;
      }
  }
}

// A plain model of RenderTransformed's per-pixel rule, for rotations through the fast spans.
uint32_t ModelTransformed(const ISurface& src, int64_t sx, int64_t sy, uint32_t t, bool smooth, bool ka) {
  auto floorDiv = [](int64_t v) { return static_cast<int64_t>(std::floor(static_cast<double>(v) / 65536.0)); };
  const int64_t ix = floorDiv(sx), iy = floorDiv(sy);
  const int64_t w = src.GetWidth(), h = src.GetHeight();
  auto inside = [&](int64_t x, int64_t y) { return x >= 0 && y >= 0 && x < w && y < h; };
  if (!smooth) {
    if (!inside(ix, iy)) return ka ? t & 0x00FFFFFFu : t | 0xFF000000u;
    return src.GetPixel(static_cast<int32_t>(ix), static_cast<int32_t>(iy)) | (ka ? 0 : 0xFF000000u);
  }
  if (ix < -1 || iy < -1 || ix >= w || iy >= h) return ka ? t & 0x00FFFFFFu : t | 0xFF000000u;
  auto at = [&](int64_t x, int64_t y) {
    return inside(x, y) ? src.GetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y)) : t;
  };
  const uint32_t v = Bilinear(at(ix, iy), at(ix + 1, iy), at(ix, iy + 1), at(ix + 1, iy + 1),
                              static_cast<uint32_t>(sx - ix * 65536) >> 9, static_cast<uint32_t>(sy - iy * 65536) >> 9);
  return ka ? v : v | 0xFF000000u;
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

    const double rad = angle * 3.14159265358979323846 / 180;
    int64_t ax, ay, bx, by;
    if (uniform) {
      const int64_t c = std::llrint(std::cos(rad) / scale * 65536), s = std::llrint(std::sin(rad) / scale * 65536);
      ax = c, ay = s, bx = -s, by = c;
    } else {
      const int64_t kx = static_cast<int64_t>(65536 / scale), ky = static_cast<int64_t>(65536 / scaleY);
      ax = std::llrint(std::cos(rad) * kx), bx = std::llrint(-std::sin(rad) * kx);
      ay = std::llrint(std::sin(rad) * ky), by = std::llrint(std::cos(rad) * ky);
    }
    const int64_t baseX = 12 * 65536 + std::llrint(ox * 65536), baseY = 12 * 65536 + std::llrint(oy * 65536);
    int changedOutsideModel = 0;
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 25; ++x) {
        const uint32_t t = before[y * 25 + x], got = dst->GetPixel(x, y);
        const int64_t sx = baseX + (x - 12) * ax + (y - 12) * bx, sy = baseY + (x - 12) * ay + (y - 12) * by;
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

TEST(Surface, DrawSubPixelCopiesWholePositionsAndSplitsFractionsWithFloor) {
  auto src = MakeSurface(4, 3, true, 121);
  auto whole = MakeSurface(8, 8, true);
  EXPECT_TRUE(whole->DrawSubPixel(src.get(), 2, 1));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(whole->GetPixel(x + 2, y + 1), src->GetPixel(x, y));

  // Pixel (x, y) mixes source (x - 1 .. x, y - 1 .. y), outside the source transparent black.
  auto at = [&](int x, int y) { return x >= 0 && y >= 0 && x < 4 && y < 3 ? src->GetPixel(x, y) : 0u; };
  auto mixed = [&](int x, int y, double fx, double fy) {
    const uint32_t wx = 128 - static_cast<uint32_t>(std::nearbyint(fx * 128));
    const uint32_t wy = 128 - static_cast<uint32_t>(std::nearbyint(fy * 128));
    return Bilinear(at(x - 1, y - 1), at(x, y - 1), at(x - 1, y), at(x, y), wx, wy);
  };
  auto near = MakeSurface(8, 8, true);
  EXPECT_TRUE(near->DrawSubPixel(src.get(), 0.25, 0.5));
  for (int y = 0; y <= 3; ++y)
    for (int x = 0; x <= 4; ++x) EXPECT_EQ(near->GetPixel(x, y), mixed(x, y, 0.25, 0.5)) << x << "," << y;

  // -0.75 is -1 + 0.25: the same picture one pixel up and left; 2.25 is 2 + 0.25.
  for (double base : {-1.0, 2.0}) {
    auto moved = MakeSurface(8, 8, true, 122);
    EXPECT_TRUE(moved->DrawSubPixel(src.get(), base + 0.25, base + 0.5));
    const int b = static_cast<int>(base);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const int lx = x - b, ly = y - b;
        if (lx < 0 || ly < 0 || lx >= 7 || ly >= 6) continue;  // the work surface is 3 larger
        const uint32_t want = lx <= 4 && ly <= 3 ? mixed(lx, ly, 0.25, 0.5) : 0u;
        EXPECT_EQ(moved->GetPixel(x, y), want) << base << " at " << x << "," << y;
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
