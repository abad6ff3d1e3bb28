#include "media/audio_resample.h"

#include <algorithm>
#include <cstdint>

namespace kestrelle {

PcmData ResampleLinear(const PcmData& in, int inRate, int outRate) {
  PcmData out;
  out.channels = in.channels;
  const std::size_t inFrames = in.Frames();
  if (inFrames == 0 || inRate <= 0 || outRate <= 0 || in.channels <= 0) return out;
  if (inRate == outRate) return in;
  const auto channels = static_cast<std::size_t>(in.channels);
  const std::uint64_t outFrames = (static_cast<std::uint64_t>(inFrames) * outRate + inRate - 1) / inRate;
  out.samples.resize(outFrames * channels);
  for (std::uint64_t i = 0; i < outFrames; ++i) {
    const std::uint64_t t = i * static_cast<std::uint64_t>(inRate);
    const std::size_t index = static_cast<std::size_t>(t / outRate);
    const auto frac = static_cast<std::int64_t>(t % outRate);
    const std::size_t next = std::min(index + 1, inFrames - 1);
    for (std::size_t c = 0; c < channels; ++c) {
      const std::int64_t a = in.samples[index * channels + c];
      const std::int64_t b = in.samples[next * channels + c];
      // Rounded to nearest; the numerator's sign decides the direction of the bias.
      const std::int64_t num = (b - a) * frac;
      const std::int64_t step = num >= 0 ? (num + outRate / 2) / outRate : -((-num + outRate / 2) / outRate);
      out.samples[i * channels + c] = static_cast<std::int16_t>(a + step);
    }
  }
  return out;
}

namespace {

class ResamplingStream final : public AudioStream {
 public:
  ResamplingStream(std::unique_ptr<AudioStream> inner, int inRate, int outRate)
      : inner_(std::move(inner)), inRate_(inRate), outRate_(outRate), buffer_(kChunk * 2) {}

  int Read(float* stereo, int frames) override {
    if (!primed_) {
      primed_ = true;
      if (!NextFrame(a_)) ended_ = true;
      hasB_ = !ended_ && NextFrame(b_);
    }
    int written = 0;
    while (written < frames && !ended_) {
      const float t = hasB_ ? static_cast<float>(frac_) / static_cast<float>(outRate_) : 0.0f;
      stereo[2 * written] = a_[0] + (b_[0] - a_[0]) * t;
      stereo[2 * written + 1] = a_[1] + (b_[1] - a_[1]) * t;
      ++written;
      frac_ += inRate_;
      while (frac_ >= outRate_) {
        frac_ -= outRate_;
        if (!hasB_) {
          ended_ = true;
          break;
        }
        a_[0] = b_[0];
        a_[1] = b_[1];
        hasB_ = NextFrame(b_);
      }
    }
    return written;
  }

  bool Rewind() override {
    primed_ = false;
    ended_ = false;
    innerEnded_ = false;
    hasB_ = false;
    frac_ = 0;
    bufferFrames_ = bufferPos_ = 0;
    return inner_->Rewind();
  }

 private:
  static constexpr int kChunk = 1024;

  bool NextFrame(float* frame) {
    if (bufferPos_ == bufferFrames_) {
      if (innerEnded_) return false;
      bufferFrames_ = std::max(0, inner_->Read(buffer_.data(), kChunk));
      bufferPos_ = 0;
      if (bufferFrames_ < kChunk) innerEnded_ = true;
      if (bufferFrames_ == 0) return false;
    }
    frame[0] = buffer_[2 * bufferPos_];
    frame[1] = buffer_[2 * bufferPos_ + 1];
    ++bufferPos_;
    return true;
  }

  std::unique_ptr<AudioStream> inner_;
  std::int64_t inRate_;
  std::int64_t outRate_;
  std::vector<float> buffer_;
  int bufferFrames_ = 0;
  int bufferPos_ = 0;
  bool innerEnded_ = false;
  bool primed_ = false;
  bool ended_ = false;
  bool hasB_ = false;
  float a_[2] = {0, 0};
  float b_[2] = {0, 0};
  std::int64_t frac_ = 0;
};

}  // namespace

std::unique_ptr<AudioStream> MakeResamplingStream(std::unique_ptr<AudioStream> inner, int inRate, int outRate) {
  if (!inner || inRate <= 0 || outRate <= 0 || inRate == outRate) return inner;
  return std::make_unique<ResamplingStream>(std::move(inner), inRate, outRate);
}

}  // namespace kestrelle
