#include "media/audio_wav_reader.h"

#include <cstdint>

namespace kestrelle {

namespace {

std::uint32_t U32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

bool LooksLikeWav(std::string_view bytes) {
  return bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "WAVE";
}

std::optional<DecodedWav> DecodeWav(std::string_view bytes, std::string* error) {
  auto fail = [&](const char* why) -> std::optional<DecodedWav> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (!LooksLikeWav(bytes)) return fail("not a RIFF WAVE file");

  bool haveFormat = false;
  std::uint16_t format = 0, channels = 0, bits = 0;
  std::uint32_t rate = 0;
  std::string_view data;
  bool haveData = false;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::string_view id = bytes.substr(at, 4);
    const std::uint64_t size = U32(bytes, at + 4);
    const std::size_t body = at + 8;
    const std::size_t available = bytes.size() - body;
    if (id == "fmt ") {
      if (size < 16 || available < 16) return fail("format chunk too short");
      format = U16(bytes, body);
      channels = U16(bytes, body + 2);
      rate = U32(bytes, body + 4);
      bits = U16(bytes, body + 14);
      if (format == kFormatExtensible) {
        // The sub-format GUID begins with the real format tag.
        if (size < 40 || available < 40) return fail("extensible format chunk too short");
        format = U16(bytes, body + 24);
      }
      haveFormat = true;
    } else if (id == "data") {
      data = bytes.substr(body, size < available ? static_cast<std::size_t>(size) : available);
      haveData = true;
      if (size > available) break;
    }
    if (size >= available) break;
    at = body + static_cast<std::size_t>(size) + (size & 1);  // chunks are word-aligned
  }
  if (!haveFormat) return fail("no format chunk");
  if (!haveData) return fail("no data chunk");
  if (format != kFormatPcm) return fail("not integer PCM");
  if (channels != 1 && channels != 2) return fail("only mono and stereo are supported");
  if (bits != 8 && bits != 16) return fail("only 8- and 16-bit samples are supported");
  if (rate < 1000 || rate > 384000) return fail("implausible sample rate");

  DecodedWav out;
  out.sampleRate = static_cast<int>(rate);
  out.pcm.channels = channels;
  const std::size_t bytesPerFrame = static_cast<std::size_t>(channels) * (bits / 8);
  const std::size_t frames = data.size() / bytesPerFrame;
  out.pcm.samples.resize(frames * channels);
  if (bits == 8) {
    for (std::size_t i = 0; i < out.pcm.samples.size(); ++i) {
      out.pcm.samples[i] =
          static_cast<std::int16_t>((static_cast<int>(static_cast<unsigned char>(data[i])) - 128) * 256);
    }
  } else {
    for (std::size_t i = 0; i < out.pcm.samples.size(); ++i) {
      out.pcm.samples[i] = static_cast<std::int16_t>(U16(data, 2 * i));
    }
  }
  return out;
}

}  // namespace kestrelle
