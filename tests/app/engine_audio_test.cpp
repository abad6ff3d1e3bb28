// The engine's music stack, ducking and effect volumes, on a headless device.

#include "app/engine_audio.h"

#include <gtest/gtest.h>

#include "media/audio_test_sounds.h"
#include "platform/headless_devices.h"

namespace kestrelle {
namespace {

int Frames(int ms) { return ms * kMixRate / 1000; }

class EngineAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device_ = std::make_shared<HeadlessAudio>();
    ASSERT_TRUE(audio_.Start(device_, true));
    EXPECT_FALSE(device_->Paused());
  }
  AudioHandle Music(double hz) {
    AudioHandle sample = 0;
    const AudioHandle channel = audio_.GetMixer().GetSampleChannel(
        sample = audio_.LoadSampleData(test::SineWav16(hz, kMixRate, kMixRate, {0.5}), "music", 1, true));
    EXPECT_NE(sample, 0u);
    return channel;
  }
  // An effect of `ms` milliseconds.
  AudioHandle Effect(int ms, int maxPlaybacks = 4) {
    return audio_.LoadSampleData(test::SineWav16(880, Frames(ms), kMixRate, {0.5}), "effect", maxPlaybacks, false);
  }
  // Renders in 10 ms frames with the engine's bookkeeping before each, as the main loop does.
  void Run(int ms) {
    for (int t = 0; t < ms; t += 10) {
      audio_.Service();
      audio_.GetMixer().Render(Frames(10));
    }
  }
  int Volume(AudioHandle h) { return audio_.GetMixer().GetVolume(h); }
  ChannelState State(AudioHandle h) { return audio_.GetMixer().IsActive(h); }

  std::shared_ptr<HeadlessAudio> device_;
  EngineAudio audio_;
};

TEST_F(EngineAudioTest, MusicStackCrossfadesAndTheMusicBelowResumes) {
  audio_.SetMusicVolume(80);
  const AudioHandle first = Music(330), second = Music(550);
  audio_.PlayMusic(first);
  Run(2000);
  EXPECT_EQ(Volume(first), 80);

  audio_.PlayMusic(second);
  Run(1000);
  EXPECT_EQ(Volume(first), 40);
  EXPECT_EQ(Volume(second), 40);
  Run(1000);
  EXPECT_EQ(State(first), ChannelState::Stopped);
  EXPECT_EQ(Volume(second), 80);
  EXPECT_EQ(audio_.GetMusicStack(), (std::vector<AudioHandle>{first, second}));

  // Only the top stops; the first comes back from silence to the music volume, resuming.
  audio_.StopMusic(first);
  EXPECT_EQ(State(second), ChannelState::Playing);
  audio_.StopMusic(second);
  EXPECT_EQ(State(first), ChannelState::Playing);
  EXPECT_EQ(Volume(first), 0);
  Run(2000);
  EXPECT_EQ(Volume(first), 80);
  EXPECT_EQ(State(second), ChannelState::Stopped);
  EXPECT_EQ(audio_.GetMusicStack(), std::vector<AudioHandle>{first});

  // The same music twice restarts it and stacks it twice; its own fade-out does not stop it.
  audio_.PlayMusic(first);
  Run(2500);
  EXPECT_EQ(State(first), ChannelState::Playing);
  EXPECT_EQ(Volume(first), 80);
  EXPECT_EQ(audio_.GetMusicStack().size(), 2u);

  // The top music follows the music volume at once.
  audio_.SetMusicVolume(30);
  EXPECT_EQ(Volume(first), 30);
}

TEST_F(EngineAudioTest, MutingEffectsDuckTheMusicUntilTheLastHasFinished) {
  audio_.SetMusicVolume(80);
  const AudioHandle music = Music(330);
  audio_.PlayMusic(music);
  Run(2000);
  const AudioHandle shortSound = Effect(200), longSound = Effect(500);
  audio_.PlaySound(shortSound, 100, -1, -101, true);
  Run(100);
  EXPECT_EQ(Volume(music), 0);
  audio_.PlaySound(longSound, 100, -1, -101, true);
  audio_.PlaySound(Effect(50), 100, -1, -101, false);  // does not mute: no part in this
  Run(300);
  EXPECT_EQ(Volume(music), 0);  // the short one is over, the long one plays on
  EXPECT_EQ(audio_.GetDuckingList().size(), 1u);
  Run(300);
  EXPECT_TRUE(audio_.GetDuckingList().empty());
  Run(100);
  EXPECT_EQ(Volume(music), 80);

  // Stopping the sound brings the music back without waiting for a frame.
  audio_.PlaySound(longSound, 100, -1, -101, true);
  Run(100);
  audio_.StopSound(longSound);
  EXPECT_TRUE(audio_.GetDuckingList().empty());
  Run(100);
  EXPECT_EQ(Volume(music), 80);
}

TEST_F(EngineAudioTest, EffectVolumeScalesMasterAndSoundVolume) {
  struct Case {
    int soundVolume, masterVolume, volume, pan;
    int expectVolume, expectPan;
  };
  const Case cases[] = {
      {70, 80, 50, 0, 28, 0},       // 50 x 80 div 100 x 70 div 100
      {70, 80, 0, -30, 56, -30},    // no own volume: the master volume
      {150, 80, 50, 100, 40, 100},  // a sound volume of 150 acts as 100
      {100, 80, -1, -101, 80, 0},   // pan kept: a new channel is centred
      {-5, 80, 50, 0, 0, 0},
  };
  const AudioHandle sample = Effect(1000);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.soundVolume << " " << c.masterVolume << " " << c.volume);
    audio_.SetSoundVolume(c.soundVolume);
    const AudioHandle channel = audio_.PlaySound(sample, c.masterVolume, c.volume, c.pan, false);
    ASSERT_NE(channel, 0u);
    EXPECT_EQ(Volume(channel), c.expectVolume);
    EXPECT_EQ(audio_.GetMixer().GetPan(channel), c.expectPan);
    EXPECT_EQ(State(channel), ChannelState::Playing);
  }
}

TEST(EngineAudio, WithoutADeviceEverythingIsSilentAndHarmless) {
  auto device = std::make_shared<HeadlessAudio>();
  device->FailOpen(true);
  EngineAudio audio;
  EXPECT_FALSE(audio.Start(device, true));
  EXPECT_FALSE(audio.IsLoaded());
  EXPECT_EQ(audio.LoadSampleData(test::SineWav16(440, 441, kMixRate, {0.5}), "x", 1, false), 0u);
  EXPECT_EQ(audio.LoadMusicData(test::TinyMod(), "x"), 0u);
  EXPECT_EQ(audio.LoadMusic("data\\music\\missing.mo3"), 0u);
  audio.PlayMusic(12345);
  EXPECT_TRUE(audio.GetMusicStack().empty());
  EXPECT_EQ(audio.PlaySound(12345, 100, 100, 0, true), 0u);
  audio.StopMusic(12345);
  audio.Service();
  audio.SetFocused(false);
}

}  // namespace
}  // namespace kestrelle
