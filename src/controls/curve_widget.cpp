#include "controls/curve_widget.h"

#include <cmath>

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"
#include "widgets/image_widget.h"

namespace kestrelle {

TCurveWidget::TCurveWidget()
    : antialiaser_(1, 1.0, [this](int32_t x, int32_t y, double coverage) { PlotCell(x, y, coverage); }) {}

const TPropertyTable& TCurveWidget::GetPropertyTable() const {
  using T = TCurveWidget;
  static const TPropertyTable table(
      TGroupWidget::GetPropertyTable(),
      {
          // The life of a curve is read from "curve_time".
          Property("timetolive", &T::timeToLive_).NotStored().Quiet(),
          Property("curve_time", &T::timeToLive_, 100000).Quiet(),
          Property("draw_shift", &T::drawShift_, 1.0).SetWith(&T::SetDrawShift),
          Property("smooth", &T::smooth_, true).OnChange(&T::RequestRedraw),
          Property("drawmode", &T::drawMode_, int32_t{kParticleFillColor})
              .AsEnum(kParticleDrawModeWords)
              .OnChange(&T::RequestRedraw),
          Property("blendingmode", &T::blendingMode_, int32_t{kBlendNormal})
              .AsEnum(TImageWidget::kBlendingModeWords)
              .OnChange(&T::RequestRedraw),
          Property("fillcolor", &T::fillColor_, 0xFFFFFFFFu).AsColor().OnChange(&T::RequestRedraw),
          Property("stepping", &T::stepping_),
          Property("drawtime", &T::drawTime_, 1000),
      });
  return table;
}

void TCurveWidget::Initialize() {
  TGroupWidget::Initialize();
  path_ = nullptr;
  brushWidget_ = nullptr;
  brush_ = canvas_ = nullptr;
  canvasWidth_ = canvasHeight_ = 0;
  progress_ = 0;
  stepDirection_ = 1;
  finished_ = false;
  totalPoints_ = drawnPoints_ = 0;
  needRedraw_ = true;
  cachedRect_ = TRect{};
}

void TCurveWidget::LoadProperties(const StorageRef& storage) {
  TGroupWidget::LoadProperties(storage);
  path_ = std::dynamic_pointer_cast<IPathFunction>(CreateChildObject(storage, "function", 0));
}

void TCurveWidget::SaveProperties(const StorageRef& storage) {
  TGroupWidget::SaveProperties(storage);
  if (path_) SaveChildObject(path_, storage, "function");
}

Variant TCurveWidget::GetProperty(const std::string& name) {
  if (EqualsIgnoreAsciiCase(name, "state")) return Variant(int64_t{finished_ ? 1 : 0});
  if (EqualsIgnoreAsciiCase(name, "currentT")) return Variant(progress_);
  return TGroupWidget::GetProperty(name);
}

void TCurveWidget::SetProperty(const std::string& name, const Variant& value) {
  int64_t number = 0;
  double real = 0;
  if (EqualsIgnoreAsciiCase(name, "fillcolor")) {
    fillColor_ = VariantToInt(value, number) ? static_cast<uint32_t>(number) : 0xFFFFFFFFu;
    RequestRedraw();
  } else if (EqualsIgnoreAsciiCase(name, "drawmode")) {
    if (value.IsString())
      drawMode_ = EqualsIgnoreAsciiCase(value.ToString(), "copyrect") ? kParticleCopyRect : kParticleFillColor;
    else
      drawMode_ = value.ToInt() == kParticleCopyRect ? kParticleCopyRect : kParticleFillColor;
    RequestRedraw();
  } else if (EqualsIgnoreAsciiCase(name, "stepping_direction")) {
    if (!VariantToInt(value, number)) return;
    stepDirection_ = number == 1 || number == -1 ? static_cast<int32_t>(number) : 0;
    if (number == 1) progress_ = 0;
    if (number == -1) progress_ = 1;
  } else if (EqualsIgnoreAsciiCase(name, "currentT")) {
    if (VariantToReal(value, real)) progress_ = real;
  } else {
    TGroupWidget::SetProperty(name, value);
  }
}

void TCurveWidget::RequestRedraw() {
  needRedraw_ = true;
  geometryChanged_ = true;
  SetChanged(true);
}

void TCurveWidget::SetPath(const PathFunctionRef& path) {
  path_ = path;
  if (path_) path_->Execute();
  RequestRedraw();
}

void TCurveWidget::SetDrawShift(double step) {
  drawShift_ = step;
  RequestRedraw();
}

void TCurveWidget::Refresh() {
  if (path_) path_->Execute();
  RequestRedraw();
}

void TCurveWidget::SetOwner(const WidgetOwnerRef& owner) {
  TGroupWidget::SetOwner(owner);
  if (path_) path_->SetOwner(nullptr);
  brushWidget_ = widgets_->GetByIndex(0);
  canvasWidth_ = canvasHeight_ = 0;
  needRedraw_ = true;
  drawnPoints_ = 0;
  stepDirection_ = 1;
  finished_ = !stepping_;
}

void TCurveWidget::ClearOwner() {
  if (path_) path_->Unlink();
  brushWidget_ = nullptr;
  canvas_ = brush_ = nullptr;
  TGroupWidget::ClearOwner();
}

int32_t TCurveWidget::CountPoints() const {
  if (!path_ || drawShift_ == 0) return 0;
  const double points = path_->GetStoredLength() / drawShift_;
  // A path longer than a million points is a data error; it is drawn up to there.
  return static_cast<int32_t>(std::clamp<int64_t>(RoundHalfEven(points), 0, 1000000));
}

TRect TCurveWidget::GetRect() {
  if (!needRedraw_ || !path_ || !brushWidget_ || drawShift_ == 0) return cachedRect_;
  const int32_t w = brushWidget_->GetWidth(), h = brushWidget_->GetHeight();
  path_->Execute();
  const PathBounds b = path_->GetBounds();
  const auto clampX = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, kScreenWidth)); };
  const auto clampY = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, kScreenHeight)); };
  cachedRect_ = TRect{clampX(int64_t{b.left} - w - 1), clampY(int64_t{b.top} - h - 1), clampX(int64_t{b.right} + w + 1),
                      clampY(int64_t{b.bottom} + h + 1)};
  return cachedRect_;
}

