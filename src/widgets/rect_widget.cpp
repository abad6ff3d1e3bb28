#include "widgets/rect_widget.h"

#include "data/hier_storage.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"

namespace kestrelle {

void TRectWidget::Initialize() {
  TSingleWidget::Initialize();
  color_ = 0;
  mask_ = nullptr;
}

void TRectWidget::LoadProperties(const StorageRef& storage) {
  TSingleWidget::LoadProperties(storage);
  color_ = ReadHex(storage, "color", 0);
}

void TRectWidget::SaveProperties(const StorageRef& storage) {
  TSingleWidget::SaveProperties(storage);
  WriteHex(storage, "color", color_);
}

Variant TRectWidget::GetProperty(const std::string& name) {
  if (EqualsIgnoreAsciiCase(name, "color")) return Variant(static_cast<int64_t>(color_));
  return TSingleWidget::GetProperty(name);
}

void TRectWidget::SetProperty(const std::string& name, const Variant& value) {
  if (EqualsIgnoreAsciiCase(name, "color")) {
    uint32_t colour = 0;
    if (VariantToColor(value, colour) && colour != color_) {
      color_ = colour;
      SetChanged(true);
    }
  } else {
    TSingleWidget::SetProperty(name, value);
  }
}

void TRectWidget::ClearOwner() {
  TSingleWidget::ClearOwner();
  mask_ = nullptr;
}

void TRectWidget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  if (!surface || width_ <= 0 || height_ <= 0) return;
  if (!mask_ || mask_->GetWidth() != width_ || mask_->GetHeight() != height_) {
    EngineRef engine = OwnerEngine();
    if (!engine) return;
    mask_ = engine->CreateSurface();
    if (!mask_) return;
    // Without an alpha channel every pixel of the mask counts as opaque.
    mask_->SetKeepAlpha(false);
    mask_->SetSize(width_, height_);
  }
  surface->DrawColor(color_, mask_, kBlendNormal, static_cast<uint8_t>(transparentLevel_),
                     TRect{x, y, x + width_, y + height_}, TRect{0, 0, width_, height_});
}

}  // namespace kestrelle
