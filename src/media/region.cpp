#include "media/region.h"

namespace kestrelle {

void TRegion::Add(const TRect& rect) {
  if (rect.IsEmpty()) return;
  TRect merged = rect;
  // Swallowing one rectangle can make the box reach others, so passes repeat until one
  // changes nothing.
  bool changed = true;
  while (changed) {
    changed = false;
    for (int i = static_cast<int>(rects_.size()) - 1; i >= 0; --i) {
      if (!Intersects(rects_[i].rect, merged)) continue;
      merged = BoundingBox(merged, rects_[i].rect);
      rects_.erase(rects_.begin() + i);
      changed = true;
    }
  }
  rects_.push_back(TClippingRect{merged});
}

TRect TRegion::Get(int index) const {
  if (index < 0 || index >= GetCount()) return TRect{};
  return rects_[index].rect;
}

}  // namespace kestrelle
