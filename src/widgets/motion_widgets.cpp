#include "widgets/motion_widgets.h"

#include <cmath>
#include <numbers>

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"

namespace kestrelle {

namespace {

// The attribute as an integer into `value`; false (value kept) when missing or not a number.
bool ReadWhole(const StorageRef& storage, const char* name, int32_t& value) {
  const std::string text = ReadString(storage, name);
  int64_t number = 0;
  if (text.empty() || !VariantToInt(Variant(text), number)) return false;
  value = static_cast<int32_t>(number);
  return true;
}

}  // namespace

void TMoveWidget::Initialize() {
  TSurfaceWidget::Initialize();
  startPosX_ = startPosY_ = endPosX_ = endPosY_ = 0;
  startTransLevel_ = endTransLevel_ = 255;
  resourceName_.clear();
  engine_.reset();
  anchorLeft_ = anchorTop_ = 0;
  SetTransparentLevel(255);
}

void TMoveWidget::LoadProperties(const StorageRef& storage) {
  TSurfaceWidget::LoadProperties(storage);
  // Without a start point in the data the widget starts where its anchor puts it.
  if (!ReadWhole(storage, "startposx", startPosX_))
    startPosX_ = Round32(anchorLeft_);
  else
    anchorLeft_ = startPosX_;
  if (!ReadWhole(storage, "startposy", startPosY_))
    startPosY_ = Round32(anchorTop_);
  else
    anchorTop_ = startPosY_;
  resourceName_ = ReadString(storage, "resourcename");
  ReadWhole(storage, "endposx", endPosX_);
  ReadWhole(storage, "endposy", endPosY_);
  ReadWhole(storage, "end_trans_level", endTransLevel_);
  // Likewise the start level defaults to the loaded "transparentlevel".
  if (ReadWhole(storage, "start_trans_level", startTransLevel_))
    SetTransparentLevel(startTransLevel_ & 0xFF);
  else
    startTransLevel_ = transparentLevel_;
}

void TMoveWidget::SetProperty(const std::string& name, const Variant& value) {
  int32_t* target = nullptr;
  if (EqualsIgnoreAsciiCase(name, "startposx")) target = &startPosX_;
  if (EqualsIgnoreAsciiCase(name, "startposy")) target = &startPosY_;
  if (EqualsIgnoreAsciiCase(name, "endposx")) target = &endPosX_;
  if (EqualsIgnoreAsciiCase(name, "endposy")) target = &endPosY_;
  if (!target) {
    TSurfaceWidget::SetProperty(name, value);
    return;
  }
  int64_t number = 0;
  if (VariantToInt(value, number)) *target = static_cast<int32_t>(number);
}

void TMoveWidget::SetOwner(const WidgetOwnerRef& owner) {
  TSurfaceWidget::SetOwner(owner);
  engine_ = owner ? owner->GetEngine() : nullptr;
}

void TMoveWidget::ClearOwner() {
  TSurfaceWidget::ClearOwner();
  engine_.reset();
}

void TMoveWidget::DoUpdate(int32_t elapsedMs) {
  TSurfaceWidget::DoUpdate(elapsedMs);
  // The named image is taken once it has loaded (resources may load while the screen shows).
  if (!surface_ && !resourceName_.empty()) {
    if (EngineRef engine = engine_.lock()) {
      if (auto image = std::dynamic_pointer_cast<IImageResource>(engine->GetResource(resourceName_)))
        if (SurfaceRef picture = image->GetSurface()) SetSurface(Variant(InterfaceRef(picture)));
    }
  }
  if (currentTime_ < 0) return;
  if (currentTime_ > timeToLive_) {
    SetDead(true);
    return;
  }
  UpdatePosition();
  // With no time to live the level stays at the start (no division by 0).
  if (endTransLevel_ != startTransLevel_ && timeToLive_ != 0) {
    const int64_t level = startTransLevel_ + int64_t{currentTime_} * (endTransLevel_ - startTransLevel_) / timeToLive_;
    SetTransparentLevel(static_cast<int32_t>(level & 0xFF));
  }
}

void TMoveWidget::UpdatePosition() {
  if (timeToLive_ == 0) return;
  const double f = static_cast<double>(currentTime_) / timeToLive_;
  SetAnchorLeft(Round32((endPosX_ - static_cast<double>(startPosX_)) * f) + startPosX_);
  SetAnchorTop(Round32((endPosY_ - static_cast<double>(startPosY_)) * f) + startPosY_);
}

// ---------------------------------------------------------------------------------------------

void TCircularMotionWidget::LoadProperties(const StorageRef& storage) {
  TMoveWidget::LoadProperties(storage);
  centerX_ = static_cast<int32_t>(ReadInt(storage, "centerx", 0));
  centerY_ = static_cast<int32_t>(ReadInt(storage, "centery", 0));
}

void TCircularMotionWidget::UpdatePosition() {
  if (timeToLive_ == 0) return;
  const double f = static_cast<double>(currentTime_) / timeToLive_;
  const double sx = startPosX_ - static_cast<double>(centerX_);
  const double sy = startPosY_ - static_cast<double>(centerY_);
  const double ex = endPosX_ - static_cast<double>(centerX_);
  const double ey = endPosY_ - static_cast<double>(centerY_);
  double a0 = std::atan2(sy, sx);
  double a1 = std::atan2(ey, ex);
  // Through +-pi when the start lies in the left half, through 0 otherwise.
  if ((a0 > 0 && a1 < 0) || (a0 < 0 && a1 > 0)) {
    if (a0 > std::numbers::pi / 2) a1 += 2 * std::numbers::pi;
    if (a0 < -std::numbers::pi / 2) a0 += 2 * std::numbers::pi;
  }
  const double angle = a0 + (a1 - a0) * f;
  const double r0 = std::hypot(sx, sy);
  const double r1 = std::hypot(ex, ey);
  const double radius = r0 + (r1 - r0) * f;
  SetAnchorLeft(std::cos(angle) * radius + centerX_);
  SetAnchorTop(std::sin(angle) * radius + centerY_);
}

}  // namespace kestrelle
