#pragma once
// Test sounds made at run time: WAV bytes, Ogg Vorbis encoded here, a tiny ProTracker module,
// and level measurements over rendered audio.

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "media/audio_wav_writer.h"

namespace kestrelle::test {

// Interleaved 16-bit frames of a sine per channel (amplitudes 0..1; 0 gives silence).
inline std::vector<std::int16_t> SineFrames(double hz, int frames, int rate, std::vector<double> amplitudes) {
  const auto channels = amplitudes.size();
  std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * channels);
  for (int i = 0; i < frames; ++i) {
    const double s = std::sin(2 * std::numbers::pi * hz * i / rate);
    for (std::size_t c = 0; c < channels; ++c) {
      out[i * channels + c] = static_cast<std::int16_t>(std::lrint(s * amplitudes[c] * 32767));
    }
  }
  return out;
}

inline std::string SineWav16(double hz, int frames, int rate, std::vector<double> amplitudes) {
  const auto pcm = SineFrames(hz, frames, rate, amplitudes);
  return EncodeWav16(pcm.data(), static_cast<std::size_t>(frames), static_cast<int>(amplitudes.size()), rate);
}

// A constant level: every sample has the same value (makes gain steps visible sample by sample).
inline std::string ConstantWav16(std::int16_t value, int frames) {
  const std::vector<std::int16_t> pcm(static_cast<std::size_t>(frames), value);
  return EncodeWav16(pcm.data(), pcm.size(), 1, 44100);
}

// The same sine as an 8-bit (unsigned) WAV.
inline std::string SineWav8(double hz, int frames, int rate, std::vector<double> amplitudes) {
  const auto pcm16 = SineFrames(hz, frames, rate, amplitudes);
  std::string wav =
      EncodeWav16(pcm16.data(), static_cast<std::size_t>(frames), static_cast<int>(amplitudes.size()), rate);
  const auto channels = static_cast<std::uint32_t>(amplitudes.size());
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(pcm16.size());
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int b = 0; b < 4; ++b) wav[at + b] = static_cast<char>((v >> (8 * b)) & 0xFF);
  };
  auto put16 = [&](std::size_t at, std::uint32_t v) {
    wav[at] = static_cast<char>(v & 0xFF);
    wav[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  };
  put32(4, 36 + dataBytes);
  put32(28, static_cast<std::uint32_t>(rate) * channels);
  put16(32, channels);
  put16(34, 8);
  put32(40, dataBytes);
  wav.resize(44 + dataBytes);
  for (std::size_t i = 0; i < pcm16.size(); ++i) {
    wav[44 + i] = static_cast<char>(static_cast<std::uint8_t>(std::lrint(pcm16[i] / 256.0) + 128));
  }
  return wav;
}

// Ogg Vorbis of a sine, encoded here with libvorbisenc.
inline std::string SineOgg(double hz, int frames, int rate, int channels, double amplitude) {
  std::string out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.5f) != 0) return out;
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1);
  ogg_page og;
  ogg_packet op;
  auto page = [&] {
    out.append(reinterpret_cast<const char*>(og.header), static_cast<std::size_t>(og.header_len));
    out.append(reinterpret_cast<const char*>(og.body), static_cast<std::size_t>(og.body_len));
  };
  ogg_packet h1, h2, h3;
  vorbis_analysis_headerout(&vd, &vc, &h1, &h2, &h3);
  ogg_stream_packetin(&os, &h1);
  ogg_stream_packetin(&os, &h2);
  ogg_stream_packetin(&os, &h3);
  while (ogg_stream_flush(&os, &og)) page();
  auto drain = [&] {
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &og)) page();
      }
    }
  };
  constexpr int kChunk = 1024;
  for (int start = 0; start < frames; start += kChunk) {
    const int n = std::min(kChunk, frames - start);
    float** buffer = vorbis_analysis_buffer(&vd, n);
    for (int i = 0; i < n; ++i) {
      const auto s = static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * hz * (start + i) / rate));
      for (int c = 0; c < channels; ++c) buffer[c][i] = s;
    }
    vorbis_analysis_wrote(&vd, n);
    drain();
  }
  vorbis_analysis_wrote(&vd, 0);
  drain();
  while (ogg_stream_flush(&os, &og)) page();
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

// A 4-channel ProTracker module: sample 1 is one looping cycle of a sine (32 bytes), played at
// period 428 (8287 Hz, so a 259 Hz tone) on channel 1 from row 0; row 1 jumps back to order 0,
// so the song is two rows long and plays on only when looping.
inline std::string TinyMod() {
  std::string mod(20, '\0');
  mod.replace(0, 4, "test");
  for (int s = 0; s < 31; ++s) {
    std::string header(30, '\0');
    if (s == 0) {
      header[22] = 0;
      header[23] = 16;  // length in words
      header[25] = 64;  // volume
      header[28] = 0;
      header[29] = 16;  // loop length in words
    } else {
      header[29] = 1;
    }
    mod += header;
  }
  mod += static_cast<char>(1);    // song length
  mod += static_cast<char>(127);  // restart byte
  mod += std::string(128, '\0');  // order table: pattern 0
  mod += "M.K.";
  std::string pattern(64 * 4 * 4, '\0');
  const int period = 428;
  pattern[0] = static_cast<char>((1 & 0xF0) | (period >> 8));
  pattern[1] = static_cast<char>(period & 0xFF);
  pattern[2] = static_cast<char>((1 & 0x0F) << 4);
  // Row 1, channel 2: Bxx, position jump to order 0.
  pattern[(1 * 4 + 1) * 4 + 2] = 0x0B;
  mod += pattern;
  for (int i = 0; i < 32; ++i) {
    mod += static_cast<char>(static_cast<std::int8_t>(std::lrint(100 * std::sin(2 * std::numbers::pi * i / 32))));
  }
  return mod;
}

// Root mean square of one channel (0 left, 1 right) of interleaved stereo, per window of frames,
// as a fraction of full scale.
inline std::vector<double> RmsWindows(const std::vector<std::int16_t>& stereo, int channel, int windowFrames) {
  std::vector<double> out;
  const std::size_t frames = stereo.size() / 2;
  for (std::size_t start = 0; start + static_cast<std::size_t>(windowFrames) <= frames; start += windowFrames) {
    double sum = 0;
    for (int i = 0; i < windowFrames; ++i) {
      const double v = stereo[2 * (start + i) + channel] / 32768.0;
      sum += v * v;
    }
    out.push_back(std::sqrt(sum / windowFrames));
  }
  return out;
}

inline double Rms(const std::vector<std::int16_t>& stereo, int channel) {
  return RmsWindows(stereo, channel, static_cast<int>(stereo.size() / 2)).at(0);
}

// Frequency from upward zero crossings of one channel.
inline double ZeroCrossingHz(const std::vector<std::int16_t>& stereo, int channel, int rate = 44100) {
  int first = -1, last = -1, count = 0;
  const int frames = static_cast<int>(stereo.size() / 2);
  for (int i = 1; i < frames; ++i) {
    if (stereo[2 * (i - 1) + channel] < 0 && stereo[2 * i + channel] >= 0) {
      if (first < 0) first = i;
      last = i;
      ++count;
    }
  }
  if (count < 2) return 0;
  return (count - 1) * static_cast<double>(rate) / (last - first);
}

}  // namespace kestrelle::test
