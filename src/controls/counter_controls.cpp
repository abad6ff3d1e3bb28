#include "controls/counter_controls.h"

#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/number_format.h"
#include "data/variant_values.h"

namespace kestrelle {

void TNumLabelControl::Initialize() {
  TControlWidget::Initialize();
  counter_ = TCounterAnimation();
}

void TNumLabelControl::LoadProperties(const StorageRef& storage) {
  TControlWidget::LoadProperties(storage);
  counter_.animation = ReadBool(storage, "animation", true);
  counter_.minPerSecond = ReadInt(storage, "minincrementalvaluepersecond", 0);
  counter_.maxDuration = ReadInt(storage, "maxincrementaldurationtime", 0);
}

void TNumLabelControl::SaveProperties(const StorageRef& storage) {
  TControlWidget::SaveProperties(storage);
  WriteBool(storage, "animation", counter_.animation, !counter_.animation);
  WriteInt(storage, "minincrementalvaluepersecond", counter_.minPerSecond, counter_.minPerSecond != 0);
  WriteInt(storage, "maxincrementaldurationtime", counter_.maxDuration, counter_.maxDuration != 0);
}

Variant TNumLabelControl::GetProperty(const std::string& name) {
  if (PropIs(name, "value")) return Variant(counter_.value);
  if (PropIs(name, "current_value")) return Variant(counter_.current);
  if (PropIs(name, "animation")) return Variant(counter_.animation);
  if (PropIs(name, "animation_complete")) return Variant(counter_.value == counter_.current);
  if (PropIs(name, "minincrementalvaluepersecond")) return Variant(counter_.minPerSecond);
  if (PropIs(name, "maxincrementaldurationtime")) return Variant(counter_.maxDuration);
  return TControlWidget::GetProperty(name);
}

void TNumLabelControl::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  bool b = false;
  if (PropIs(name, "value")) {
    if (VariantToInt(value, i)) counter_.SetTarget(i);
  } else if (PropIs(name, "current_value")) {
    if (VariantToInt(value, i)) {
      counter_.current = i;
      ShowValue();
    }
  } else if (PropIs(name, "animation")) {
    if (VariantToBool(value, b)) {
      counter_.animation = b;
      if (b) {
        counter_.current = counter_.value;
        ShowValue();
      }
    }
  } else if (PropIs(name, "minincrementalvaluepersecond")) {
    if (VariantToInt(value, i)) counter_.minPerSecond = i;
  } else if (PropIs(name, "maxincrementaldurationtime")) {
    if (VariantToInt(value, i)) counter_.maxDuration = i;
  } else {
    TControlWidget::SetProperty(name, value);
  }
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

void TDigitTimerControl::Initialize() {
  TControlWidget::Initialize();
  clock_ = TDigitTimerClock();
  timeString_.clear();
}

void TDigitTimerControl::LoadProperties(const StorageRef& storage) {
  TControlWidget::LoadProperties(storage);
  clock_.countdown = ReadBool(storage, "countdown", false);
}

void TDigitTimerControl::SaveProperties(const StorageRef& storage) {
  TControlWidget::SaveProperties(storage);
  WriteBool(storage, "countdown", clock_.countdown, clock_.countdown);
}

Variant TDigitTimerControl::GetProperty(const std::string& name) {
  if (PropIs(name, "value")) return Variant(clock_.target);
  if (PropIs(name, "current_value")) return Variant(clock_.current);
  if (PropIs(name, "time_string")) return Variant(timeString_);
  if (PropIs(name, "time_in_sec")) return Variant(clock_.current / 1000);
  if (PropIs(name, "countdown")) return Variant(clock_.countdown);
  return TControlWidget::GetProperty(name);
}

void TDigitTimerControl::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  bool b = false;
  if (PropIs(name, "value")) {
    if (VariantToInt(value, i)) clock_.SetTarget(i);
  } else if (PropIs(name, "current_value")) {
    if (VariantToInt(value, i)) {
      clock_.current = i;
      Display();
    }
  } else if (PropIs(name, "currenttime")) {
    // The timer's own time, not the widget clock: the digits stop and the reminders restart.
    if (VariantToInt(value, i)) {
      clock_.SetCurrent(i);
      for (const char* digit : kTimerDigits) {
        if (WidgetRef child = widgets_->GetByName(digit)) {
          child->SetProperty("zoom", Variant(1));
          child->SetPaused(true);
        }
      }
      Display();
    }
  } else if (PropIs(name, "play_effect")) {
    PlayEffect();
  } else if (PropIs(name, "countdown")) {
    if (VariantToBool(value, b)) clock_.countdown = b;
  } else {
    TControlWidget::SetProperty(name, value);
  }
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
