// The mixer, checked on what it renders: levels over 10 ms windows, sample-to-sample steps during
// slides, pan, playback limits, stale handles and global pause.

#include "media/audio_mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "audio_test_sounds.h"
#include "media/audio_wav_writer.h"

namespace kestrelle {
namespace {

using test::RmsWindows;

constexpr int kWindow = 441;  // 10 ms
constexpr double kSineRms = 0.70710678;

int Frames(int ms) { return ms * kMixRate / 1000; }

std::vector<std::int16_t> Channel(const std::vector<std::int16_t>& stereo, int channel) {
  std::vector<std::int16_t> out(stereo.size() / 2);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = stereo[2 * i + channel];
  return out;
}

int MaxStep(const std::vector<std::int16_t>& samples) {
  int step = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) step = std::max(step, std::abs(samples[i] - samples[i - 1]));
  return step;
}

// A looping sound of one constant value: every change of gain shows sample by sample.
AudioHandle ConstantChannel(Mixer& mixer, std::int16_t value, int maxPlaybacks = 1, AudioHandle* sampleOut = nullptr) {
  const AudioHandle sample = mixer.LoadSample(test::ConstantWav16(value, 4410), maxPlaybacks, true, "constant");
  if (sampleOut) *sampleOut = sample;
  return mixer.GetSampleChannel(sample);
}

// Two musics in the way the music stack uses them: the first fades out and stops over 2 s while
// the second fades in; then back, and the first resumes where it stopped. The first is panned
// left and the second right so that each one's level can be measured on its own side.
TEST(AudioMixer, CrossfadeBetweenTwoMusicsAndBackResumesTheFirst) {
  const int seconds = 8;
  const auto firstPcm = test::SineFrames(330.7, seconds * kMixRate, kMixRate, {0.5});
  const std::string firstWav = EncodeWav16(firstPcm.data(), firstPcm.size(), 1, kMixRate);
  Mixer mixer;
  const AudioHandle first = mixer.GetSampleChannel(mixer.LoadSample(firstWav, 1, true, "first"));
  const AudioHandle second =
      mixer.GetSampleChannel(mixer.LoadSample(test::SineWav16(551.3, kMixRate, kMixRate, {0.5}), 1, true, "second"));
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  std::vector<std::int16_t> recording;
  auto run = [&](int ms) {
    const auto part = mixer.Render(Frames(ms));
    recording.insert(recording.end(), part.begin(), part.end());
    return part;
  };
  // Level of a linear fade at the middle of each 10 ms window, `rising` or falling.
  auto expectFade = [](const std::vector<std::int16_t>& part, int channel, bool rising) {
    const auto levels = RmsWindows(part, channel, kWindow);
    ASSERT_EQ(levels.size(), 200u);
    for (std::size_t k = 0; k < levels.size(); ++k) {
      const double t = (k + 0.5) / levels.size();
      EXPECT_NEAR(levels[k], 0.5 * kSineRms * (rising ? t : 1 - t), 0.012) << "window " << k;
    }
  };

  mixer.SetAttributes(first, 100, -100);
  mixer.Play(first, true);
  run(1000);

  mixer.Slide(first, kFadeOutAndStop, kKeepPan, 2000);
  mixer.SetAttributes(second, 0, 100);
  mixer.Slide(second, 100, kKeepPan, 2000);
  mixer.Play(second, true);
  const auto over = run(2000);
  expectFade(over, 0, false);
  expectFade(over, 1, true);
  EXPECT_EQ(mixer.IsActive(first), ChannelState::Stopped);
  EXPECT_EQ(mixer.IsActive(second), ChannelState::Playing);

  const auto alone = run(500);
  EXPECT_LT(test::Rms(alone, 0), 0.001);
  EXPECT_NEAR(test::Rms(alone, 1), 0.5 * kSineRms, 0.01);

  mixer.Slide(second, kFadeOutAndStop, kKeepPan, 2000);
  mixer.SetAttributes(first, 0, kKeepPan);
  mixer.Slide(first, 100, kKeepPan, 2000);
  mixer.Play(first, false);
  const auto back = run(2000);
  expectFade(back, 0, true);
  expectFade(back, 1, false);
  EXPECT_EQ(mixer.IsActive(second), ChannelState::Stopped);

  // The first played 1 s, faded out over 2 s, and has played 2 s since it resumed: it is 5 s in,
  // sample for sample (at volume 100 and hard left it passes through unchanged).
  const auto after = run(100);
  const auto left = Channel(after, 0);
  const std::vector<std::int16_t> expected(firstPcm.begin() + 5 * kMixRate,
                                           firstPcm.begin() + 5 * kMixRate + Frames(100));
  EXPECT_EQ(left, expected);
  EXPECT_EQ(MaxStep(Channel(after, 1)), 0);

  // Kept for listening: build/test-output/audio_crossfade.wav.
  const auto folder = std::filesystem::path(KESTRELLE_BINARY_DIR) / "test-output";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "audio_crossfade.wav", std::ios::binary)
      << EncodeWav16(recording.data(), recording.size() / 2, 2, kMixRate);
}

