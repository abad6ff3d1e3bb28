#include "media/blend_reference.h"

#include <algorithm>

#include "media/surface.h"

namespace kestrelle::blend {
namespace {

// Normal mode colour channel: t + (s - t) * g div 256, the division truncating toward zero.
inline uint32_t Mix(int s, int t, int g) { return static_cast<uint32_t>(t + (s - t) * g / 256); }

uint32_t MixPixel(uint32_t s, uint32_t t, int g, uint32_t alpha) {
  uint32_t out = 0;
  for (int i = 0; i < 3; ++i)
    out |= Mix(static_cast<int>(Channel(s, i)), static_cast<int>(Channel(t, i)), g) << (8 * i);
  return out | (alpha << 24);
}

int ModeChannel(uint8_t mode, int s, int t, int e) {
  switch (mode) {
    case kBlendScreen:
      return 255 - (255 - s * e / 256) * (256 - t) / 256;
    case kBlendOverlay:
      if (t >= 128) return t * (255 - e) / 256 + (255 - (255 - s) * (255 - t) / 128) * e / 256;
      return t * (255 - e) / 256 + e * (s * t) / 32768;
    case kBlendLinearLight:
      return std::clamp(t + (e * (2 * s - 255)) / 256, 0, 255);
    case kBlendAddition:
      return std::min(255, t + e * s / 256);
    default:
      return t;
  }
}

// Modes 1 to 4 with effective alpha e; the colour channels come from `s`.
uint32_t ModePixel(uint8_t mode, bool targetKeepsAlpha, uint32_t s, uint32_t t, int e) {
  uint32_t out = 0;
  for (int i = 0; i < 3; ++i) {
    int v = ModeChannel(mode, static_cast<int>(Channel(s, i)), static_cast<int>(Channel(t, i)), e);
    out |= static_cast<uint32_t>(v) << (8 * i);
  }
  int ta = static_cast<int>(Alpha(t));
  int alpha = ta;
  if (targetKeepsAlpha) alpha = mode == kBlendOverlay ? (e + ta * (255 - e)) / 256 : e + (255 - e) * ta / 256;
  return out | (static_cast<uint32_t>(alpha) << 24);
}

}  // namespace

uint32_t ReferenceDraw(uint8_t mode, bool sourceKeepsAlpha, bool targetKeepsAlpha, uint32_t opacity, uint32_t s,
                       uint32_t t) {
  const int a = static_cast<int>(opacity);
  // A source without alpha is opaque, whatever its alpha bytes hold.
  const int sa = sourceKeepsAlpha ? static_cast<int>(Alpha(s)) : 255;
  const int h = static_cast<int>(Alpha(t));
  switch (mode) {
    case kBlendBltFast:
      return s;
    case kBlendNormal:
      if (!sourceKeepsAlpha) {
        if (a == 255) return s;
        if (targetKeepsAlpha && h == 0) return s;
        uint32_t out = 0;
        for (int i = 0; i < 3; ++i) {
          int c = (static_cast<int>(Channel(s, i)) * a + static_cast<int>(Channel(t, i)) * (255 - a) + 255) / 256;
          out |= static_cast<uint32_t>(c) << (8 * i);
        }
        return out | (static_cast<uint32_t>(targetKeepsAlpha ? a : h) << 24);
      }
      if (a == 255) {
        const int g = sa;
        uint32_t out = t;
        if (targetKeepsAlpha && h == 0) return s;
        if (g > 0) out = MixPixel(s, t, g, static_cast<uint32_t>(g + (255 - g) * (h + 1) / 256));
        return targetKeepsAlpha ? out : WithAlpha(out, 255);
      } else {
        const int g = sa * a / 256;
        if (g == 0) return t;
        if (targetKeepsAlpha && h == 0) return s;
        return MixPixel(s, t, g, static_cast<uint32_t>(targetKeepsAlpha ? g + h - (g * h + 255) / 256 : h));
      }
    case kBlendScreen:
    case kBlendOverlay:
    case kBlendLinearLight:
    case kBlendAddition:
      if (sa == 0) return t;
      return ModePixel(mode, targetKeepsAlpha, s, t, sa * a / 256);
    case kBlendMaxOpaque: {
      const int e = sa * a / 256;
      if (e < h) return t;
      return targetKeepsAlpha ? WithAlpha(s, static_cast<uint32_t>(e)) : s;
    }
    default:
      return t;
  }
}

uint32_t ReferenceDrawColor(uint8_t mode, bool sourceKeepsAlpha, bool targetKeepsAlpha, uint32_t opacity, uint32_t c,
                            uint32_t m, uint32_t t) {
  const int o = static_cast<int>(opacity);
  const int ca = static_cast<int>(Alpha(c));
  const int ma = sourceKeepsAlpha ? static_cast<int>(Alpha(m)) : 255;
  const int h = static_cast<int>(Alpha(t));
  switch (mode) {
    case kBlendNormal: {
      const int k = o * ca / 255;
      if (sourceKeepsAlpha) {
        const int f = k == 255 ? ma : ma * k / 256;
        // At full strength an opaque target's alpha becomes 255 whatever the shape.
        if (f == 0) return k == 255 && !targetKeepsAlpha ? WithAlpha(t, 255) : t;
        if (f == 255) return c;  // only reachable with k = 255, where c is opaque
        if (targetKeepsAlpha && h == 0) return WithAlpha(c, static_cast<uint32_t>(f));
        int alpha = h;
        if (targetKeepsAlpha)
          alpha = (255 - h) * f / 256 + h;
        else if (k == 255)
          alpha = 255;
        return MixPixel(c, t, f, static_cast<uint32_t>(alpha));
      }
      if (k == 255) return targetKeepsAlpha ? c : WithAlpha(c, 255);
      if (targetKeepsAlpha && h == 0) return WithAlpha(c, static_cast<uint32_t>(k));
      uint32_t out = 0;
      for (int i = 0; i < 3; ++i) {
        int v = (static_cast<int>(Channel(t, i)) * (255 - k) + static_cast<int>(Channel(c, i)) * k + 255) / 256;
        out |= static_cast<uint32_t>(v) << (8 * i);
      }
      return out | (static_cast<uint32_t>(targetKeepsAlpha ? std::max(h, k) : h) << 24);
    }
    case kBlendScreen:
    case kBlendOverlay:
    case kBlendLinearLight:
    case kBlendAddition:
      if (ma == 0) return t;
      return ModePixel(mode, targetKeepsAlpha, c, t, ma * (o * ca / 256) / 256);
    case kBlendMaxOpaque: {
      const int e = ma * o / 256;
      if (e < h) return t;
      return targetKeepsAlpha ? WithAlpha(c, static_cast<uint32_t>(e)) : c;
    }
    case kBlendBltFast:
      return targetKeepsAlpha ? c : WithAlpha(c, 255);
    default:
      return t;
  }
}

void ReferenceDrawRow(uint8_t mode, bool sourceKeepsAlpha, bool targetKeepsAlpha, uint32_t opacity, uint32_t* dst,
                      const uint32_t* src, int count) {
  for (int i = 0; i < count; ++i)
    dst[i] = ReferenceDraw(mode, sourceKeepsAlpha, targetKeepsAlpha, opacity, src[i], dst[i]);
}

void ReferenceDrawColorRow(uint8_t mode, bool sourceKeepsAlpha, bool targetKeepsAlpha, uint32_t opacity,
                           uint32_t colour, uint32_t* dst, const uint32_t* shape, int count) {
  for (int i = 0; i < count; ++i)
    dst[i] = ReferenceDrawColor(mode, sourceKeepsAlpha, targetKeepsAlpha, opacity, colour, shape[i], dst[i]);
}

}  // namespace kestrelle::blend
