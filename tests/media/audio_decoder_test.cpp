// Decoding through the mixer: what goes in as WAV, Ogg Vorbis or a tracker module comes out of
// Render at the right pitch, level, channel and length; damaged input is refused with a log line.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "audio_test_sounds.h"
#include "data/file_system.h"
#include "media/audio_mixer.h"
#include "media/audio_wav_reader.h"

namespace kestrelle {
namespace {

using test::Rms;
using test::ZeroCrossingHz;

constexpr double kSineRms = 0.70710678;  // RMS of a full-scale sine

struct WavCase {
  const char* name;
  int bits;
  int rate;
  std::vector<double> amplitudes;  // per channel
};

// Pitch survives resampling, level and channel order survive decoding, and a 100 ms sound lasts
// 100 ms at the mixing rate and then stops.
TEST(AudioDecoding, WavFormatsPlayAtTheirPitchLevelAndLength) {
  const WavCase cases[] = {
      {"8-bit mono 44100", 8, 44100, {0.5}},          {"16-bit stereo 44100", 16, 44100, {0.5, 0.25}},
      {"16-bit mono 22050", 16, 22050, {0.8}},        {"8-bit stereo 11025", 8, 11025, {0.25, 0.5}},
      {"16-bit stereo 48000", 16, 48000, {0.5, 0.5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int frames = c.rate / 10;
    const std::string wav = c.bits == 8 ? test::SineWav8(441, frames, c.rate, c.amplitudes)
                                        : test::SineWav16(441, frames, c.rate, c.amplitudes);
    Mixer mixer;
    const AudioHandle sample = mixer.LoadSample(wav, 1, false, c.name);
    ASSERT_NE(sample, 0u);
    const AudioHandle channel = mixer.GetSampleChannel(sample);
    ASSERT_TRUE(mixer.Play(channel, true));
    const auto out = mixer.Render(4410 + 441);
    const std::vector<std::int16_t> sound(out.begin(), out.begin() + 2 * 4410);
    const double left = c.amplitudes.front(), right = c.amplitudes.back();
    EXPECT_NEAR(ZeroCrossingHz(sound, 0), 441, 3);
    EXPECT_NEAR(Rms(sound, 0), left * kSineRms, 0.02);
    EXPECT_NEAR(Rms(sound, 1), right * kSineRms, 0.02);
    // The last few frames of the sound are in, the frames after it are silence.
    int lastLoud = 0;
    for (int i = 0; i < static_cast<int>(out.size() / 2); ++i) {
      if (std::abs(out[2 * i]) > 200) lastLoud = i;
    }
    EXPECT_NEAR(lastLoud, 4410, 12);
    EXPECT_EQ(mixer.IsActive(channel), ChannelState::Stopped);
  }
}

TEST(AudioDecoding, OggVorbisIsDecodedWhilePlayingAndLoopsAsMusic) {
  // One second at 22050 Hz: resampled while playing.
  const std::string ogg = test::SineOgg(441, 22050, 22050, 2, 0.5);
  ASSERT_GT(ogg.size(), 100u);
  Mixer mixer;
  const AudioHandle music = mixer.LoadMusic(ogg, "tone.ogg");
  ASSERT_NE(music, 0u);
  mixer.Play(music, true);
  const auto out = mixer.Render(44100 * 5 / 2);
  // Still sounding well after the one second of the file, at the same pitch and level.
  for (int second = 0; second < 2; ++second) {
    const std::vector<std::int16_t> part(out.begin() + 2 * (second * 44100 + 4410),
                                         out.begin() + 2 * (second * 44100 + 4410 + 35280));
    EXPECT_NEAR(ZeroCrossingHz(part, 0), 441, 3) << second;
    EXPECT_NEAR(Rms(part, 1), 0.5 * kSineRms, 0.03) << second;
  }
  EXPECT_EQ(mixer.IsActive(music), ChannelState::Playing);

  // As a sample it plays once, each channel decoding on its own.
  const AudioHandle sample = mixer.LoadSample(ogg, 2, false, "tone.ogg");
  ASSERT_NE(sample, 0u);
  mixer.FreeMusic(music);
  const AudioHandle a = mixer.GetSampleChannel(sample);
  const AudioHandle b = mixer.GetSampleChannel(sample);
  mixer.Play(a, true);
  mixer.Render(22050);
  mixer.Play(b, true);
  mixer.Render(22050 + 441);
  EXPECT_EQ(mixer.IsActive(a), ChannelState::Stopped);
  EXPECT_EQ(mixer.IsActive(b), ChannelState::Playing);
  mixer.Render(22050);
  EXPECT_EQ(mixer.IsActive(b), ChannelState::Stopped);
}

TEST(AudioDecoding, TrackerModulePlaysItsNoteAndLoops) {
  Mixer mixer;
  const AudioHandle music = mixer.LoadMusic(test::TinyMod(), "tiny.mod");
  ASSERT_NE(music, 0u);
  mixer.Play(music, true);
  // The song is two rows (0.24 s) long; it goes on because music loops.
  const auto out = mixer.Render(44100);
  const std::vector<std::int16_t> late(out.begin() + 2 * 22050, out.end());
  EXPECT_NEAR(ZeroCrossingHz(late, 0), 7093789.2 / (2 * 428) / 32, 4);
  EXPECT_GT(Rms(late, 0), 0.02);
  EXPECT_EQ(mixer.IsActive(music), ChannelState::Playing);
}

std::string ReadFileText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(AudioDecoding, DamagedInputIsRefusedWithALogLine) {
  const std::string wav = test::SineWav16(441, 4410, 44100, {0.5});
  const std::string ogg = test::SineOgg(441, 22050, 44100, 1, 0.5);
  std::string wav24 = wav;
  wav24[34] = 24;
  std::string noData = wav.substr(0, 36);
  std::string badTag = wav;
  badTag[20] = 3;  // floating point
  std::string oggJunk = "OggS" + std::string(200, '\x5a');
  std::string modJunk = test::TinyMod().substr(0, 300);

  struct Case {
    const char* name;
    std::string bytes;
    bool music;
  };
  const Case cases[] = {
      {"empty", "", false},
      {"riff header only", wav.substr(0, 12), false},
      {"no data chunk", noData, false},
      {"24-bit", wav24, false},
      {"float tag", badTag, false},
      {"not audio", "hello, this is text", false},
      {"ogg first page only", ogg.substr(0, 60), false},
      {"ogg junk", oggJunk, false},
      {"module junk", "garbage that is no module at all", true},
      {"module cut short", modJunk, true},
      {"empty music", "", true},
  };
  const auto log = std::filesystem::temp_directory_path() / "kestrelle_audio_decoding.log";
  std::filesystem::remove(log);
  SetLogFile(log.string());
  Mixer mixer;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const AudioHandle h = c.music ? mixer.LoadMusic(c.bytes, c.name) : mixer.LoadSample(c.bytes, 1, false, c.name);
    EXPECT_EQ(h, 0u);
    EXPECT_NE(ReadFileText(log).find(std::string("audio: cannot load ") + (c.music ? "music " : "sample ") + c.name),
              std::string::npos);
  }
  SetLogFile("");
  std::filesystem::remove(log);
}

// Input that decodes but is cut or bent: plays what is there and ends, never crashes.
TEST(AudioDecoding, TruncatedInputPlaysWhatIsThere) {
  std::string wav = test::SineWav16(441, 4410, 44100, {0.5});
  const std::string cutWav = wav.substr(0, 44 + 2000 + 1);  // data chunk claims more; odd byte left
  // Ten seconds, so that the cuts fall well after the headers.
  const std::string ogg = test::SineOgg(441, 441000, 44100, 1, 0.5);
  const std::string cutOgg = ogg.substr(0, ogg.size() * 4 / 5);
  std::string bentOgg = ogg;
  for (std::size_t i = bentOgg.size() * 4 / 5; i < bentOgg.size(); i += 97) {
    bentOgg[i] = static_cast<char>(bentOgg[i] ^ 0x55);
  }

  auto decoded = DecodeWav(cutWav, nullptr);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->pcm.Frames(), 1000u);

  for (const std::string* bytes : {&cutWav, &cutOgg, static_cast<const std::string*>(&bentOgg)}) {
    Mixer mixer;
    const AudioHandle sample = mixer.LoadSample(*bytes, 1, true, "cut");
    ASSERT_NE(sample, 0u);
    const AudioHandle channel = mixer.GetSampleChannel(sample);
    mixer.Play(channel, true);
    const auto out = mixer.Render(44100 * 3);
    EXPECT_GT(Rms(out, 0), 0.05);
  }
}

}  // namespace
}  // namespace kestrelle
