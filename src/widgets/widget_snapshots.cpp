#include "widgets/widget_snapshots.h"

#include "data/numbers.h"

namespace kestrelle {

namespace {

// What the widget's own CreateImage draws, into a kept surface.
void DrawInto(const WidgetRef& widget, const SurfaceRef& target) {
  ISurface& surface = *target;
  const TRect r = widget->GetRect();
  const auto width = static_cast<int32_t>(std::max<int64_t>(0, r.Width()));
  const auto height = static_cast<int32_t>(std::max<int64_t>(0, r.Height()));
  if (surface.GetWidth() != width || surface.GetHeight() != height)
    surface.SetSize(width, height);
  else
    surface.Clear();
  if (width == 0 || height == 0) return;
  widget->Draw(target, Round32(widget->GetAnchorLeft() - r.left), Round32(widget->GetAnchorTop() - r.top));
}

}  // namespace

void TWidgetSnapshots::Take(const WidgetCollectionRef& widgets, int32_t limit) {
  taken_ = 0;
  if (!widgets) return;
  int32_t count = widgets->GetCount();
  if (limit >= 0) count = std::min(count, limit);
  while (static_cast<int32_t>(surfaces_.size()) < count) {
    auto surface = Create<TSurface>();
    surface->SetKeepAlpha(true);
    surfaces_.push_back(surface);
  }
  for (int32_t i = 0; i < count; ++i) {
    if (WidgetRef widget = widgets->GetByIndex(i)) DrawInto(widget, surfaces_[i]);
  }
  taken_ = count;
}

const ISurface* TWidgetSnapshots::At(int32_t index) const {
  if (index < 0 || index >= taken_) return nullptr;
  const ISurface* surface = surfaces_[index].get();
  return surface->GetWidth() > 0 && surface->GetHeight() > 0 ? surface : nullptr;
}

}  // namespace kestrelle
