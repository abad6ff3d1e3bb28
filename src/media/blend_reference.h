#pragma once
// The per-pixel drawing rules, written as plainly as possible. They are the reference the fast
// row kernels are checked against, and the path for the blend modes that have no fast kernel.
// Channel arithmetic: products are taken before division, and every division truncates.

#include <cstdint>

namespace kestrelle::blend {

constexpr uint32_t Channel(uint32_t pixel, int index) { return (pixel >> (8 * index)) & 255u; }
constexpr uint32_t Alpha(uint32_t pixel) { return pixel >> 24; }
constexpr uint32_t WithAlpha(uint32_t pixel, uint32_t alpha) { return (pixel & 0x00FFFFFFu) | (alpha << 24); }
constexpr uint32_t MakePixel(uint32_t b, uint32_t g, uint32_t r, uint32_t a) {
  return b | (g << 8) | (r << 16) | (a << 24);
}

// The new target pixel `t` after `Draw` puts source pixel `s` over it.
uint32_t ReferenceDraw(uint8_t mode, bool sourceKeepsAlpha, bool targetKeepsAlpha, uint32_t opacity, uint32_t s,
                       uint32_t t);

// The new target pixel after `DrawColor` paints colour `c` through the shape pixel `m`.
uint32_t ReferenceDrawColor(uint8_t mode, bool sourceKeepsAlpha, bool targetKeepsAlpha, uint32_t opacity, uint32_t c,
                            uint32_t m, uint32_t t);

// Whole rows through the rules above (the path of the modes without a vector kernel).
void ReferenceDrawRow(uint8_t mode, bool sourceKeepsAlpha, bool targetKeepsAlpha, uint32_t opacity, uint32_t* dst,
                      const uint32_t* src, int count);
void ReferenceDrawColorRow(uint8_t mode, bool sourceKeepsAlpha, bool targetKeepsAlpha, uint32_t opacity,
                           uint32_t colour, uint32_t* dst, const uint32_t* shape, int count);

// Bilinear mix of four pixels (top-left, top-right, bottom-left, bottom-right) with the 16-bit
// fractions fx, fy (0..65536) as the weights of the right and bottom pixels: along x, then along
// y, every channel's weighted sum taken in full (it needs 40 bits) and rounded half up once, over
// 2^32. Without a rounding step in between the order of the two passes does not matter.
constexpr uint32_t Bilinear(uint32_t p00, uint32_t p01, uint32_t p10, uint32_t p11, uint32_t fx, uint32_t fy) {
  uint32_t out = 0;
  for (int i = 0; i < 4; ++i) {
    const uint64_t top = uint64_t{Channel(p00, i)} * (65536 - fx) + uint64_t{Channel(p01, i)} * fx;
    const uint64_t bottom = uint64_t{Channel(p10, i)} * (65536 - fx) + uint64_t{Channel(p11, i)} * fx;
    const uint64_t sum = top * (65536 - fy) + bottom * fy;
    out |= static_cast<uint32_t>((sum + (uint64_t{1} << 31)) >> 32) << (8 * i);
  }
  return out;
}

}  // namespace kestrelle::blend
