#include "controls/track_bar_control.h"

#include <algorithm>
#include <limits>

#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/variant_values.h"
#include "platform/messages.h"

namespace kestrelle {

const TPropertyTable& TTrackBarControl::GetPropertyTable() const {
  static const TPropertyTable table(TControlWidget::GetPropertyTable(),
                                    {
                                        Property("min", &TTrackBarControl::range_, &TTrackBarRange::min).Quiet(),
                                        Property("max", &TTrackBarControl::range_, &TTrackBarRange::max).Quiet(),
                                        Property("frequency", &TTrackBarControl::range_, &TTrackBarRange::frequency, 1)
                                            .Range(1, std::numeric_limits<int32_t>::max())
                                            .Quiet(),
                                        Property("vertical", &TTrackBarControl::vertical_).SavedIfNotDefault().Quiet(),
                                    });
  return table;
}

void TTrackBarControl::Initialize() {
  TControlWidget::Initialize();
  position_ = 0;
  grabOffset_ = 0;
}

Variant TTrackBarControl::GetProperty(const std::string& name) {
  if (PropIs(name, "position")) return Variant(position_);
  if (PropIs(name, "slidervisible")) {
    WidgetRef slider = Slider();
    return slider ? Variant(slider->GetVisible()) : Variant(Null{});
  }
  return TControlWidget::GetProperty(name);
}

void TTrackBarControl::SetProperty(const std::string& name, const Variant& value) {
  double d = 0;
  bool b = false;
  if (PropIs(name, "position")) {
    if (VariantToReal(value, d)) SetPosition(d);
  } else if (PropIs(name, "slidervisible")) {
    WidgetRef slider = Slider();
    if (slider && VariantToBool(value, b)) slider->SetVisible(b);
  } else {
    TControlWidget::SetProperty(name, value);
  }
}

void TTrackBarControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  // The look first: the slider's length, and so its travel, is that of its shown look child.
  RefreshSliderLook();
  PlaceSlider();
}

int32_t TTrackBarControl::Extent(const WidgetRef& slider) {
  return vertical_ ? height_ - slider->GetHeight() : width_ - slider->GetWidth();
}

void TTrackBarControl::PlaceSlider() {
  WidgetRef slider = Slider();
  if (!slider || range_.max == range_.min) return;
  double offset = range_.SliderOffset(position_, Extent(slider));
  if (vertical_)
    slider->SetAnchorTop(offset);
  else
    slider->SetAnchorLeft(offset);
}

void TTrackBarControl::SetPosition(double value) {
  int32_t next = range_.Snap(value);
  bool changed = next != position_;
  position_ = next;
  PlaceSlider();
  if (changed) SendEvent(kEventTrackBarMoved);
}

void TTrackBarControl::RefreshSliderLook() {
  WidgetRef slider = Slider();
  if (!slider) return;
  WidgetRef selected = slider->GetChild(Variant("image_sliderselected"));
  WidgetRef normal = slider->GetChild(Variant("image_slidernormal"));
  if (selected) {
    selected->SetVisible(pressed_);
    if (normal) normal->SetVisible(!pressed_);
  } else if (normal) {
    normal->SetVisible(true);
  }
  slider->Invalidate();
}

bool TTrackBarControl::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  TControlWidget::MouseDown(point, keys, button);
  WidgetRef slider = Slider();
  if (!slider || button != kButtonLeft) return false;
  const double along = vertical_ ? point.y - GetTop() : point.x - GetLeft();
  const double start = vertical_ ? slider->GetAnchorTop() : slider->GetAnchorLeft();
  const int32_t length = vertical_ ? slider->GetHeight() : slider->GetWidth();
  if (along < start || along > start + length) return false;
  BeginPress();
  grabOffset_ = Round32(along - start);
  RefreshSliderLook();
  return true;
}

bool TTrackBarControl::MouseMove(const TPoint& point, uint32_t) {
  WidgetRef slider = Slider();
  if (!pressed_ || !slider) return false;
  const int32_t extent = Extent(slider);
  if (extent <= 0) return true;
  double f = vertical_ ? point.y - grabOffset_ - GetTop() : point.x - grabOffset_ - GetLeft();
  f = std::clamp(f, 0.0, static_cast<double>(extent));
  int32_t value = range_.PositionAtOffset(f, extent);
  if (value != position_) SetPosition(value);
  if (range_.max != range_.min) {
    if (vertical_)
      slider->SetAnchorTop(f);
    else
      slider->SetAnchorLeft(f);
  }
  return true;
}

void TTrackBarControl::CaptureLost() {
  TControlWidget::CaptureLost();
  RefreshSliderLook();
}

bool TTrackBarControl::MouseUp(const TPoint&, uint32_t, int32_t button) {
  if (!pressed_ || button != kButtonLeft) return false;
  EndPress();
  RefreshSliderLook();
  return true;
}

bool TTrackBarControl::KeyEvent(uint32_t message, uintptr_t key, intptr_t keyData) {
  if (!focused_ || message != WM_KEYDOWN) return TControlWidget::KeyEvent(message, key, keyData);
  const uintptr_t back = vertical_ ? VK_UP : VK_LEFT;
  const uintptr_t forward = vertical_ ? VK_DOWN : VK_RIGHT;
  if (key == VK_END) {
    if (position_ == range_.max) return false;
    SetPosition(range_.max);
  } else if (key == VK_HOME) {
    if (position_ == range_.min) return false;
    SetPosition(range_.min);
  } else if (key == back || key == forward) {
    SetPosition(range_.Step(position_, key == forward ? +1 : -1));
  } else {
    return TControlWidget::KeyEvent(message, key, keyData);
  }
  RefreshSliderLook();
  return true;
}

}  // namespace kestrelle
