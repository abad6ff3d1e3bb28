#include "widgets/zoom_widgets.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"

namespace kestrelle {

namespace {

// The whole part toward zero as an integer, saturated (data may give any real).
int32_t Trunc(double value) {
  if (!(value == value)) return 0;
  return static_cast<int32_t>(std::clamp(std::trunc(value), -2147483648.0, 2147483647.0));
}

double Frac(double value) { return value - std::trunc(value); }

void Turn(double& x, double& y, double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(a);
  const double s = std::sin(a);
  const double nx = x * c - y * s;
  y = x * s + y * c;
  x = nx;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TSmoothMoveWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TTransformWidget::GetPropertyTable(),
      {
          Property("caching", &TSmoothMoveWidget::caching_).SetWith(&TSmoothMoveWidget::SetCaching),
      });
  return table;
}

void TSmoothMoveWidget::Initialize() {
  TTransformWidget::Initialize();
  fracX_ = fracY_ = 0;
  samplingStep_ = kDefaultSamplingStep;
  caching_ = false;
  RebuildCache();
}

void TSmoothMoveWidget::LoadProperties(const StorageRef& storage) {
  TTransformWidget::LoadProperties(storage);
  SetSamplingStep(ReadFloat(storage, "sampling_step", kDefaultSamplingStep));
  // The anchors as loaded are split again with the loaded step.
  const double left = anchorLeft_;
  const double top = anchorTop_;
  anchorLeft_ = anchorTop_ = 0;
  fracX_ = fracY_ = 0;
  SetAnchorLeft(left);
  SetAnchorTop(top);
  RebuildCache();
}

void TSmoothMoveWidget::SaveProperties(const StorageRef& storage) {
  TTransformWidget::SaveProperties(storage);
  WriteFloat(storage, "sampling_step", samplingStep_);
}

// The step is clamped into [0, 1], which a table cannot say for reals.
Variant TSmoothMoveWidget::GetProperty(const std::string& name) {
  if (EqualsIgnoreAsciiCase(name, "sampling_step")) return Variant(samplingStep_);
  return TTransformWidget::GetProperty(name);
}

void TSmoothMoveWidget::SetProperty(const std::string& name, const Variant& value) {
  if (EqualsIgnoreAsciiCase(name, "sampling_step")) {
    double step = 0;
    if (VariantToReal(value, step)) SetSamplingStep(step);
    return;
  }
  TTransformWidget::SetProperty(name, value);
}

double TSmoothMoveWidget::WholeLeft() const { return std::floor(anchorLeft_); }
double TSmoothMoveWidget::WholeTop() const { return std::floor(anchorTop_); }

double TSmoothMoveWidget::Quantize(double fraction) const {
  if (samplingStep_ == 0) return fraction;
  return std::trunc(fraction / samplingStep_) * samplingStep_;
}

int32_t TSmoothMoveWidget::SampleIndex(double fraction) const {
  if (samplingStep_ == 0) return -1;
  return Round32(std::trunc(fraction / samplingStep_));
}

void TSmoothMoveWidget::SetAnchorLeft(double x) { SetAnchorAxis(x, anchorLeft_, fracX_); }
void TSmoothMoveWidget::SetAnchorTop(double y) { SetAnchorAxis(y, anchorTop_, fracY_); }

void TSmoothMoveWidget::SetAnchorAxis(double value, double& anchor, double& fraction) {
  if (!std::isfinite(value)) return;
  if (std::floor(value) != std::floor(anchor)) geometryChanged_ = true;
  anchor = value;
  const double q = Quantize(value - std::floor(value));
  if (q != fraction) {
    needToRepaint_ = true;
    geometryChanged_ = true;
    fraction = q;
  }
}

void TSmoothMoveWidget::SetSamplingStep(double step) {
  if (!(step >= 0)) step = 0;  // also NaN
  samplingStep_ = std::min(step, 1.0);
  RebuildCache();
}

void TSmoothMoveWidget::SetCaching(bool caching) {
  if (caching == caching_) return;
  caching_ = caching;
  RebuildCache();
}

void TSmoothMoveWidget::RebuildCache() {
  sampleCache_.clear();
  sampleCount_ = 0;
  if (!caching_) return;
  const int32_t n = SampleIndex(1.0);
  if (n < 1) return;
  sampleCount_ = n;
  sampleCache_.assign(static_cast<size_t>(n) * n, nullptr);
}

void TSmoothMoveWidget::Repaint() {
  TTransformWidget::Repaint();
  if (caching_) RebuildCache();
}

int32_t TSmoothMoveWidget::GetWidth() { return child_ ? child_->GetWidth() + 1 : 0; }
int32_t TSmoothMoveWidget::GetHeight() { return child_ ? child_->GetHeight() + 1 : 0; }

void TSmoothMoveWidget::AdjustDrawOrigin(int32_t& x, int32_t& y) { ShiftToWholeAnchor(x, y); }

// The parent draws at the rounded anchor; the buffer belongs at its whole part.
void TSmoothMoveWidget::ShiftToWholeAnchor(int32_t& x, int32_t& y) {
  x -= Round32(anchorLeft_) - Trunc(WholeLeft());
  y -= Round32(anchorTop_) - Trunc(WholeTop());
}

void TSmoothMoveWidget::Render() { RenderSubPixel(); }

void TSmoothMoveWidget::RenderSubPixel() {
  WidgetRef child = child_;
  SurfaceRef buffer = buffer_;
  if (!child || !buffer) return;
  const int32_t i = SampleIndex(fracX_);
  const int32_t j = SampleIndex(fracY_);
  if (caching_ && sampleCount_ >= 1 && i >= 0 && j >= 0 && i < sampleCount_ && j < sampleCount_) {
    SurfaceRef& sample = sampleCache_[static_cast<size_t>(i) * sampleCount_ + j];
    if (!sample) {
      sample = NewSurface(buffer->GetWidth(), buffer->GetHeight());
      if (!sample) return;
      if (SurfaceRef image = child->CreateImage()) sample->DrawSubPixel(image.get(), fracX_, fracY_);
    }
    buffer->Draw(sample.get(), sample->GetRect(), kBlendBltFast, 255, buffer->GetRect());
    return;
  }
  if (SurfaceRef image = child->CreateImage()) buffer->DrawSubPixel(image.get(), fracX_, fracY_);
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TZoomWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TSmoothMoveWidget::GetPropertyTable(),
      {
          // The zooms are read and written by hand: "zoom" stands for both when they agree.
          Property("zoom", &TZoomWidget::zoomX_, 1.0).NotStored().SetWith(&TZoomWidget::SetZoom),
          Property("zoomx", &TZoomWidget::zoomX_, 1.0).NotStored().SetWith(&TZoomWidget::SetZoomX),
          Property("zoomy", &TZoomWidget::zoomY_, 1.0).NotStored().SetWith(&TZoomWidget::SetZoomY),
          Property("centerx", &TZoomWidget::centerX_).SetWith(&TZoomWidget::SetCenterX),
          Property("centery", &TZoomWidget::centerY_).SetWith(&TZoomWidget::SetCenterY),
          Property("smooth", &TZoomWidget::smooth_).SetWith(&TZoomWidget::SetSmooth),
      });
  return table;
}