// Slides move the gain every sample: on a constant input no two neighbouring output samples
// differ by more than one sample's share of the whole change (a per-block ramp would step by
// hundreds).
TEST(AudioMixer, SlidesRampEverySample) {
  struct Case {
    const char* name;
    int volume, pan;         // before the slide
    int toVolume, toPan;     // the slide, over 100 ms
    int leftFrom, leftTo;    // expected left output
    int rightFrom, rightTo;  // expected right output
    bool linear;             // a pan crossing the centre turns one side, then the other
    bool stops;
  };
  const Case cases[] = {
      {"fade out and stop", 100, 0, kFadeOutAndStop, kKeepPan, 16384, 0, 16384, 0, true, true},
      {"fade in", 0, 0, 100, kKeepPan, 0, 16384, 0, 16384, true, false},
      {"down to 30", 100, 0, 30, kKeepPan, 16384, 4915, 16384, 4915, true, false},
      {"pan to the right", 100, 0, kKeepVolume, 100, 16384, 0, 16384, 16384, true, false},
      {"pan across", 100, -100, kKeepVolume, 100, 16384, 0, 0, 16384, false, false},
      {"volume and pan", 100, 0, 50, -100, 16384, 8192, 16384, 0, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Mixer mixer;
    const AudioHandle channel = ConstantChannel(mixer, 16384);
    mixer.SetAttributes(channel, c.volume, c.pan);
    mixer.Play(channel, true);
    mixer.Slide(channel, c.toVolume, c.toPan, 100);
    EXPECT_TRUE(mixer.IsSliding(channel));
    const auto out = mixer.Render(Frames(150));
    const int end = Frames(100);
    for (int side = 0; side < 2; ++side) {
      const auto samples = Channel(out, side);
      const int from = side == 0 ? c.leftFrom : c.rightFrom;
      const int to = side == 0 ? c.leftTo : c.rightTo;
      // One sample's share of the change (twice that where the change takes half the time).
      const int perSample = std::abs(to - from) * (c.linear ? 1 : 2) / end + 2;
      EXPECT_LE(MaxStep(samples), perSample) << "side " << side;
      EXPECT_NEAR(samples[0], from, perSample);
      if (c.linear) {
        EXPECT_NEAR(samples[end / 2 - 1], (from + to) / 2, perSample);
      }
      EXPECT_NEAR(samples[end - 1], to, 1);
      for (int i = end; i < static_cast<int>(samples.size()); ++i) {
        ASSERT_EQ(samples[i], to) << "side " << side << " frame " << i;
      }
    }
    EXPECT_FALSE(mixer.IsSliding(channel));
    EXPECT_EQ(mixer.IsActive(channel), c.stops ? ChannelState::Stopped : ChannelState::Playing);
  }
}

TEST(AudioMixer, NewSlideOrSettingTakesOverFromTheCurrentLevel) {
  Mixer mixer;
  const AudioHandle channel = ConstantChannel(mixer, 16384);
  mixer.Play(channel, true);
  mixer.Slide(channel, kFadeOutAndStop, kKeepPan, 1000);
  auto out = Channel(mixer.Render(Frames(500)), 0);
  EXPECT_NEAR(out.back(), 8192, 4);
  EXPECT_EQ(mixer.GetVolume(channel), 50);
  // Back up over 200 ms from where the fade had got to; the stop is forgotten.
  mixer.Slide(channel, 100, kKeepPan, 200);
  auto more = Channel(mixer.Render(Frames(1500)), 0);
  EXPECT_LE(std::abs(more.front() - out.back()), 5);
  EXPECT_LE(MaxStep(more), 5);
  EXPECT_EQ(more[Frames(200)], 16384);
  EXPECT_EQ(mixer.IsActive(channel), ChannelState::Playing);

  // Setting the volume cancels a running fade, and its stop.
  mixer.Slide(channel, kFadeOutAndStop, kKeepPan, 1000);
  mixer.Render(Frames(100));
  mixer.SetAttributes(channel, 80, kKeepPan);
  const auto held = Channel(mixer.Render(Frames(1500)), 0);
  EXPECT_TRUE(std::all_of(held.begin(), held.end(), [](std::int16_t v) { return v == 13107; }));
  EXPECT_EQ(mixer.IsActive(channel), ChannelState::Playing);

  // A slide of no time applies at once; a fade-out of no time stops at once.
  mixer.Slide(channel, 25, kKeepPan, 0);
  EXPECT_EQ(Channel(mixer.Render(1), 0)[0], 4096);
  mixer.Slide(channel, kFadeOutAndStop, kKeepPan, 0);
  EXPECT_EQ(mixer.IsActive(channel), ChannelState::Stopped);
}

TEST(AudioMixer, VolumePanMasterAndClipping) {
  struct Case {
    int volume, pan;
    int left, right;
  };
  const Case cases[] = {
      {100, -100, 16384, 0}, {100, -50, 16384, 8192}, {100, 0, 16384, 16384}, {100, 50, 8192, 16384},
      {100, 100, 0, 16384},  {50, 0, 8192, 8192},     {150, 150, 0, 16384},   {0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "volume " << c.volume << " pan " << c.pan);
    Mixer mixer;
    const AudioHandle channel = ConstantChannel(mixer, 16384);
    mixer.SetAttributes(channel, c.volume, c.pan);
    mixer.Play(channel, true);
    const auto out = mixer.Render(4);
    EXPECT_EQ(out[0], c.left);
    EXPECT_EQ(out[1], c.right);
  }

  Mixer mixer;
  const AudioHandle channel = ConstantChannel(mixer, 16384);
  mixer.SetAttributes(channel, 100, 50);
  mixer.SetAttributes(channel, 100, kKeepPan);
  mixer.SetAttributes(channel, kKeepVolume, kKeepPan);
  EXPECT_EQ(mixer.GetPan(channel), 50);
  EXPECT_EQ(mixer.GetVolume(channel), 100);

  // Two loud voices clip at full scale instead of wrapping round; the master volume scales all.
  const AudioHandle loud = ConstantChannel(mixer, 24576);
  const AudioHandle loud2 = ConstantChannel(mixer, 24576);
  mixer.Play(loud, true);
  mixer.Play(loud2, true);
  auto out = mixer.Render(2);
  EXPECT_EQ(out[0], 32767);
  mixer.SetMasterVolume(25);
  out = mixer.Render(2);
  EXPECT_EQ(out[0], 12288);
  mixer.SetMasterVolume(150);
  EXPECT_EQ(mixer.GetMasterVolume(), 100);
}

TEST(AudioMixer, SampleKeepsToItsMaximumOfPlaybacks) {
  Mixer mixer;
  AudioHandle sample = 0;
  const AudioHandle c1 = ConstantChannel(mixer, 8000, 2, &sample);
  const AudioHandle c2 = mixer.GetSampleChannel(sample);
  mixer.Play(c1, true);
  mixer.Play(c2, true);
  // A third playback takes over the one handed out first.
  const AudioHandle c3 = mixer.GetSampleChannel(sample);
  ASSERT_NE(c3, 0u);
  EXPECT_NE(c3, c1);
  mixer.Play(c3, true);
  EXPECT_EQ(mixer.Render(1)[0], 16000);
  EXPECT_EQ(mixer.IsActive(c1), ChannelState::Stopped);
  EXPECT_FALSE(mixer.Play(c1, true));
  EXPECT_EQ(mixer.IsActive(c2), ChannelState::Playing);
  EXPECT_EQ(mixer.IsActive(c3), ChannelState::Playing);

  // A stopped channel is taken before a playing one.
  mixer.Stop(c2);
  const AudioHandle c4 = mixer.GetSampleChannel(sample);
  mixer.Play(c4, true);
  EXPECT_EQ(mixer.IsActive(c3), ChannelState::Playing);
  EXPECT_EQ(mixer.IsActive(c2), ChannelState::Stopped);
  EXPECT_EQ(mixer.Render(1)[0], 16000);

  // Every playback of a sample stops together.
  EXPECT_TRUE(mixer.StopSample(sample));
  EXPECT_EQ(mixer.Render(1)[0], 0);

  // A maximum below one is one.
  AudioHandle single = 0;
  const AudioHandle s1 = ConstantChannel(mixer, 1000, 0, &single);
  mixer.Play(s1, true);
  mixer.Play(mixer.GetSampleChannel(single), true);
  EXPECT_EQ(mixer.Render(1)[0], 1000);
}

TEST(AudioMixer, StaleAndForeignHandlesAreHarmless) {
  Mixer mixer;
  const AudioHandle keeper = ConstantChannel(mixer, 1000);
  mixer.Play(keeper, true);

  AudioHandle freedSample = 0;
  const AudioHandle freedChannel = ConstantChannel(mixer, 2000, 1, &freedSample);
  const AudioHandle freedMusic = mixer.LoadMusic(test::TinyMod(), "tiny.mod");
  ASSERT_NE(freedMusic, 0u);
  mixer.Play(freedChannel, true);
  mixer.FreeSample(freedSample);
  mixer.FreeMusic(freedMusic);
  // New data takes the freed places; the old handles must not reach it.
  AudioHandle newSample = 0;
  const AudioHandle newChannel = ConstantChannel(mixer, 4000, 1, &newSample);
  ASSERT_NE(newChannel, 0u);
  EXPECT_NE(newChannel, freedChannel);
  EXPECT_NE(newSample, freedSample);

  for (const AudioHandle h : {AudioHandle{0}, freedChannel, freedMusic, freedSample, newSample, AudioHandle{0xFFFFFFFF},
                              AudioHandle{0x7FFFFFFF}, AudioHandle{12345}}) {
    SCOPED_TRACE(h);
    EXPECT_FALSE(mixer.Play(h, true));
    EXPECT_FALSE(mixer.Pause(h));
    EXPECT_FALSE(mixer.Stop(h));
    EXPECT_FALSE(mixer.SetAttributes(h, 100, 0));
    EXPECT_FALSE(mixer.Slide(h, kFadeOutAndStop, 0, 100));
    EXPECT_FALSE(mixer.IsSliding(h));
    EXPECT_EQ(mixer.IsActive(h), ChannelState::Stopped);
    EXPECT_EQ(mixer.GetVolume(h), -1);
    mixer.FreeMusic(h);
    if (h != newSample) {
      EXPECT_EQ(mixer.GetSampleChannel(h), 0u);
      EXPECT_FALSE(mixer.StopSample(h));
      mixer.FreeSample(h);
    }
  }
  for (const AudioHandle h : {keeper, newChannel}) {
    EXPECT_FALSE(mixer.StopSample(h));
    EXPECT_EQ(mixer.GetSampleChannel(h), 0u);
  }
  EXPECT_EQ(mixer.IsActive(newChannel), ChannelState::Stopped);
  EXPECT_EQ(mixer.IsActive(keeper), ChannelState::Playing);
  EXPECT_EQ(mixer.Render(1)[0], 1000);
}

TEST(AudioMixer, GlobalPauseSilencesAndResumesSeamlessly) {
  const std::string tone = test::SineWav16(330.7, kMixRate, kMixRate, {0.5});
  auto start = [&](Mixer& mixer) {
    const AudioHandle channel = mixer.GetSampleChannel(mixer.LoadSample(tone, 1, true));
    mixer.Play(channel, true);
    mixer.Slide(channel, 20, kKeepPan, 200);
    return channel;
  };
  Mixer paused;
  const AudioHandle channel = start(paused);
  auto heard = paused.Render(Frames(50));
  paused.PauseAll();
  EXPECT_TRUE(paused.IsPausedAll());
  const auto silence = paused.Render(Frames(50));
  EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](std::int16_t v) { return v == 0; }));
  EXPECT_EQ(paused.IsActive(channel), ChannelState::Playing);
  paused.StartAll();
  const auto rest = paused.Render(Frames(50));
  heard.insert(heard.end(), rest.begin(), rest.end());

  Mixer straight;
  start(straight);
  EXPECT_EQ(heard, straight.Render(Frames(100)));

  // A paused channel keeps its place and its slide too.
  Mixer one;
  const AudioHandle c = start(one);
  auto withPause = one.Render(Frames(30));
  one.Pause(c);
  EXPECT_EQ(one.IsActive(c), ChannelState::Paused);
  one.Render(Frames(40));
  one.Play(c, false);
  const auto after = one.Render(Frames(70));
  withPause.insert(withPause.end(), after.begin(), after.end());
  EXPECT_EQ(withPause, heard);
}

