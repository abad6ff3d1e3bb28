#include "controls/counter_controls.h"

#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/number_format.h"
#include "data/variant_values.h"

namespace kestrelle {

const TPropertyTable& TNumLabelControl::GetPropertyTable() const {
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("animation", &TNumLabelControl::counter_, &TCounterAnimation::animation, true)
              .SavedIfNotDefault()
              .SetWith(&TNumLabelControl::SetAnimation),
          Property("minincrementalvaluepersecond", &TNumLabelControl::counter_, &TCounterAnimation::minPerSecond)
              .SavedIfNotDefault()
              .Quiet(),
          Property("maxincrementaldurationtime", &TNumLabelControl::counter_, &TCounterAnimation::maxDuration)
              .SavedIfNotDefault()
              .Quiet(),
      });
  return table;
}

void TNumLabelControl::Initialize() {
  TControlWidget::Initialize();
  counter_ = TCounterAnimation();
}

Variant TNumLabelControl::GetProperty(const std::string& name) {
  if (PropIs(name, "value")) return Variant(counter_.value);
  if (PropIs(name, "current_value")) return Variant(counter_.current);
  if (PropIs(name, "animation_complete")) return Variant(counter_.value == counter_.current);
  return TControlWidget::GetProperty(name);
}

void TNumLabelControl::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  if (PropIs(name, "value")) {
    if (VariantToInt(value, i)) counter_.SetTarget(i);
  } else if (PropIs(name, "current_value")) {
    if (VariantToInt(value, i)) {
      counter_.current = i;
      ShowValue();
    }
  } else {
    TControlWidget::SetProperty(name, value);
  }
}

void TNumLabelControl::SetAnimation(bool animation) {
  counter_.animation = animation;
  if (!animation) return;
  counter_.current = counter_.value;
  ShowValue();
}

void TNumLabelControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  ShowValue();
}

void TNumLabelControl::DoUpdate(int32_t elapsedMs) {
  TControlWidget::DoUpdate(elapsedMs);
  if (counter_.current == counter_.value) return;
  counter_.Step(elapsedMs);
  ShowValue();
}

void TNumLabelControl::ShowValue() {
  if (WidgetRef text = widgets_ ? widgets_->GetByName("text") : nullptr)
    text->SetProperty("text_utf8", Variant(FormatThousands(counter_.current)));
}

// ---------------------------------------------------------------------------------------------

namespace {
const char* const kTimerDigits[] = {"min", "sec", "delimiter"};
}

const TPropertyTable& TDigitTimerControl::GetPropertyTable() const {
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("countdown", &TDigitTimerControl::clock_, &TDigitTimerClock::countdown).SavedIfNotDefault().Quiet(),
          // The timer's own time, not the widget clock: setting it stops the digits and restarts
          // the reminders.
          Property("currenttime", &TDigitTimerControl::clock_, &TDigitTimerClock::current)
              .SavedIfNotDefault()
              .SetWith(&TDigitTimerControl::SetTimerTime),
      });
  return table;
}

void TDigitTimerControl::Initialize() {
  TControlWidget::Initialize();
  clock_ = TDigitTimerClock();
  timeString_.clear();
}

Variant TDigitTimerControl::GetProperty(const std::string& name) {
  if (PropIs(name, "value")) return Variant(clock_.target);
  if (PropIs(name, "current_value")) return Variant(clock_.current);
  if (PropIs(name, "time_string")) return Variant(timeString_);
  if (PropIs(name, "time_in_sec")) return Variant(clock_.current / 1000);
  return TControlWidget::GetProperty(name);
}

void TDigitTimerControl::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  if (PropIs(name, "value")) {
    if (VariantToInt(value, i)) clock_.SetTarget(i);
  } else if (PropIs(name, "current_value")) {
    if (VariantToInt(value, i)) {
      clock_.current = i;
      Display();
    }
  } else if (PropIs(name, "play_effect")) {
    PlayEffect();
  } else {
    TControlWidget::SetProperty(name, value);
  }
}

void TDigitTimerControl::SetTimerTime(int64_t ms) {
  clock_.SetCurrent(ms);
  for (const char* digit : kTimerDigits) {
    if (WidgetRef child = widgets_->GetByName(digit)) {
      child->SetProperty("zoom", Variant(1));
      child->SetPaused(true);
    }
  }
  Display();
}

void TDigitTimerControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  Display();
}

void TDigitTimerControl::DoUpdate(int32_t elapsedMs) {
  TControlWidget::DoUpdate(elapsedMs);
  clock_.Step(elapsedMs);
  Display();
}

void TDigitTimerControl::Display() {
  TTimerTexts texts = FormatTimer(clock_.current);
  timeString_ = texts.timeString;
  if (WidgetRef min = widgets_->GetByName("min")) min->SetProperty("text", Variant(texts.minutes));
  if (WidgetRef sec = widgets_->GetByName("sec")) sec->SetProperty("text", Variant(texts.seconds));
  if (clock_.TakeEffect()) PlayEffect();
}

void TDigitTimerControl::PlayEffect() {
  for (const char* digit : kTimerDigits) {
    if (WidgetRef child = widgets_->GetByName(digit)) child->Restart();
  }
  PlaySound("sound_timer_effect", false, 0, 0);
}

}  // namespace kestrelle
