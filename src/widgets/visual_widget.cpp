#include "widgets/visual_widget.h"

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "widgets/widget_values.h"

namespace kestrelle {

void TVisualWidget::Initialize() {
  TAbstractWidget::Initialize();
  visible_ = false;
  z_ = 0;
  anchorLeft_ = anchorTop_ = 0;
  mouseStop_ = false;
  oldRect_ = newRect_ = TRect{};
  wasVisible_ = false;
  geometryChanged_ = false;
}

void TVisualWidget::LoadProperties(const StorageRef& storage) {
  TAbstractWidget::LoadProperties(storage);
  visible_ = ReadBool(storage, "visible", false);
  z_ = static_cast<int32_t>(ReadInt(storage, "z", 0));
  anchorLeft_ = ReadFloat(storage, "anchor_left", 0);
  anchorTop_ = ReadFloat(storage, "anchor_top", 0);
  mouseStop_ = ReadBool(storage, "mousestop", false);
}

void TVisualWidget::SaveProperties(const StorageRef& storage) {
  TAbstractWidget::SaveProperties(storage);
  WriteBool(storage, "visible", visible_, visible_);
  WriteInt(storage, "z", z_, z_ != 0);
  WriteFloat(storage, "anchor_left", anchorLeft_);
  WriteFloat(storage, "anchor_top", anchorTop_);
  WriteBool(storage, "mousestop", mouseStop_, mouseStop_);
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

void TSingleWidget::Initialize() {
  TVisualWidget::Initialize();
  width_ = height_ = 0;
}

void TSingleWidget::LoadProperties(const StorageRef& storage) {
  TVisualWidget::LoadProperties(storage);
  width_ = static_cast<int32_t>(ReadInt(storage, "width", 0));
  height_ = static_cast<int32_t>(ReadInt(storage, "height", 0));
}

void TSingleWidget::SaveProperties(const StorageRef& storage) {
  TVisualWidget::SaveProperties(storage);
  WriteInt(storage, "width", width_);
  WriteInt(storage, "height", height_);
}

void TSingleWidget::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  if (EqualsIgnoreAsciiCase(name, "width")) {
    if (VariantToInt(value, i)) SetWidth(static_cast<int32_t>(i));
  } else if (EqualsIgnoreAsciiCase(name, "height")) {
    if (VariantToInt(value, i)) SetHeight(static_cast<int32_t>(i));
  } else {
    TVisualWidget::SetProperty(name, value);
  }
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
