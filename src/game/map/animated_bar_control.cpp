#include "game/map/animated_bar_control.h"

#include "controls/control_values.h"
#include "data/variant_values.h"
#include "game/map/action_rules.h"

namespace kestrelle {

const TPropertyTable& TAnimatedBarControl::GetPropertyTable() const {
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("animation", &TAnimatedBarControl::animation_, true).SavedIfNotDefault().Quiet(),
          Property("maxincrementaldurationtime", &TAnimatedBarControl::maxDuration_).SavedIfNotDefault().Quiet(),
          Property("minincrementalvaluepersecond", &TAnimatedBarControl::minPerSecond_).SavedIfNotDefault().Quiet(),
          Property("max_value", &TAnimatedBarControl::maxValue_).SavedIfNotDefault().Quiet(),
          Property("bar_width", &TAnimatedBarControl::barWidth_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TAnimatedBarControl::Initialize() {
  TControlWidget::Initialize();
  value_ = 0;
  current_ = 0;
  elapsed_ = 0;
}

Variant TAnimatedBarControl::GetProperty(const std::string& name) {
  if (PropIs(name, "value")) return Variant(value_);
  if (PropIs(name, "current_value")) return Variant(current_);
  if (PropIs(name, "animation_complete")) return Variant(value_ == current_);
  return TControlWidget::GetProperty(name);
}

void TAnimatedBarControl::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  if (PropIs(name, "value")) {
    if (VariantToInt(value, i)) {
      value_ = i;
      elapsed_ = 0;
    }
  } else if (PropIs(name, "current_value")) {
    if (VariantToInt(value, i)) {
      current_ = i;
      ShowCurrent();
    }
  } else {
    TControlWidget::SetProperty(name, value);
  }
}

void TAnimatedBarControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  if (WidgetRef bar = Bar()) barWidth_ = bar->GetWidth();
  ShowCurrent();
}

void TAnimatedBarControl::DoUpdate(int32_t elapsedMs) {
  TControlWidget::DoUpdate(elapsedMs);
  if (current_ == value_) return;
  current_ = BarStep(current_, value_, elapsedMs, maxDuration_ - elapsed_, minPerSecond_, animation_);
  elapsed_ += elapsedMs;
  ShowCurrent();
}

void TAnimatedBarControl::ShowCurrent() {
  WidgetRef bar = Bar();
  if (!bar) return;
  const double position = barWidth_ > 0 ? static_cast<double>(current_) / static_cast<double>(barWidth_) : 0.0;
  bar->SetProperty("position", Variant(position));
}

}  // namespace kestrelle
