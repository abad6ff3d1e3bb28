#pragma once
// What the mixer plays: decoded sample data held in memory, or a decoder that produces frames on
// demand (one per playing voice). Both are at the mixing rate.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrelle {

inline constexpr int kMixRate = 44100;

// 16-bit interleaved samples, one or two channels.
struct PcmData {
  int channels = 1;
  std::vector<std::int16_t> samples;
  std::size_t Frames() const { return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};

class AudioStream {
 public:
  virtual ~AudioStream() = default;
  // Writes up to `frames` stereo frames (interleaved, -1..1) and returns how many it wrote; fewer
  // than asked means the end was reached.
  virtual int Read(float* stereo, int frames) = 0;
  // Back to the first frame. False when the stream cannot start again.
  virtual bool Rewind() = 0;
};

}  // namespace kestrelle
