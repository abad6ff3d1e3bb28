#pragma once
// The output of a run without a sound device: the virtual clock pulls the mixer, elapsed ms x
// 44100 / 1000 frames a step (the remainder carries to the next step, so no frame is lost over
// time). What is pulled can be kept for inspection.

#include <cstdint>
#include <vector>

#include "media/audio_output.h"

namespace kestrelle {

class HeadlessAudioOutput final : public IAudioOutput {
 public:
  bool Open(int sampleRate, PullFunction pull) override;
  void Close() override;
  void Lock() override {}
  void Unlock() override {}

  // Pulls the frames of `elapsedMs` of playing time.
  void Advance(std::uint32_t elapsedMs);
  // While on, everything pulled is appended to Captured() (interleaved stereo).
  void SetCapture(bool on) { capture_ = on; }
  const std::vector<std::int16_t>& Captured() const { return captured_; }
  std::uint64_t FramesPulled() const { return framesPulled_; }

 private:
  PullFunction pull_;
  int rate_ = 0;
  std::uint64_t remainder_ = 0;
  std::uint64_t framesPulled_ = 0;
  bool capture_ = false;
  std::vector<std::int16_t> captured_;
  std::vector<std::int16_t> buffer_;
};

}  // namespace kestrelle
