#pragma once
// Ogg Vorbis decoded on the fly from bytes held in memory; each playback has its own decoder
// over the shared bytes. Streams at another rate are resampled to the mixing rate.

#include <memory>
#include <string>
#include <string_view>

#include "media/audio_stream.h"

namespace kestrelle {

bool LooksLikeOgg(std::string_view bytes);

// Nothing when the bytes are not a playable Vorbis stream (mono or stereo); `error` says why.
std::unique_ptr<AudioStream> OpenVorbisStream(std::shared_ptr<const std::string> bytes, std::string* error);

}  // namespace kestrelle
