#include "widgets/sound_widget.h"

namespace kestrelle {
const TPropertyTable& TSoundWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TAbstractWidget::GetPropertyTable(),
      {
          Property("resourcename", &TSoundWidget::soundName_).Quiet(),
          Property("loop", &TSoundWidget::loop_).SavedIfNotDefault().Quiet(),
          Property("startdelaytime", &TSoundWidget::startDelayTime_).SavedIfNotDefault().Quiet(),
          Property("cycledelaytime", &TSoundWidget::cycleDelayTime_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TSoundWidget::Initialize() {
  TAbstractWidget::Initialize();
  active_ = true;
  state_ = kStartDelay;
  handle_ = 0;
}

void TSoundWidget::LoadProperties(const StorageRef& storage) {
  TAbstractWidget::LoadProperties(storage);
  active_ = !paused_;
}

void TSoundWidget::StartSound(int64_t& time) {
  handle_ = PlaySound(soundName_, false, 0, 0);
  if (handle_ != 0) {
    state_ = kPlaying;
  } else {
    state_ = kStartDelay;
    time = int64_t{startDelayTime_} - kRetryMs;
  }
}

void TSoundWidget::DoUpdate(int32_t elapsedMs) {
  TAbstractWidget::DoUpdate(elapsedMs);
  if (!active_) return;
  int64_t time = currentTime_;
  // A delay that ends starts the sound and runs once more with no time elapsed; the playing
  // state never runs again by itself, so this ends.
  for (bool again = true; again;) {
    again = false;
    const int32_t state = state_;
    if (state == kStartDelay || state == kCycleDelay) {
      const int64_t delay = state == kStartDelay ? startDelayTime_ : cycleDelayTime_;
      if (time < delay) break;
      StartSound(time);
      if (state_ == kPlaying && delay != 0) time %= delay;
      again = time != 0 && state_ == kPlaying;
    } else if (state == kPlaying) {
      EngineRef engine = OwnerEngine();
      if (engine && engine->IsChannelActive(handle_)) break;
      if (loop_) {
        state_ = kCycleDelay;
        time = 0;
      } else {
        active_ = false;
        state_ = kStopped;
      }
    }
  }
  currentTime_ = static_cast<int32_t>(time);
}

void TSoundWidget::Pause() {
  TAbstractWidget::Pause();
  StopSound(soundName_);
  state_ = kStopped;
}

void TSoundWidget::Restart() {
  active_ = true;
  state_ = kStartDelay;
  TAbstractWidget::Restart();
}

}  // namespace kestrelle