void TZoomWidget::Initialize() {
  TSmoothMoveWidget::Initialize();
  smooth_ = true;  // "smooth" from data defaults to "no"
}

void TZoomWidget::LoadProperties(const StorageRef& storage) {
  TSmoothMoveWidget::LoadProperties(storage);
  // Stored as given: the setters' floor does not apply to data.
  const double zoom = ReadFloat(storage, "zoom", 1.0);
  zoomX_ = ReadFloat(storage, "zoomx", zoom);
  zoomY_ = ReadFloat(storage, "zoomy", zoom);
  if (ZoomIsEmpty()) LogLine("zoom_widget \"" + GetName() + "\": a zoom of 0 shows nothing.");
  UpdateGeometry();
}

void TZoomWidget::SaveProperties(const StorageRef& storage) {
  TSmoothMoveWidget::SaveProperties(storage);
  if (zoomX_ != zoomY_) {
    WriteFloat(storage, "zoomx", zoomX_);
    WriteFloat(storage, "zoomy", zoomY_);
  } else {
    WriteFloat(storage, "zoom", zoomX_);
  }
}

void TZoomWidget::SetZoom(double zoom) {
  SetZoomX(zoom);
  SetZoomY(zoom);
}

namespace {
double FlooredZoom(double zoom) { return std::fabs(zoom) <= TZoomWidget::kMinZoom ? TZoomWidget::kMinZoom : zoom; }
}  // namespace

void TZoomWidget::SetZoomX(double zoom) { SetZoomAxis(zoom, zoomX_); }
void TZoomWidget::SetZoomY(double zoom) { SetZoomAxis(zoom, zoomY_); }

