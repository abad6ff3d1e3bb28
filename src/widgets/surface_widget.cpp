#include "widgets/surface_widget.h"

#include "data/hier_storage.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"

namespace kestrelle {

namespace {
bool Is(const std::string& name, const char* word) { return EqualsIgnoreAsciiCase(name, word); }
}  // namespace

void TSurfaceWidget::Initialize() {
  TVisualWidget::Initialize();
  surface_ = nullptr;
  drawMode_ = kCopyRect;
  fillColor_ = 0;
  width_ = height_ = shiftTop_ = shiftLeft_ = 0;
}

void TSurfaceWidget::LoadProperties(const StorageRef& storage) {
  TVisualWidget::LoadProperties(storage);
  drawMode_ = ReadEnum(storage, "drawmode", kDrawModeWords, kCopyRect);
  fillColor_ = ReadHex(storage, "fillcolor", 0);
}

void TSurfaceWidget::SaveProperties(const StorageRef& storage) {
  TVisualWidget::SaveProperties(storage);
  WriteEnum(storage, "drawmode", drawMode_, kDrawModeWords, drawMode_ != kCopyRect);
  WriteHex(storage, "fillcolor", fillColor_);
}

Variant TSurfaceWidget::GetProperty(const std::string& name) {
  if (Is(name, "surface")) return Variant(InterfaceRef(surface_));
  if (Is(name, "drawmode")) return Variant(drawMode_);
  if (Is(name, "fillcolor")) return Variant(static_cast<int64_t>(fillColor_));
  if (Is(name, "shifttop")) return Variant(shiftTop_);
  if (Is(name, "shiftleft")) return Variant(shiftLeft_);
  return TVisualWidget::GetProperty(name);
}

void TSurfaceWidget::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  uint32_t colour = 0;
  auto setInt = [&](int32_t& field, bool geometry) {
    if (!VariantToInt(value, i) || static_cast<int32_t>(i) == field) return;
    field = static_cast<int32_t>(i);
    if (geometry)
      geometryChanged_ = true;
    else
      SetChanged(true);
  };
  if (Is(name, "surface")) {
    SetSurface(value);
  } else if (Is(name, "drawmode")) {
    if (value.IsString() && (value.ToString() == "copyrect" || value.ToString() == "fillcolor")) {
      i = value.ToString() == "copyrect" ? kCopyRect : kFillColor;
    } else if (!VariantToInt(value, i) || i < kCopyRect || i > kFillColor) {
      return;
    }
    if (i != drawMode_) SetChanged(true);
    drawMode_ = static_cast<int32_t>(i);
  } else if (Is(name, "fillcolor")) {
    if (VariantToColor(value, colour) && colour != fillColor_) {
      fillColor_ = colour;
      SetChanged(true);
    }
  } else if (Is(name, "width")) {
    setInt(width_, true);
  } else if (Is(name, "height")) {
    setInt(height_, true);
  } else if (Is(name, "shifttop")) {
    setInt(shiftTop_, false);
  } else if (Is(name, "shiftleft")) {
    setInt(shiftLeft_, false);
  } else {
    TVisualWidget::SetProperty(name, value);
  }
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

void TLinkedSurfaceWidget::Initialize() {
  TSurfaceWidget::Initialize();
  linkedWidgetName_.clear();
}

void TLinkedSurfaceWidget::LoadProperties(const StorageRef& storage) {
  TSurfaceWidget::LoadProperties(storage);
  linkedWidgetName_ = ReadString(storage, "linked_widget_name", "");
}

void TLinkedSurfaceWidget::SaveProperties(const StorageRef& storage) {
  TSurfaceWidget::SaveProperties(storage);
  WriteString(storage, "linked_widget_name", linkedWidgetName_, !linkedWidgetName_.empty());
}

Variant TLinkedSurfaceWidget::GetProperty(const std::string& name) {
  if (Is(name, "linked_widget_name")) return Variant(linkedWidgetName_);
  return TSurfaceWidget::GetProperty(name);
}

void TLinkedSurfaceWidget::SetProperty(const std::string& name, const Variant& value) {
  if (Is(name, "linked_widget_name"))
    linkedWidgetName_ = value.ToString();
  else
    TSurfaceWidget::SetProperty(name, value);
}

void TLinkedSurfaceWidget::DoUpdate(int32_t elapsedMs) {
  TSurfaceWidget::DoUpdate(elapsedMs);
  if (linkedWidgetName_.empty()) return;
  if (WidgetRef linked = FindWidget(linkedWidgetName_); linked && linked != Self())
    SetSurface(Variant(InterfaceRef(linked->CreateImage())));
}

}  // namespace kestrelle
