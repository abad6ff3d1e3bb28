#pragma once
// "TrackBarControl": a position between "min" and "max" in steps of "frequency", shown by the
// child "image_slider" placed along the control (horizontally, or vertically with "vertical").
// The slider is dragged with the left button and follows the pointer smoothly while the position
// moves in steps; End, Home and the arrow keys of its direction move it too. Every change of the
// position reports event 3.

#include <cstdint>

#include "controls/control_widget.h"
#include "controls/track_bar_range.h"

namespace kestrelle {

class TTrackBarControl : public TControlWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  bool GetTabStop() override { return tabStop_ && visible_ && enabled_; }
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;
  bool MouseMove(const TPoint& point, uint32_t keys) override;
  bool MouseUp(const TPoint& point, uint32_t keys, int32_t button) override;
  bool KeyEvent(uint32_t message, uintptr_t key, intptr_t keyData) override;
  // A drag ends with the capture; the slider stops looking held.
  void CaptureLost() override;

  // Snaps the value to the steps within the limits, places the slider, and reports event 3 when
  // the position changed.
  void SetPosition(double value);
  int32_t GetPosition() const { return position_; }
  const TTrackBarRange& Range() const { return range_; }
  bool IsVertical() const { return vertical_; }

 private:
  WidgetRef Slider() { return widgets_ ? widgets_->GetByName("image_slider") : nullptr; }
  void PlaceSlider();
  // "image_sliderselected" while dragging, else "image_slidernormal".
  void RefreshSliderLook();
  // The slider's travel: the track length minus the slider length.
  int32_t Extent(const WidgetRef& slider);

  TTrackBarRange range_;
  int32_t position_ = 0;
  bool vertical_ = false;
  int32_t grabOffset_ = 0;
};

}  // namespace kestrelle
