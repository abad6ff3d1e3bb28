#pragma once
// RIFF WAVE files of integer PCM: 8-bit (unsigned) or 16-bit (signed), mono or stereo, any rate.

#include <optional>
#include <string>
#include <string_view>

#include "media/audio_stream.h"

namespace kestrelle {

bool LooksLikeWav(std::string_view bytes);

struct DecodedWav {
  PcmData pcm;  // 16-bit, the file's channel count
  int sampleRate = 0;
};

// Nothing when the file is not one we can play; `error` then says why. A data chunk that claims
// more bytes than the file holds is cut to what is there.
std::optional<DecodedWav> DecodeWav(std::string_view bytes, std::string* error);

}  // namespace kestrelle
