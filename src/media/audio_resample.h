#pragma once
// Sample-rate conversion by linear interpolation between neighbouring frames: cheap, adequate
// for effects and music recorded at 22050 or 48000 Hz, no anti-alias filter.

#include <memory>

#include "media/audio_stream.h"

namespace kestrelle {

// Converts in one go; positions are exact ratios, so long samples do not drift.
PcmData ResampleLinear(const PcmData& in, int inRate, int outRate);

// Wraps a stream that produces stereo frames at `inRate` into one at `outRate`.
std::unique_ptr<AudioStream> MakeResamplingStream(std::unique_ptr<AudioStream> inner, int inRate, int outRate);

}  // namespace kestrelle
