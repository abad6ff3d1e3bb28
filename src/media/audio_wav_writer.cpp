#include "media/audio_wav_writer.h"

namespace kestrelle {

namespace {

void Put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::string EncodeWav16(const std::int16_t* interleaved, std::size_t frames, int channels, int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(frames * static_cast<std::size_t>(channels) * 2);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  Put32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  Put32(out, 16);
  Put16(out, 1);  // integer PCM
  Put16(out, static_cast<std::uint32_t>(channels));
  Put32(out, static_cast<std::uint32_t>(sampleRate));
  Put32(out, static_cast<std::uint32_t>(sampleRate * channels * 2));
  Put16(out, static_cast<std::uint32_t>(channels * 2));
  Put16(out, 16);
  out += "data";
  Put32(out, dataBytes);
  for (std::size_t i = 0; i < frames * static_cast<std::size_t>(channels); ++i) {
    Put16(out, static_cast<std::uint16_t>(interleaved[i]));
  }
  return out;
}

}  // namespace kestrelle
