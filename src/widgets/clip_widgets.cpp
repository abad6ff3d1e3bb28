#include "widgets/clip_widgets.h"

#include <cmath>
#include <numbers>

#include "app/resources.h"
#include "data/file_system.h"
#include "data/numbers.h"

namespace kestrelle {

const TPropertyTable& TMaskedSurfaceWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TTransformWidget::GetPropertyTable(),
      {
          Property("resourcename", &TMaskedSurfaceWidget::resourceName_).OnChange(&TMaskedSurfaceWidget::Repaint),
      });
  return table;
}

int32_t TMaskedSurfaceWidget::GetWidth() { return child_ ? child_->GetWidth() : 0; }
int32_t TMaskedSurfaceWidget::GetHeight() { return child_ ? child_->GetHeight() : 0; }

void TMaskedSurfaceWidget::Render() {
  WidgetRef child = child_;
  SurfaceRef buffer = buffer_;
  EngineRef engine = OwnerEngine();
  if (!child || !buffer || !engine || resourceName_.empty()) return;
  auto image = std::dynamic_pointer_cast<IImageResource>(engine->GetResource(resourceName_));
  SurfaceRef mask = image ? image->GetSurface() : nullptr;
  if (!mask) {
    LogLine("masked_widget \"" + GetName() + "\": no image \"" + resourceName_ + "\" for its mask.");
    return;
  }
  SurfaceRef picture = child->CreateImage();
  if (!picture) return;
  // The child's picture is its own rectangle, so its whole image is the source wherever the
  // child sits inside this widget.
  const TRect whole = picture->GetRect();
  buffer->DrawMasked(picture.get(), whole, whole, mask->GetRect(), mask.get());
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TCutSectorWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TTransformWidget::GetPropertyTable(),
      {
          Property("centerx", &TCutSectorWidget::centerX_).OnChange(&TCutSectorWidget::SectorChanged),
          Property("centery", &TCutSectorWidget::centerY_).OnChange(&TCutSectorWidget::SectorChanged),
          Property("startangle", &TCutSectorWidget::startAngle_).OnChange(&TCutSectorWidget::SectorChanged),
          Property("endangle", &TCutSectorWidget::endAngle_).OnChange(&TCutSectorWidget::SectorChanged),
      });
  return table;
}

void TCutSectorWidget::SectorChanged() {
  SetChanged(true);
  needToRepaint_ = true;
}

double TCutSectorWidget::GetLeft() {
  WidgetRef child = child_;
  return child ? anchorLeft_ - Round32(child->GetAnchorLeft() - child->GetLeft()) : anchorLeft_;
}

double TCutSectorWidget::GetTop() {
  WidgetRef child = child_;
  return child ? anchorTop_ - Round32(child->GetAnchorTop() - child->GetTop()) : anchorTop_;
}

int32_t TCutSectorWidget::GetWidth() { return child_ ? child_->GetWidth() : 0; }
int32_t TCutSectorWidget::GetHeight() { return child_ ? child_->GetHeight() : 0; }

void TCutSectorWidget::AdjustDrawOrigin(int32_t& x, int32_t& y) {
  WidgetRef child = child_;
  if (!child) return;
  x -= Round32(child->GetAnchorLeft() - child->GetLeft());
  y -= Round32(child->GetAnchorTop() - child->GetTop());
}

bool TCutSectorWidget::InSector(double dx, double dy) const {
  double a = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
  double s = startAngle_;
  double e = endAngle_;
  if (s < 0) {
    if (a < s) a += 360;
    s += 360;
    e += 360;
    a += 360;
  }
  if (a < 0) a += 360;
  return s <= a && a < e;
}

void TCutSectorWidget::Render() {
  WidgetRef child = child_;
  SurfaceRef buffer = buffer_;
  if (!child || !buffer) return;
  const TPoint offset = ChildAnchorOffset();
  child->Draw(buffer, offset.x, offset.y);
  if (startAngle_ == endAngle_) return;  // an empty wedge cuts nothing
  for (int32_t y = 0; y < buffer->GetHeight(); ++y) {
    uint32_t* row = buffer->GetScanLine(y);
    for (int32_t x = 0; x < buffer->GetWidth(); ++x)
      if (InSector(x - centerX_, y - centerY_)) row[x] = 0;
  }
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TScrollAreaWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TTransformWidget::GetPropertyTable(),
      {
          Property("width", &TScrollAreaWidget::width_).Range(0, INT32_MAX).SetWith(&TScrollAreaWidget::SetWidth),
          Property("height", &TScrollAreaWidget::height_).Range(0, INT32_MAX).SetWith(&TScrollAreaWidget::SetHeight),
          Property("shiftleft", &TScrollAreaWidget::shiftLeft_)
              .SavedIfNotDefault()
              .SetWith(&TScrollAreaWidget::SetShiftLeft),
          Property("shifttop", &TScrollAreaWidget::shiftTop_)
              .SavedIfNotDefault()
              .SetWith(&TScrollAreaWidget::SetShiftTop),
      });
  return table;
}

void TScrollAreaWidget::SetWindowValue(int32_t value, int32_t& field) {
  if (value == field) return;
  field = value;
  geometryChanged_ = true;
  needToRepaint_ = true;
}

void TScrollAreaWidget::SetWidth(int32_t width) { SetWindowValue(width, width_); }
void TScrollAreaWidget::SetHeight(int32_t height) { SetWindowValue(height, height_); }
void TScrollAreaWidget::SetShiftLeft(int32_t shift) { SetWindowValue(shift, shiftLeft_); }
void TScrollAreaWidget::SetShiftTop(int32_t shift) { SetWindowValue(shift, shiftTop_); }

void TScrollAreaWidget::Render() {
  WidgetRef child = child_;
  SurfaceRef buffer = buffer_;
  if (!child || !buffer) return;
  child->Draw(buffer, Round32(child->GetAnchorLeft()) - shiftLeft_, Round32(child->GetAnchorTop()) - shiftTop_);
}

void TScrollAreaWidget::InverseTransform(int32_t& x, int32_t& y) {
  x += shiftLeft_;
  y += shiftTop_;
}

}  // namespace kestrelle