void TZoomWidget::SetZoomAxis(double zoom, double& field) {
  zoom = FlooredZoom(zoom);
  if (zoom == field || !std::isfinite(zoom)) return;
  field = zoom;
  geometryChanged_ = true;
  needToRepaint_ = true;
  UpdateGeometry();
}

void TZoomWidget::SetCenterX(double center) {
  if (center == centerX_) return;
  centerX_ = center;
  geometryChanged_ = true;
}

void TZoomWidget::SetCenterY(double center) {
  if (center == centerY_) return;
  centerY_ = center;
  geometryChanged_ = true;
}

void TZoomWidget::SetSmooth(bool smooth) {
  if (smooth == smooth_) return;
  smooth_ = smooth;
  needToRepaint_ = true;
}

double TZoomWidget::GetLeft() {
  if (!child_) return anchorLeft_;
  return WholeLeft() - std::trunc(std::fabs(zoomX_) * centerX_);
}

double TZoomWidget::GetTop() {
  if (!child_) return anchorTop_;
  return WholeTop() - std::trunc(std::fabs(zoomY_) * centerY_);
}

int32_t TZoomWidget::GetWidth() { return child_ ? Trunc(child_->GetWidth() * std::fabs(zoomX_)) + 1 : 0; }
int32_t TZoomWidget::GetHeight() { return child_ ? Trunc(child_->GetHeight() * std::fabs(zoomY_)) + 1 : 0; }

void TZoomWidget::AdjustDrawOrigin(int32_t& x, int32_t& y) {
  ShiftToWholeAnchor(x, y);
  x -= Trunc(std::fabs(zoomX_) * centerX_);
  y -= Trunc(std::fabs(zoomY_) * centerY_);
}

void TZoomWidget::InverseTransform(int32_t& x, int32_t& y) {
  if (ZoomIsEmpty()) return;
  x = Round32(x / zoomX_);
  y = Round32(y / zoomY_);
  if (WidgetRef child = child_) {
    x += Trunc(child->GetLeft());
    y += Trunc(child->GetTop());
  }
}

void TZoomWidget::Render() {
  if (zoomX_ == 1 && zoomY_ == 1) {
    TSmoothMoveWidget::Render();
    return;
  }
  WidgetRef child = child_;
  SurfaceRef buffer = buffer_;
  if (!child || !buffer || ZoomIsEmpty()) return;
  const double ox = (Frac(std::fabs(zoomX_) * centerX_) - fracX_) / zoomX_;
  const double oy = (Frac(std::fabs(zoomY_) * centerY_) - fracY_) / zoomY_;
  if (SurfaceRef image = child->CreateImage()) buffer->RenderScaled(image.get(), ox, oy, zoomX_, zoomY_, smooth_);
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TRotateWidget::GetPropertyTable() const {
  static const TPropertyTable table(TZoomWidget::GetPropertyTable(),
                                    {
                                        Property("angle", &TRotateWidget::angle_).SetWith(&TRotateWidget::SetAngle),
                                    });
  return table;
}

void TRotateWidget::UpdateGeometry() {
  WidgetRef child = child_;
  if (!child) return;
  const int32_t w = child->GetWidth();
  const int32_t h = child->GetHeight();
  radius_ = std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h) *
            std::max(std::fabs(zoomX_), std::fabs(zoomY_)) / 2;
  const int32_t halfW = w / 2;  // whole pixels, as the buffer's middle
  const int32_t halfH = h / 2;
  pivotX_ = zoomX_ * (centerX_ - halfW);
  pivotY_ = zoomY_ * (centerY_ - halfH);
  Turn(pivotX_, pivotY_, -angle_);
}

void TRotateWidget::SetAngle(double angle) {
  if (angle == angle_ || !std::isfinite(angle)) return;
  angle_ = angle;
  geometryChanged_ = true;
  needToRepaint_ = true;
  UpdateGeometry();
}

void TRotateWidget::SetCenterX(double center) {
  if (center == centerX_) return;
  TZoomWidget::SetCenterX(center);
  UpdateGeometry();
}

void TRotateWidget::SetCenterY(double center) {
  if (center == centerY_) return;
  TZoomWidget::SetCenterY(center);
  UpdateGeometry();
}

void TRotateWidget::Repaint() {
  TZoomWidget::Repaint();
  UpdateGeometry();
}