void TCurveWidget::Render() {
  const TRect r = GetRect();
  const auto w = static_cast<int32_t>(r.Width()), h = static_cast<int32_t>(r.Height());
  if (!canvas_) {
    EngineRef engine = OwnerEngine();
    canvas_ = engine ? engine->CreateSurface() : nullptr;
    if (!canvas_) return;
    canvas_->SetKeepAlpha(true);
  }
  if (canvas_->GetWidth() < w || canvas_->GetHeight() < h)
    canvas_->SetSize(std::max(w, canvas_->GetWidth()), std::max(h, canvas_->GetHeight()));
  if (!needRedraw_ || !path_ || !brushWidget_) return;
  canvasWidth_ = w;
  canvasHeight_ = h;
  canvas_->Clear();
  brush_ = brushWidget_->CreateImage();
  totalPoints_ = CountPoints();
  if (!stepping_) drawnPoints_ = totalPoints_;
  if (totalPoints_ == 0) return;
  path_->SetValue("TotalTime", static_cast<float>(totalPoints_));
  antialiaser_.Reset();
  for (int32_t i = 0; i <= drawnPoints_; ++i) {
    path_->SetStep(static_cast<float>(i));
    const double px = path_->GetX() - r.left, py = path_->GetY() - r.top;
    if (smooth_)
      antialiaser_.AddPoint(px, py);
    else
      Stamp(Round32(path_->GetX()) - r.left, Round32(path_->GetY()) - r.top, transparentLevel_);
  }
  if (smooth_) antialiaser_.FlushAll();
  needRedraw_ = false;
  brush_ = nullptr;
}

void TCurveWidget::Stamp(int32_t x, int32_t y, int32_t opacity) {
  if (!brush_ || !canvas_) return;
  const int32_t w = brush_->GetWidth(), h = brush_->GetHeight();
  const auto level = static_cast<uint8_t>(std::clamp(opacity, 0, 255));
  const auto mode = static_cast<uint8_t>(blendingMode_);
  const TRect target{x, y, x + w, y + h};
  if (drawMode_ == kParticleCopyRect)
    canvas_->Draw(brush_, TRect{0, 0, w, h}, mode, level, target);
  else
    canvas_->DrawColor(fillColor_, brush_, mode, level, target, TRect{0, 0, w, h});
}

void TCurveWidget::PlotCell(int32_t x, int32_t y, double coverage) {
  if (!brushWidget_) return;
  Stamp(x + Round32(brushWidget_->GetAnchorLeft()), y + Round32(brushWidget_->GetAnchorTop()), Round32(coverage * 255));
}

void TCurveWidget::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  if (!surface || !path_ || drawShift_ == 0) return;
  Render();
  if (!canvas_) return;
  const TRect r = GetRect();
  const int32_t left = x + Round32(r.left - anchorLeft_), top = y + Round32(r.top - anchorTop_);
  surface->Draw(canvas_, TRect{0, 0, canvasWidth_, canvasHeight_}, kBlendNormal,
                static_cast<uint8_t>(std::clamp(transparentLevel_, 0, 255)),
                TRect{left, top, left + canvasWidth_, top + canvasHeight_});
}

bool TCurveWidget::ContainsPoint(const TPoint& point, bool ignoreVisibility) {
  if (!TGroupWidget::ContainsPoint(point, ignoreVisibility)) return false;
  Render();
  if (!canvas_) return false;
  const TRect r = GetRect();
  // GetPixel answers 0 outside the canvas: points on the far edges read nothing past it.
  const int64_t cx = int64_t{point.x} - Round32(r.left - anchorLeft_);
  const int64_t cy = int64_t{point.y} - Round32(r.top - anchorTop_);
  if (cx < 0 || cy < 0 || cx >= canvasWidth_ || cy >= canvasHeight_) return false;
  return (canvas_->GetPixel(static_cast<int32_t>(cx), static_cast<int32_t>(cy)) >> 24) != 0;
}

void TCurveWidget::DoUpdate(int32_t elapsedMs) {
  TGroupWidget::DoUpdate(elapsedMs);
  if (stepping_) Step(elapsedMs);
}

void TCurveWidget::Step(int32_t elapsedMs) {
  if (drawTime_ == 0) return;
  const double change = std::min(1.0, static_cast<double>(elapsedMs) / drawTime_) * stepDirection_;
  finished_ = progress_ > 1 || progress_ < 0;
  progress_ += change;
  if (totalPoints_ == 0) totalPoints_ = CountPoints();
  double reached = 0;
  if (stepDirection_ == 1) reached = std::min(1.0, progress_);
  if (stepDirection_ == -1) reached = std::max(0.0, progress_);
  const auto points = static_cast<int32_t>(RoundHalfEven(totalPoints_ * reached));
  if (points != drawnPoints_) {
    drawnPoints_ = points;
    RequestRedraw();
  }
  // A stepping curve lives until its reveal has run past its end.
  if (dead_ && !finished_) SetDead(false);
}

}  // namespace kestrelle
