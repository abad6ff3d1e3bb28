#include "widgets/visual_widget.h"

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"

namespace kestrelle {

const TPropertyTable& TVisualWidget::GetPropertyTable() const {
  static const TPropertyTable table(TAbstractWidget::GetPropertyTable(),
                                    {
                                        Property("visible", &TVisualWidget::visible_)
                                            .SavedIfNotDefault()
                                            .GetWith(&TVisualWidget::GetVisible)
                                            .SetWith(&TVisualWidget::SetVisible),
                                        Property("z", &TVisualWidget::z_)
                                            .SavedIfNotDefault()
                                            .GetWith(&TVisualWidget::GetZ)
                                            .SetWith(&TVisualWidget::SetZ),
                                        Property("anchor_left", &TVisualWidget::anchorLeft_)
                                            .GetWith(&TVisualWidget::GetAnchorLeft)
                                            .SetWith(&TVisualWidget::SetAnchorLeft),
                                        Property("anchor_top", &TVisualWidget::anchorTop_)
                                            .GetWith(&TVisualWidget::GetAnchorTop)
                                            .SetWith(&TVisualWidget::SetAnchorTop),
                                        Property("mousestop", &TVisualWidget::mouseStop_)
                                            .SavedIfNotDefault()
                                            .GetWith(&TVisualWidget::GetMouseStop)
                                            .SetWith(&TVisualWidget::SetMouseStop),
                                    });
  return table;
}

void TVisualWidget::Initialize() {
  TAbstractWidget::Initialize();
  oldRect_ = newRect_ = TRect{};
  wasVisible_ = false;
  geometryChanged_ = false;
}

void TVisualWidget::SetZ(int32_t z) {
  if (z != z_) SetChanged(true);
  z_ = z;
}

void TVisualWidget::SetAnchorLeft(double x) {
  if (x != anchorLeft_) geometryChanged_ = true;
  anchorLeft_ = x;
}

void TVisualWidget::SetAnchorTop(double y) {
  if (y != anchorTop_) geometryChanged_ = true;
  anchorTop_ = y;
}

SurfaceRef TVisualWidget::CreateImage() {
  EngineRef engine = OwnerEngine();
  if (!engine) return nullptr;
  SurfaceRef surface = engine->CreateSurface();
  if (!surface) return nullptr;
  surface->SetKeepAlpha(true);
  const TRect r = GetRect();
  surface->SetSize(static_cast<int32_t>(r.Width()), static_cast<int32_t>(r.Height()));
  Draw(surface, Round32(GetAnchorLeft() - r.left), Round32(GetAnchorTop() - r.top));
  return surface;
}

bool TVisualWidget::UpdateDirtyRects(bool forceOld, bool forceNew) { return VisualDirtyStep(forceOld, forceNew); }

bool TVisualWidget::VisualDirtyStep(bool forceOld, bool forceNew) {
  updated_ = false;
  reported_ = false;
  WidgetOwnerRef owner = GetOwner();
  if (!owner) return false;
  const bool visible = GetVisible();
  if (wasVisible_ && (geometryChanged_ || !visible || forceOld)) {
    owner->InvalidateRect(oldRect_);
    if (!visible) reported_ = true;
  }
  if (visible && !dead_ && (geometryChanged_ || firstPass_ || changed_ || forceNew || !wasVisible_)) {
    // The owner's screen origin is the negated screen-to-owner conversion of (0, 0).
    const TPoint origin = owner->ScreenToClient(TPoint{0, 0});
    TRect r = GetRect();
    r.left -= origin.x;
    r.right -= origin.x;
    r.top -= origin.y;
    r.bottom -= origin.y;
    newRect_ = r;
    owner->InvalidateRect(newRect_);
    reported_ = true;
  }
  firstPass_ = false;
  geometryChanged_ = false;
  SetChanged(false);
  oldRect_ = newRect_;
  wasVisible_ = visible;
  return reported_;
}

// ---------------------------------------------------------------------------------------------

EngineRef TOwnerWidget::GetEngine() {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->GetEngine() : nullptr;
}

WindowRef TOwnerWidget::GetWindow() {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->GetWindow() : nullptr;
}

EventHandlerRef TOwnerWidget::GetEventHandler() {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->GetEventHandler() : nullptr;
}

TPoint TOwnerWidget::ScreenToClient(const TPoint& point) {
  TPoint p = ScreenToOwner(point);
  return TPoint{p.x - Round32(GetAnchorLeft()), p.y - Round32(GetAnchorTop())};
}

void TOwnerWidget::InvalidateRect(const TRect& rect) {
  if (WidgetOwnerRef owner = GetOwner()) owner->InvalidateRect(rect);
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TSingleWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TVisualWidget::GetPropertyTable(),
      {
          Property("width", &TSingleWidget::width_).GetWith(&TSingleWidget::GetWidth).SetWith(&TSingleWidget::SetWidth),
          Property("height", &TSingleWidget::height_)
              .GetWith(&TSingleWidget::GetHeight)
              .SetWith(&TSingleWidget::SetHeight),
      });
  return table;
}

void TSingleWidget::SetWidth(int32_t width) {
  if (width != width_) geometryChanged_ = true;
  width_ = width;
}

void TSingleWidget::SetHeight(int32_t height) {
  if (height != height_) geometryChanged_ = true;
  height_ = height;
}

}  // namespace kestrelle
