#include "widgets/rect_widget.h"

namespace kestrelle {

const TPropertyTable& TRectWidget::GetPropertyTable() const {
  static const TPropertyTable table(TSingleWidget::GetPropertyTable(),
                                    {
                                        Property("color", &TRectWidget::color_).AsColor(),
                                    });
  return table;
}

void TRectWidget::Initialize() {
  TSingleWidget::Initialize();
  mask_ = nullptr;
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
