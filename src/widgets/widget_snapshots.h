#pragma once
// Pictures of widgets taken again and again (the particle pictures of an animated child): each
// widget is drawn into a surface of its own that is kept between takes and only resized when the
// widget's size changes, so taking the pictures every frame allocates nothing.

#include <cstdint>
#include <vector>

#include "app/widget_interfaces.h"
#include "media/surface.h"

namespace kestrelle {

class TWidgetSnapshots {
 public:
  // Draws the first `limit` widgets of the collection (all with a negative limit), in order.
  void Take(const WidgetCollectionRef& widgets, int32_t limit = -1);
  // Forgets the pictures; the surfaces stay for the next take.
  void Drop() { taken_ = 0; }
  bool IsTaken() const { return taken_ > 0; }
  int32_t Count() const { return taken_; }
  // The picture of widget `index`; null outside the taken ones or for an empty widget.
  const ISurface* At(int32_t index) const;
  const SurfaceRef& SurfaceAt(int32_t index) const { return surfaces_[index]; }

 private:
  std::vector<SurfaceRef> surfaces_;
  int32_t taken_ = 0;
};

}  // namespace kestrelle
