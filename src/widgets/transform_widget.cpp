#include "widgets/transform_widget.h"

#include "data/numbers.h"

namespace kestrelle {

const TPropertyTable& TTransformWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TDecorateWidget::GetPropertyTable(),
      {
          Property("need_to_repaint", &TTransformWidget::needToRepaint_).NotStored().Quiet(),
          Property("blendingmode", &TTransformWidget::blendingMode_, int32_t{kBlendNormal})
              .AsEnum(kBlendingModeWords)
              .SavedIfNotDefault()
              .SetWith(&TTransformWidget::SetBlendingMode),
      });
  return table;
}

void TTransformWidget::Initialize() {
  TDecorateWidget::Initialize();
  buffer_ = nullptr;
  needToRepaint_ = false;
}

void TTransformWidget::Repaint() {
  SetChanged(true);
  geometryChanged_ = true;
  needToRepaint_ = true;
}

void TTransformWidget::SetBlendingMode(int32_t mode) {
  if (mode == blendingMode_) return;
  blendingMode_ = mode;
  SetChanged(true);
}

SurfaceRef TTransformWidget::NewSurface(int32_t width, int32_t height) {
  EngineRef engine = OwnerEngine();
  SurfaceRef surface = engine ? engine->CreateSurface() : nullptr;
  if (!surface) return nullptr;
  surface->SetKeepAlpha(true);
  surface->SetSize(width, height);
  return surface;
}

void TTransformWidget::PrepareBuffer() {
  const TRect r = GetRect();
  const auto width = static_cast<int32_t>(r.Width());
  const auto height = static_cast<int32_t>(r.Height());
  if (!buffer_) {
    buffer_ = NewSurface(width, height);
    if (!buffer_) return;
    needToRepaint_ = true;
  }
  if (buffer_->GetWidth() != width || buffer_->GetHeight() != height) {
    buffer_->SetSize(width, height);
    needToRepaint_ = true;  // the content went with the old size
  }
  if (needToRepaint_) {
    buffer_->Clear();
    // Cleared first: a child that invalidates itself while being drawn asks for the next frame.
    needToRepaint_ = false;
    Render();
  }
}

TPoint TTransformWidget::DrawOriginShift() {
  int32_t x = 0;
  int32_t y = 0;
  AdjustDrawOrigin(x, y);
  return TPoint{x, y};
}

TPoint TTransformWidget::ChildAnchorOffset() {
  WidgetRef child = child_;
  if (!child) return TPoint{0, 0};
  const TRect r = child->GetRect();
  return TPoint{Round32(child->GetAnchorLeft() - r.left), Round32(child->GetAnchorTop() - r.top)};
}

void TTransformWidget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  if (!child_ || !surface) return;
  PrepareBuffer();
  SurfaceRef buffer = buffer_;
  if (!buffer) return;
  AdjustDrawOrigin(x, y);
  surface->Draw(buffer.get(), buffer->GetRect(), static_cast<uint8_t>(blendingMode_),
                static_cast<uint8_t>(transparentLevel_), TRect{x, y, x + buffer->GetWidth(), y + buffer->GetHeight()});
}

bool TTransformWidget::ContainsPoint(const TPoint& point, bool ignoreVisibility) {
  if (!TDecorateWidget::ContainsPoint(point, ignoreVisibility)) return false;
  PrepareBuffer();
  SurfaceRef buffer = buffer_;
  if (!buffer) return false;
  const TPoint shift = DrawOriginShift();
  const int64_t bx = int64_t{point.x} - Round32(GetAnchorLeft()) - shift.x;
  const int64_t by = int64_t{point.y} - Round32(GetAnchorTop()) - shift.y;
  // The rectangle test includes the right and bottom edges, one past the buffer.
  if (bx < 0 || by < 0 || bx >= buffer->GetWidth() || by >= buffer->GetHeight()) return false;
  return (buffer->GetPixelFast(static_cast<int32_t>(bx), static_cast<int32_t>(by)) >> 24) != 0;
}

bool TTransformWidget::UpdateDirtyRects(bool forceOld, bool forceNew) {
  if (WidgetRef child = child_) {
    child->UpdateDirtyRects(false, false);
    if (child->GetReported()) Repaint();
  }
  return VisualDirtyStep(forceOld, forceNew);
}

TPoint TTransformWidget::ScreenToClient(const TPoint& point) {
  const TPoint p = TDecorateWidget::ScreenToClient(point);
  const TPoint shift = DrawOriginShift();
  int32_t x = p.x - shift.x;
  int32_t y = p.y - shift.y;
  InverseTransform(x, y);
  return TPoint{x, y};
}

void TTransformWidget::InvalidateRect(const TRect& rect) { needToRepaint_ = true; }

}  // namespace kestrelle
