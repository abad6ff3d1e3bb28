#pragma once
// "sound_widget": plays one of its own sounds after a start delay and, with "loop", again after
// each cycle delay once the previous play has finished. Draws nothing. A sound that cannot be
// started is tried again 200 ms later while the widget is active.

#include <cstdint>
#include <string>

#include "widgets/abstract_widget.h"

namespace kestrelle {

class TSoundWidget : public TAbstractWidget {
 public:
  enum SoundState : int32_t { kStartDelay = 0, kPlaying = 1, kCycleDelay = 2, kStopped = 3 };
  static constexpr int32_t kRetryMs = 200;

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void DoUpdate(int32_t elapsedMs) override;
  // Stops the sound it started; the widget is stopped.
  void Pause() override;
  void Restart() override;

  int32_t GetSoundState() const { return state_; }
  bool IsActive() const { return active_; }
  AudioHandle GetHandle() const { return handle_; }

 private:
  // Plays the sound; on failure the start delay is set up to end 200 ms later.
  void StartSound(int64_t& time);

  std::string soundName_;
  bool loop_ = false;
  int32_t startDelayTime_ = 0;
  int32_t cycleDelayTime_ = 0;
  bool active_ = true;
  int32_t state_ = kStartDelay;
  AudioHandle handle_ = 0;
};

}  // namespace kestrelle
