#pragma once
// Integer points and rectangles of the drawing code. Rectangles are (left, top, right, bottom)
// with right and bottom exclusive; a rectangle whose right <= left or bottom <= top is empty.

#include <algorithm>
#include <cstdint>

namespace kestrelle {

struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  // Width and height as 64-bit values, so that extreme coordinates cannot overflow.
  constexpr int64_t Width() const { return int64_t{right} - left; }
  constexpr int64_t Height() const { return int64_t{bottom} - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// The common part of two rectangles (possibly empty).
constexpr TRect Intersection(const TRect& a, const TRect& b) {
  return TRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
}
// True when the rectangles share at least one pixel; rectangles that only touch do not.
constexpr bool Intersects(const TRect& a, const TRect& b) { return !Intersection(a, b).IsEmpty(); }
// The smallest rectangle holding both.
constexpr TRect BoundingBox(const TRect& a, const TRect& b) {
  return TRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
               std::max(a.bottom, b.bottom)};
}

}  // namespace kestrelle
