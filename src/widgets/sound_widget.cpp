#include "widgets/sound_widget.h"

#include "data/hier_storage.h"
#include "data/text_encoding.h"
#include "data/variant_values.h"

namespace kestrelle {
namespace {
bool Is(const std::string& name, const char* word) { return EqualsIgnoreAsciiCase(name, word); }
}  // namespace

void TSoundWidget::Initialize() {
  TAbstractWidget::Initialize();
  soundName_.clear();
  loop_ = false;
  startDelayTime_ = cycleDelayTime_ = 0;
  active_ = true;
  state_ = kStartDelay;
  handle_ = 0;
}

void TSoundWidget::LoadProperties(const StorageRef& storage) {
  TAbstractWidget::LoadProperties(storage);
  soundName_ = ReadString(storage, "resourcename", "");
  loop_ = ReadBool(storage, "loop", false);
  startDelayTime_ = static_cast<int32_t>(ReadInt(storage, "startdelaytime", 0));
  cycleDelayTime_ = static_cast<int32_t>(ReadInt(storage, "cycledelaytime", 0));
  active_ = !ReadBool(storage, "paused", false);
}

void TSoundWidget::SaveProperties(const StorageRef& storage) {
  TAbstractWidget::SaveProperties(storage);
  WriteString(storage, "resourcename", soundName_);
  WriteBool(storage, "loop", loop_, loop_);
  WriteInt(storage, "startdelaytime", startDelayTime_, startDelayTime_ != 0);
  WriteInt(storage, "cycledelaytime", cycleDelayTime_, cycleDelayTime_ != 0);
}

Variant TSoundWidget::GetProperty(const std::string& name) {
  if (Is(name, "startdelaytime")) return Variant(startDelayTime_);
  if (Is(name, "cycledelaytime")) return Variant(cycleDelayTime_);
  return TAbstractWidget::GetProperty(name);
}

void TSoundWidget::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  if (Is(name, "startdelaytime")) {
    if (VariantToInt(value, i)) startDelayTime_ = static_cast<int32_t>(i);
  } else if (Is(name, "cycledelaytime")) {
    if (VariantToInt(value, i)) cycleDelayTime_ = static_cast<int32_t>(i);
  } else {
    TAbstractWidget::SetProperty(name, value);
  }
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
