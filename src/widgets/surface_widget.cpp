#include "widgets/surface_widget.h"

#include "data/text_encoding.h"

namespace kestrelle {

const TPropertyTable& TSurfaceWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TVisualWidget::GetPropertyTable(),
      {
          Property("drawmode", &TSurfaceWidget::drawMode_, int32_t{kCopyRect})
              .AsEnum(kDrawModeWords)
              .SavedIfNotDefault(),
          Property("fillcolor", &TSurfaceWidget::fillColor_).AsColor(),
          // The window into the surface: the size moves the dirty rectangles, the shift redraws.
          Property("width", &TSurfaceWidget::width_).NotStored().OnChange(&TSurfaceWidget::MarkGeometryChanged),
          Property("height", &TSurfaceWidget::height_).NotStored().OnChange(&TSurfaceWidget::MarkGeometryChanged),
          Property("shifttop", &TSurfaceWidget::shiftTop_).NotStored(),
          Property("shiftleft", &TSurfaceWidget::shiftLeft_).NotStored(),
      });
  return table;
}

void TSurfaceWidget::Initialize() {
  TVisualWidget::Initialize();
  surface_ = nullptr;
}

Variant TSurfaceWidget::GetProperty(const std::string& name) {
  if (EqualsIgnoreAsciiCase(name, "surface")) return Variant(InterfaceRef(surface_));
  return TVisualWidget::GetProperty(name);
}

void TSurfaceWidget::SetProperty(const std::string& name, const Variant& value) {
  if (EqualsIgnoreAsciiCase(name, "surface"))
    SetSurface(value);
  else
    TVisualWidget::SetProperty(name, value);
}

void TSurfaceWidget::SetSurface(const Variant& value) {
  SurfaceRef surface = value.As<ISurface>();
  surface_ = surface;
  if (surface) {
    if (surface->GetWidth() != width_ || surface->GetHeight() != height_) geometryChanged_ = true;
    width_ = surface->GetWidth();
    height_ = surface->GetHeight();
  }
  SetChanged(true);
}

void TSurfaceWidget::ClearOwner() {
  TVisualWidget::ClearOwner();
  surface_ = nullptr;
}

void TSurfaceWidget::Draw(const SurfaceRef& target, int32_t x, int32_t y) {
  SurfaceRef source = surface_;
  if (!source || !target) return;
  const TRect from{shiftLeft_, shiftTop_, shiftLeft_ + width_, shiftTop_ + height_};
  const TRect to{x, y, x + width_, y + height_};
  const auto level = static_cast<uint8_t>(transparentLevel_);
  if (drawMode_ == kFillColor)
    target->DrawColor(fillColor_, source, kBlendNormal, level, to, from);
  else
    target->Draw(source, from, kBlendNormal, level, to);
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TLinkedSurfaceWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TSurfaceWidget::GetPropertyTable(),
      {
          Property("linked_widget_name", &TLinkedSurfaceWidget::linkedWidgetName_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TLinkedSurfaceWidget::DoUpdate(int32_t elapsedMs) {
  TSurfaceWidget::DoUpdate(elapsedMs);
  if (linkedWidgetName_.empty()) return;
  if (WidgetRef linked = FindWidget(linkedWidgetName_); linked && linked != Self())
    SetSurface(Variant(InterfaceRef(linked->CreateImage())));
}

}  // namespace kestrelle
