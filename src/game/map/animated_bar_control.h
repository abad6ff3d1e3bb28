#pragma once
// "AnimatedBarControl": a bar that fills towards a target value. The shown value runs towards the
// target within "maxincrementaldurationtime", never slower than "minincrementalvaluepersecond",
// or jumps there without "animation"; the child "bar" (a progress bar) gets the shown value as a
// share of "bar_width", the width of that child. A bar of no width stays empty.

#include <cstdint>

#include "controls/control_widget.h"

namespace kestrelle {

class TAnimatedBarControl : public TControlWidget {
 public:
  static constexpr const char* kRequiredChildren[] = {"bar"};

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  // Also "value" (the target), "current_value" (the shown value) and "animation_complete".
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  // Takes "bar_width" from the child "bar" and shows the current value.
  void SetOwner(const WidgetOwnerRef& owner) override;
  void DoUpdate(int32_t elapsedMs) override;

  int64_t GetValue() const { return value_; }
  int64_t GetCurrentValue() const { return current_; }
  int64_t GetMaxValue() const { return maxValue_; }
  int64_t GetBarWidth() const { return barWidth_; }

 private:
  WidgetRef Bar() { return widgets_ ? widgets_->GetByName("bar") : nullptr; }
  void ShowCurrent();

  int64_t value_ = 0;
  int64_t current_ = 0;
  bool animation_ = true;
  int64_t maxDuration_ = 0;
  int64_t minPerSecond_ = 0;
  int64_t maxValue_ = 0;
  int64_t barWidth_ = 0;
  int64_t elapsed_ = 0;  // since the target was set
};

}  // namespace kestrelle