double TRotateWidget::GetLeft() {
  if (!child_) return anchorLeft_;
  return WholeLeft() - std::trunc(radius_) - std::trunc(pivotX_);
}

double TRotateWidget::GetTop() {
  if (!child_) return anchorTop_;
  return WholeTop() - std::trunc(radius_) - std::trunc(pivotY_);
}

int32_t TRotateWidget::GetWidth() { return child_ ? Trunc(2 * radius_) + 1 : 0; }
int32_t TRotateWidget::GetHeight() { return child_ ? Trunc(2 * radius_) + 1 : 0; }

void TRotateWidget::AdjustDrawOrigin(int32_t& x, int32_t& y) {
  ShiftToWholeAnchor(x, y);
  x -= Trunc(radius_) + Trunc(pivotX_);
  y -= Trunc(radius_) + Trunc(pivotY_);
}

void TRotateWidget::InverseTransform(int32_t& x, int32_t& y) {
  double dx = x - Trunc(radius_);
  double dy = y - Trunc(radius_);
  Turn(dx, dy, angle_);
  x = Trunc(dx);
  y = Trunc(dy);
  TZoomWidget::InverseTransform(x, y);
  if (WidgetRef child = child_) {
    x += child->GetWidth() / 2;
    y += child->GetHeight() / 2;
  }
}

void TRotateWidget::Render() {
  WidgetRef child = child_;
  SurfaceRef buffer = buffer_;
  if (!child || !buffer || ZoomIsEmpty()) return;
  SurfaceRef image = child->CreateImage();
  if (!image) return;
  const int32_t r = Trunc(radius_);
  const int32_t w = child->GetWidth();
  const int32_t h = child->GetHeight();
  const int32_t halfW = w / 2;  // whole pixels
  const int32_t halfH = h / 2;
  if (angle_ != 0 && angle_ != 360) {
    double fx = Frac(pivotX_);
    double fy = Frac(pivotY_);
    Turn(fx, fy, angle_);
    const double ox = (halfW - r) + (fx - fracX_) / zoomX_;
    const double oy = (halfH - r) + (fy - fracY_) / zoomY_;
    buffer->RenderTransformed(image.get(), TPoint{r, r}, angle_, smooth_, zoomX_, zoomY_, ox, oy);
  } else if (zoomX_ != 1 || zoomY_ != 1 || fracX_ != 0 || fracY_ != 0) {
    const int32_t cx = zoomX_ > 0 ? halfW : -halfW;
    const int32_t cy = zoomY_ > 0 ? halfH : -halfH;
    const double ox = cx - r / zoomX_ + (Frac(pivotX_) - fracX_) / zoomX_;
    const double oy = cy - r / zoomY_ + (Frac(pivotY_) - fracY_) / zoomY_;
    buffer->RenderScaled(image.get(), ox, oy, zoomX_, zoomY_, smooth_);
  } else {
    buffer->DrawSubPixel(image.get(), r - halfW + fracX_, r - halfH + fracY_);
  }
}

// ---------------------------------------------------------------------------------------------

const TPropertyTable& TTimedRotateWidget::GetPropertyTable() const {
  static const TPropertyTable table(TRotateWidget::GetPropertyTable(),
                                    {
                                        Property("rotate", &TTimedRotateWidget::rotate_).Quiet(),
                                        Property("startangle", &TTimedRotateWidget::startAngle_).Quiet(),
                                        Property("rotationtime", &TTimedRotateWidget::rotationTime_, 1000).Quiet(),
                                    });
  return table;
}

void TTimedRotateWidget::LoadProperties(const StorageRef& storage) {
  TRotateWidget::LoadProperties(storage);
  angle_ = startAngle_;
  if (rotationTime_ == 0)
    LogLine("rotate_widget_timed \"" + GetName() + "\": \"rotationtime\" 0 holds the start angle.");
  UpdateGeometry();
}

void TTimedRotateWidget::DoUpdate(int32_t elapsedMs) {
  TRotateWidget::DoUpdate(elapsedMs);
  if (currentTime_ < 0 || !rotate_) return;
  if (rotationTime_ == 0) {
    SetAngle(startAngle_);
    return;
  }
  // 64-bit: a 32-bit product of the clock and 360 overflows after about 99 minutes.
  SetAngle(startAngle_ - static_cast<double>(int64_t{currentTime_} * 360) / rotationTime_);
}

}  // namespace kestrelle
