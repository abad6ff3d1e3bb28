#pragma once
// Controls that count: the number label ("NumLabelControl") whose shown value runs towards its
// target with thousands separators, and the digit timer ("DigitTimerControl") that shows minutes
// and seconds counting up or down, with reminder effects in the last minute of a countdown.

#include <cstdint>

#include "controls/control_widget.h"
#include "controls/value_animation.h"

namespace kestrelle {

class TNumLabelControl : public TControlWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void DoUpdate(int32_t elapsedMs) override;

  const TCounterAnimation& Counter() const { return counter_; }

 private:
  void ShowValue();
  // Turning the animation on shows the target at once.
  void SetAnimation(bool animation);

  TCounterAnimation counter_;
};

class TDigitTimerControl : public TControlWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void DoUpdate(int32_t elapsedMs) override;

  const TDigitTimerClock& Clock() const { return clock_; }
  const std::string& GetTimeString() const { return timeString_; }
  // The reminder: the digits restart their animations and "sound_timer_effect" plays.
  void PlayEffect();

 private:
  void Display();
  void SetTimerTime(int64_t ms);

  TDigitTimerClock clock_;
  std::string timeString_;
};

}  // namespace kestrelle
