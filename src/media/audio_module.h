#pragma once
// Tracker modules (MOD, XM, S3M, IT, MO3 and the rest libopenmpt reads), rendered at the mixing
// rate.

#include <memory>
#include <string>
#include <string_view>

#include "media/audio_stream.h"

namespace kestrelle {

// Nothing when the bytes are not a module; `error` says why. A looping module starts again at its
// restart position when it ends, as its author arranged.
std::unique_ptr<AudioStream> OpenModuleStream(std::string_view bytes, bool loop, std::string* error);

}  // namespace kestrelle