// A device stand-in: pulls on request with its lock held, as a device thread would.
struct FakeDevice {
  bool failOpen = false;
  int rate = 0, channels = 0;
  bool open = false;
  int depth = 0, locks = 0;
  bool pulledUnlocked = false;
  std::function<void(std::int16_t*, int)> pull;
  bool Open(int r, int c, std::function<void(std::int16_t*, int)> p) {
    if (failOpen) return false;
    rate = r;
    channels = c;
    pull = std::move(p);
    open = true;
    return true;
  }
  void Close() {
    open = false;
    pull = nullptr;
  }
  void Lock() {
    ++depth;
    ++locks;
  }
  void Unlock() { --depth; }
  std::vector<std::int16_t> Pull(int frames) {
    std::vector<std::int16_t> out(2 * static_cast<std::size_t>(frames));
    Lock();
    pull(out.data(), frames);
    Unlock();
    return out;
  }
};

TEST(AudioMixer, DeviceOutputIsOpenedPulledLockedAndClosed) {
  auto device = std::make_shared<FakeDevice>();
  AudioDeviceOutput<FakeDevice> output(device);
  {
    Mixer mixer;
    ASSERT_TRUE(mixer.ConnectOutput(output));
    EXPECT_EQ(device->rate, 44100);
    EXPECT_EQ(device->channels, 2);
    const int before = device->locks;
    const AudioHandle channel = ConstantChannel(mixer, 3000);
    mixer.Play(channel, true);
    EXPECT_GT(device->locks, before);
    EXPECT_EQ(device->depth, 0);
    EXPECT_EQ(device->Pull(8)[0], 3000);
  }
  EXPECT_FALSE(device->open);

  // No device: the mixer still works, silently, and never touches the device.
  auto absent = std::make_shared<FakeDevice>();
  absent->failOpen = true;
  AudioDeviceOutput<FakeDevice> none(absent);
  Mixer mixer;
  EXPECT_FALSE(mixer.ConnectOutput(none));
  mixer.Play(ConstantChannel(mixer, 3000), true);
  EXPECT_EQ(mixer.Render(1)[0], 3000);
  EXPECT_EQ(absent->locks, 0);
}

}  // namespace
}  // namespace kestrelle
