#pragma once
// The dirty region of a surface: an ordered list of rectangles that never overlap. A rectangle
// added over existing ones swallows every one it overlaps (repeatedly) into their bounding box;
// rectangles that only share an edge stay separate.

#include <vector>

#include "media/geometry.h"

namespace kestrelle {

struct TClippingRect {
  TRect rect;
  friend bool operator==(const TClippingRect&, const TClippingRect&) = default;
};

class TRegion {
 public:
  // Adds `rect`, merging it with every rectangle it overlaps. Empty rectangles are ignored.
  void Add(const TRect& rect);
  void Clear() { rects_.clear(); }
  int GetCount() const { return static_cast<int>(rects_.size()); }
  bool IsEmpty() const { return rects_.empty(); }
  // The rectangle at `index` (0 .. count - 1); an empty rectangle outside that range.
  TRect Get(int index) const;
  const std::vector<TClippingRect>& Items() const { return rects_; }

 private:
  std::vector<TClippingRect> rects_;
};

}  // namespace kestrelle
