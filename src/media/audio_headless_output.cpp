#include "media/audio_headless_output.h"

#include <algorithm>

namespace kestrelle {

bool HeadlessAudioOutput::Open(int sampleRate, PullFunction pull) {
  if (sampleRate <= 0 || !pull) return false;
  rate_ = sampleRate;
  pull_ = std::move(pull);
  remainder_ = 0;
  return true;
}

void HeadlessAudioOutput::Close() { pull_ = nullptr; }

void HeadlessAudioOutput::Advance(std::uint32_t elapsedMs) {
  if (!pull_) return;
  const std::uint64_t scaled = std::uint64_t{elapsedMs} * static_cast<std::uint64_t>(rate_) + remainder_;
  std::uint64_t frames = scaled / 1000;
  remainder_ = scaled % 1000;
  constexpr std::uint64_t kChunk = 4096;
  while (frames > 0) {
    const auto n = static_cast<int>(std::min(frames, kChunk));
    buffer_.resize(2 * static_cast<std::size_t>(n));
    pull_(buffer_.data(), n);
    if (capture_) captured_.insert(captured_.end(), buffer_.begin(), buffer_.end());
    framesPulled_ += static_cast<std::uint64_t>(n);
    frames -= static_cast<std::uint64_t>(n);
  }
}

}  // namespace kestrelle
