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

namespace {

// The angle of (dx, dy) in degrees, (-180, 180], within 1.2e-5 radians (under 7e-4 degrees) of
// atan2: an odd polynomial of degree 9 for atan on [0, 1] (largest error 1.15e-5 radians),
// folded to the other octants. (0, 0) has no angle; the caller does not ask for it.
double RoughAngleDegrees(double dx, double dy) {
  const double ax = std::abs(dx), ay = std::abs(dy);
  const bool steep = ay > ax;
  const double t = steep ? ax / ay : ay / ax, t2 = t * t;
  double a = t * (0.9998660 + t2 * (-0.3302995 + t2 * (0.1801410 + t2 * (-0.0851330 + t2 * 0.0208351))));
  a *= 180.0 / std::numbers::pi;
  if (steep) a = 90.0 - a;
  if (dx < 0) a = 180.0 - a;
  return dy < 0 ? -a : a;
}

// Three times the rough angle's error bound (7e-4 degrees), plus room for the rounding of the exact
// path: a rough angle farther than this from every angle where the test changes its answer lies
// on the same side of each as the exact angle.
constexpr double kRoughMargin = 2e-3;

}  // namespace

bool TCutSectorWidget::InSector(double dx, double dy) const {
  return InSectorAt(std::atan2(dy, dx) * 180.0 / std::numbers::pi);
}

bool TCutSectorWidget::InSectorAt(double a) const {
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
  // The answer for an angle in (-180, 180] changes only at the start and end angles (give or
  // take whole turns) and at 0 and 180, where the angle is wrapped. A pixel whose rough angle is
  // clear of all of them takes the rough angle; the few near one take the exact one.
  double edges[2 + 2 * 5];
  int edgeCount = 0;
  edges[edgeCount++] = 0;
  edges[edgeCount++] = 180;
  const bool finite =
      std::isfinite(startAngle_) && std::isfinite(endAngle_) && std::isfinite(centerX_) && std::isfinite(centerY_);
  if (finite)
    for (double angle : {startAngle_, endAngle_})
      for (int turns = -2; turns <= 2; ++turns) {
        const double edge = angle + 360.0 * turns;
        if (std::abs(edge) <= 180 + kRoughMargin) edges[edgeCount++] = std::abs(edge) >= 180 ? 180 : edge;
      }
  auto nearEdge = [&](double a) {
    if (!finite) return true;
    // -180 and 180 are the same direction.
    if (std::abs(a) >= 180 - kRoughMargin) return true;
    for (int i = 0; i < edgeCount; ++i)
      if (std::abs(a - edges[i]) <= kRoughMargin) return true;
    return false;
  };
  const int32_t width = buffer->GetWidth(), height = buffer->GetHeight();
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* row = buffer->GetScanLine(y);
    const double dy = y - centerY_;
    for (int32_t x = 0; x < width; ++x) {
      const double dx = x - centerX_;
      bool cut;
      if (dx == 0 && dy == 0) {
        cut = InSector(dx, dy);
      } else {
        const double rough = RoughAngleDegrees(dx, dy);
        cut = nearEdge(rough) ? InSector(dx, dy) : InSectorAt(rough);
      }
      if (cut) row[x] = 0;
    }
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
