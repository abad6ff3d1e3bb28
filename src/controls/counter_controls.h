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
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void DoUpdate(int32_t elapsedMs) override;

  const TCounterAnimation& Counter() const { return counter_; }

 private:
  void ShowValue();

  TCounterAnimation counter_;
};

class TDigitTimerControl : public TControlWidget {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
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

  TDigitTimerClock clock_;
  std::string timeString_;
};

}  // namespace kestrelle
