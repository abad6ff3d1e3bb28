#pragma once
// Writes 16-bit PCM as a RIFF WAVE file in memory (rendered audio for inspection, test sounds).

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrelle {

std::string EncodeWav16(const std::int16_t* interleaved, std::size_t frames, int channels, int sampleRate);

}  // namespace kestrelle
