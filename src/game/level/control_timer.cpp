#include "game/level/control_timer.h"

#include "data/property_table.h"
#include "game/level/level_codes.h"

namespace kestrelle {

const TPropertyTable& TKestrelleControlTimer::GetPropertyTable() const {
  using T = TKestrelleControlTimer;
  static const TPropertyTable table(
      TVisualGroupWidget::GetPropertyTable(),
      {
          Property("level_time", &T::levelTime_).SetWith(&T::SetLevelTime),
          Property("timer_current_time", &T::currentTime_).NotStored().SetWith(&T::SetCurrentTime),
          Property("timer_blink", &T::blink_).NotStored().SetWith(&T::SetBlink),
      });
  return table;
}

void TKestrelleControlTimer::Initialize() {
  TVisualGroupWidget::Initialize();
  fullWidth_ = -1;
  currentTime_ = 0;
  blink_ = false;
}

void TKestrelleControlTimer::SetOwner(const WidgetOwnerRef& owner) {
  TVisualGroupWidget::SetOwner(owner);
  // Taken once: a later attachment would find the bar already cut.
  if (fullWidth_ >= 0) return;
  if (WidgetRef image = FindWidget("image_time")) {
    fullWidth_ = image->GetWidth();
  }
}

void TKestrelleControlTimer::SetLevelTime(int64_t ms) {
  levelTime_ = ms;
  blink_ = false;
  if (WidgetRef blink = FindWidget("image_time_blink")) blink->Show(false);
}

void TKestrelleControlTimer::SetBlink(bool blink) {
  if (blink == blink_) return;
  blink_ = blink;
  WidgetRef image = FindWidget("image_time_blink");
  if (!image) return;
  image->Show(blink);
  if (blink) image->Restart();
}

void TKestrelleControlTimer::SetCurrentTime(int64_t ms) {
  currentTime_ = ms;
  if (fullWidth_ < 0 || levelTime_ < 1 || ms < 1) {
    TimeUp();
    return;
  }
  WidgetRef image = FindWidget("image_time");
  if (!image) return;
  const int64_t width = int64_t{fullWidth_} * ms / levelTime_;
  if (width != image->GetWidth() && width <= fullWidth_) image->SetProperty("width", Variant(width));
}

void TKestrelleControlTimer::TimeUp() {
  WidgetOwnerRef owner = GetOwner();
  if (!owner) return;
  if (WindowRef window = owner->GetWindow()) {
    if (WidgetRef hide = window->FindWidget("timer_hide")) hide->Restart();
  }
  if (EventHandlerRef handler = owner->GetEventHandler())
    handler->HandleWidgetEvent(Self(), level_codes::kShowExpertTimeHint, nullptr);
}

}  // namespace kestrelle
