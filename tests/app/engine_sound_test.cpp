// Sounds and music played by the real engine on the headless devices, checked on the audio the
// mixer rendered: the device below keeps every frame it pulled, so a time since a call is a
// position in the captured output (10 ms frames, 441 stereo frames each).

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "app/sounds.h"
#include "data/hier_storage.h"
#include "data/random.h"
#include "engine_test_support.h"
#include "media/audio_test_sounds.h"
#include "media/reader.h"

namespace kestrelle {
namespace {

// The headless device's pull by the virtual clock, keeping what it pulled. Nothing is pulled
// while paused.
class CapturingAudio : public IAudioDevice {
 public:
  bool Open(int rate, int channels, PullCallback callback) override {
    rate_ = rate;
    channels_ = channels;
    callback_ = std::move(callback);
    open_ = true;
    paused_ = true;
    return true;
  }
  void Close() override {
    open_ = false;
    callback_ = nullptr;
  }
  bool IsOpen() const override { return open_; }
  void SetPaused(bool paused) override { paused_ = paused; }
  void Lock() override {}
  void Unlock() override {}
  void OnClockAdvance(uint32_t ms) {
    if (!open_ || paused_ || !callback_) return;
    const uint64_t scaled = uint64_t(rate_) * ms + remainder_;
    remainder_ = scaled % 1000;
    const auto frames = static_cast<int>(scaled / 1000);
    const size_t at = captured.size();
    captured.resize(at + size_t(frames) * size_t(channels_));
    callback_(captured.data() + at, frames);
  }
  std::vector<int16_t> captured;

 private:
  bool open_ = false;
  bool paused_ = true;
  int rate_ = 0;
  int channels_ = 0;
  uint64_t remainder_ = 0;
  PullCallback callback_;
};

constexpr int kRate = 44100;
constexpr size_t Frames(int ms) { return size_t(ms) * kRate / 1000; }

// Eight seconds of tones changing every second: 400 Hz, 500 Hz ... 1100 Hz, so the frequency
// tells the position. Every tone is a whole number of cycles per second and per 10 ms.
std::string StepsWav() {
  std::vector<int16_t> pcm(Frames(8000));
  for (size_t i = 0; i < pcm.size(); ++i) {
    const double hz = 400 + 100 * double(i / kRate);
    pcm[i] =
        static_cast<int16_t>(std::lrint(0.5 * 32767 * std::sin(2 * std::numbers::pi * hz * double(i % kRate) / kRate)));
  }
  return EncodeWav16(pcm.data(), pcm.size(), 1, kRate);
}
double StepHz(int positionMs) { return 400 + 100 * ((positionMs / 1000) % 8); }

class EngineSoundTest : public enginetest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    std::filesystem::create_directories(appDir / "data" / "sounds");
    Write("steps.wav", StepsWav());
    Write("low.wav", test::SineWav16(300, kRate, kRate, {0.5}));
    Write("beep300.wav", test::SineWav16(1000, int(Frames(300)), kRate, {0.5}));
    Write("beep500.wav", test::SineWav16(1000, int(Frames(500)), kRate, {0.5}));
    Write("high.wav", test::SineWav16(2000, int(Frames(300)), kRate, {0.5}));
    Write("long.wav", test::SineWav16(1000, int(Frames(3000)), kRate, {0.5}));
    Write("other.wav", test::SineWav16(2000, int(Frames(3000)), kRate, {0.5}));
    Write("theme.mod", test::TinyMod());
  }
  void TearDown() override {
    EngineTest::TearDown();
    SetRandomSource(nullptr);
    FreeCachedResourceReader();
  }
  void Write(const std::string& name, const std::string& bytes) {
    WriteFileAtomic((appDir / "data" / "sounds" / name).string(), bytes);
  }

  // Starts the engine with the capturing device and loads the resource elements given.
  void Start(const std::string& resources) {
    devices = MakeHeadlessDevices();
    capture = std::make_shared<CapturingAudio>();
    DeviceSet set = devices.AsSet();
    set.audio = capture;
    std::weak_ptr<CapturingAudio> weak = capture;
    devices.clock->SetAdvanceListener([weak](uint32_t ms) {
      if (auto c = weak.lock()) c->OnClockAdvance(ms);
    });
    SetDeviceFactory([set] { return set; });
    engine = std::dynamic_pointer_cast<TEngine>(CreateObjectFromString(kEngineClassName));
    ASSERT_TRUE(engine && engine->Start(Settings().GameFileName));
    BeginRun();
    engine->LoadResources(LoadStorageFromString("<resources><content>" + resources + "</content></resources>"),
                          "sounds", false);
  }

  static std::string Music(const std::string& name, const std::string& file, const std::string& format) {
    return "<resource type=\"MusicResource\" name=\"" + name + "\" file=\"data\\sounds\\" + file + "\" format=\"" +
           format + "\"/>";
  }
  static std::string Sample(const std::string& name, const std::string& file, const std::string& extra = "") {
    return "<resource type=\"SoundResource\" name=\"" + name + "\" file=\"data\\sounds\\" + file + "\" " + extra + "/>";
  }
  static std::shared_ptr<TMusic> MusicOf(const std::string& resource) {
    auto music = Create<TMusic>();
    music->SetResourceName(resource);
    return music;
  }
  static std::shared_ptr<TSound> SoundOf(const std::string& resource, int volume = -1, int pan = -101,
                                         bool mute = false) {
    auto sound = Create<TSound>();
    sound->SetResourceName(resource);
    sound->SetVolume(volume);
    sound->SetPan(pan);
    sound->SetMuteMusic(mute);
    return sound;
  }

  void Run(int ms) { RunFrames(ms / 10); }
  // Frames captured so far: the position of what plays next.
  size_t Now() const { return capture->captured.size() / 2; }
  // Amplitude of the tone `hz` over `ms` from `from` on one channel (0 left, 1 right), as a
  // fraction of full scale; exact for tones of whole cycles in the window.
  double Tone(size_t from, int ms, double hz, int channel = 0) const {
    const size_t n = Frames(ms);
    EXPECT_LE((from + n) * 2, capture->captured.size());
    std::complex<double> sum;
    for (size_t i = 0; i < n && (from + i) * 2 + 1 < capture->captured.size(); ++i) {
      const double v = capture->captured[(from + i) * 2 + size_t(channel)] / 32768.0;
      sum += v * std::polar(1.0, -2 * std::numbers::pi * hz * double(i) / kRate);
    }
    return 2 * std::abs(sum) / double(n);
  }
  // Root mean square over `ms` from `from` on one channel.
  double Level(size_t from, int ms, int channel = 0) const {
    const std::vector<int16_t> part(capture->captured.begin() + long(from * 2),
                                    capture->captured.begin() + long((from + Frames(ms)) * 2));
    return test::Rms(part, channel);
  }

  std::shared_ptr<CapturingAudio> capture;
};

// Mean gain over the 10 ms window starting `ms` into a 2 s fade in.
double FadeIn(int ms) { return (ms + 5) / 2000.0; }

TEST_F(EngineSoundTest, MusicCrossfadesOverTwoSecondsAndTheMusicBelowResumes) {
  // "steps" is a looping sample (format "ogg"), so the stack holds the resource's channel.
  Start(Music("steps", "steps.wav", "ogg") + Music("low", "low.wav", "ogg"));
  engine->SetConfigValue("MusicVolume", "80");
  const double full = 0.5 * 0.8;
  auto steps = MusicOf("steps"), low = MusicOf("low");

  const size_t t0 = Now();
  engine->PlayMusic(steps);
  Run(2500);
  const size_t t1 = Now();
  engine->PlayMusic(low);
  Run(2500);
  engine->StopMusic(steps);  // not on top: nothing happens
  Run(500);
  const size_t t2 = Now();
  engine->StopMusic(low);
  Run(2500);
  const size_t t3 = Now();
  engine->StopMusic(steps);
  Run(2500);

  for (int ms : {250, 750, 1250, 1750}) {
    SCOPED_TRACE(ms);
    EXPECT_NEAR(Tone(t0 + Frames(ms), 10, StepHz(ms)), full * FadeIn(ms), 0.005);
    // Crossfade: "steps" goes on from 2.5 s while fading out, "low" fades in.
    EXPECT_NEAR(Tone(t1 + Frames(ms), 10, StepHz(2500 + ms)), full * (1 - FadeIn(ms)), 0.005);
    EXPECT_NEAR(Tone(t1 + Frames(ms), 10, 300), full * FadeIn(ms), 0.005);
    // Back: "steps" resumes where its fade-out stopped it (4.5 s), "low" fades out.
    EXPECT_NEAR(Tone(t2 + Frames(ms), 10, StepHz(4500 + ms)), full * FadeIn(ms), 0.005);
    EXPECT_NEAR(Tone(t2 + Frames(ms), 10, 300), full * (1 - FadeIn(ms)), 0.005);
  }
  // Started over it would play 400 Hz now.
  EXPECT_LT(Tone(t2 + Frames(250), 10, 400), 0.002);
  EXPECT_NEAR(Tone(t0 + Frames(2200), 100, StepHz(2200)), full, 0.005);
  // Between the fades only "low" plays, whole and alone.
  EXPECT_NEAR(Tone(t1 + Frames(2100), 100, 300), full, 0.005);
  EXPECT_NEAR(Level(t1 + Frames(2010), 900), full / std::sqrt(2.0), 0.005);
  EXPECT_NEAR(Level(t2 + Frames(2010), 400), full / std::sqrt(2.0), 0.005);
  EXPECT_LT(Tone(t2 + Frames(2010), 400, 300), 0.002);
  // The last music stopped: 2 s of fading, then silence.
  EXPECT_NEAR(Tone(t3 + Frames(750), 10, StepHz(7000 + 750)), full * (1 - FadeIn(750)), 0.005);
  EXPECT_EQ(Level(t3 + Frames(2010), 400), 0.0);
}

TEST_F(EngineSoundTest, TheSameMusicTwiceStartsOverAndStacksTwice) {
  Start(Music("steps", "steps.wav", "ogg"));
  engine->SetConfigValue("MusicVolume", "100");
  auto steps = MusicOf("steps");
  engine->PlayMusic(steps);
  Run(1500);
  const size_t again = Now();
  engine->PlayMusic(steps);
  Run(2500);
  const size_t firstStop = Now();
  engine->StopMusic(steps);
  Run(2500);
  const size_t secondStop = Now();
  engine->StopMusic(steps);
  Run(2500);

  // From the beginning and from silence, not from 1.5 s.
  EXPECT_NEAR(Tone(again + Frames(250), 10, 400), 0.5 * FadeIn(250), 0.005);
  EXPECT_LT(Tone(again + Frames(250), 10, StepHz(1750)), 0.002);
  EXPECT_NEAR(Tone(again + Frames(2100), 100, StepHz(2100)), 0.5, 0.005);
  // The first stop leaves the entry below, the same music: it fades in again, going on.
  EXPECT_NEAR(Tone(firstStop + Frames(1250), 10, StepHz(2500 + 1250)), 0.5 * FadeIn(1250), 0.005);
  EXPECT_NEAR(Tone(firstStop + Frames(2100), 100, StepHz(2500 + 2100)), 0.5, 0.005);
  // The second empties the stack.
  EXPECT_EQ(Level(secondStop + Frames(2010), 400), 0.0);
}

TEST_F(EngineSoundTest, MutingEffectsDuckTheMusicIn100MsAndItReturns100MsAfterTheLast) {
  Start(Music("low", "low.wav", "ogg") + Sample("beep300", "beep300.wav") + Sample("beep500", "beep500.wav") +
        Sample("high", "high.wav"));
  engine->SetConfigValue("MusicVolume", "80");
  engine->SetConfigValue("SoundVolume", "50");
  const double full = 0.5 * 0.8;
  engine->PlayMusic(MusicOf("low"));
  Run(2500);
  const size_t t = Now();
  EXPECT_NE(engine->PlaySound(SoundOf("beep300", -1, -101, true)), 0u);
  Run(100);
  engine->PlaySound(SoundOf("beep500", -1, -101, true));  // ends at 600 ms
  engine->PlaySound(SoundOf("high"));                     // does not mute: no part in this
  Run(1000);

  EXPECT_NEAR(Tone(t + Frames(50), 10, 300), full * (1 - 55 / 100.0), 0.005);
  for (int ms : {100, 300, 590}) EXPECT_LT(Tone(t + Frames(ms), 10, 300), 0.001) << ms;
  EXPECT_NEAR(Tone(t + Frames(50), 10, 1000), 0.25, 0.003);
  // The last muting effect ends at 600 ms; the next frame's bookkeeping brings the music back
  // over 100 ms.
  EXPECT_NEAR(Tone(t + Frames(660), 10, 300), full * 55 / 100.0, 0.01);
  EXPECT_NEAR(Tone(t + Frames(720), 100, 300), full, 0.005);

  // Stopping a muting effect gives the music back at once, without waiting for a frame.
  const size_t s = Now();
  auto effect = SoundOf("beep500", -1, -101, true);
  engine->PlaySound(effect);
  Run(200);
  engine->StopSound(effect);
  Run(200);
  EXPECT_LT(Tone(s + Frames(150), 10, 300), 0.001);
  EXPECT_NEAR(Tone(s + Frames(250), 10, 300), full * 55 / 100.0, 0.005);
  EXPECT_LT(Tone(s + Frames(200), 10, 1000), 0.001);
}

TEST_F(EngineSoundTest, EffectVolumeIsItsVolumeTimesMasterVolumeTimesSoundVolume) {
  Start(Sample("beep80", "long.wav", "master_volume=\"80\" maxplaybacks=\"8\"") +
        Sample("beep100", "long.wav", "maxplaybacks=\"8\""));
  struct Case {
    const char* soundVolume;
    const char* resource;
    int volume, pan;
    double left, right;  // expected per-side volume, 0..100
  };
  const Case cases[] = {
      {"70", "beep80", 50, -101, 28, 28},   // 50 x 80 div 100 x 70 div 100
      {"150", "beep80", 50, -101, 40, 40},  // 150 acts as 100
      {"150", "beep80", -1, 100, 0, 80},    // no own volume: the master volume; panned right
      {"70", "beep100", 0, -100, 70, 0},           {"-20", "beep100", 50, -101, 0, 0},
      {"70", "beep100", 2000000000, -101, 70, 70},  // far too loud in data: at most full
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.soundVolume << " " << c.resource << " " << c.volume);
    engine->SetConfigValue("SoundVolume", c.soundVolume);
    EXPECT_EQ(engine->GetConfigValue("SoundVolume").ToString(), c.soundVolume);
    auto sound = SoundOf(c.resource, c.volume, c.pan);
    const size_t t = Now();
    const AudioHandle channel = engine->PlaySound(sound);
    EXPECT_NE(channel, 0u);
    Run(100);
    EXPECT_NEAR(Tone(t + Frames(20), 50, 1000, 0), 0.5 * c.left / 100, 0.003);
    EXPECT_NEAR(Tone(t + Frames(20), 50, 1000, 1), 0.5 * c.right / 100, 0.003);
    engine->StopSound(sound);
  }
}

TEST_F(EngineSoundTest, MusicVolumeIsKeptAsGivenAndReachesTheMusicClamped) {
  Start(Music("low", "low.wav", "ogg"));
  // A negative volume must not read as "fade out and stop" to the fade in.
  engine->SetConfigValue("MusicVolume", "-2");
  EXPECT_EQ(engine->GetMusicVolume(), -2);
  engine->PlayMusic(MusicOf("low"));
  Run(2500);
  const size_t quiet = Now();
  Run(100);
  engine->SetConfigValue("MusicVolume", "40");
  const size_t forty = Now();
  Run(100);
  engine->SetConfigValue("MusicVolume", "150");
  const size_t loud = Now();
  Run(100);
  engine->SetConfigValue("MusicVolume", "loud");  // does not convert: ignored
  Run(100);

  EXPECT_EQ(Level(quiet, 100), 0.0);
  EXPECT_NEAR(Tone(forty, 100, 300), 0.5 * 0.4, 0.003);
  EXPECT_NEAR(Tone(loud, 100, 300), 0.5, 0.003);
  EXPECT_NEAR(Tone(loud + Frames(100), 100, 300), 0.5, 0.003);
  EXPECT_EQ(engine->GetMusicVolume(), 150);
  EXPECT_EQ(engine->GetConfigValue("MusicVolume").ToString(), "loud");
}

TEST_F(EngineSoundTest, OggVorbisMusicPlaysCrossfadesAndStops) {
  Write("theme.ogg", test::SineOgg(1000, kRate, kRate, 2, 0.5));
  Start(Music("vorbis", "theme.ogg", "ogg") + Music("module", "theme.mod", "mo3") + Sample("beep", "high.wav"));
  engine->SetConfigValue("MusicVolume", "100");
  auto vorbis = MusicOf("vorbis"), module = MusicOf("module");
  const size_t t0 = Now();
  engine->PlayMusic(vorbis);
  Run(2500);
  const size_t t1 = Now();
  engine->PlayMusic(module);
  Run(2500);
  const size_t t2 = Now();
  engine->StopMusic(module);
  Run(2500);
  // Effects stop; the music, a sample underneath, plays on.
  engine->PlaySound(SoundOf("beep"));
  engine->StopAllSounds();
  const size_t t3 = Now();
  Run(500);
  engine->StopMusic(vorbis);
  const size_t t4 = Now();
  Run(2500);

  EXPECT_NEAR(Tone(t0 + Frames(750), 10, 1000), 0.5 * FadeIn(750), 0.02);
  EXPECT_NEAR(Tone(t0 + Frames(2100), 300, 1000), 0.5, 0.02);
  // Only the module between the fades.
  EXPECT_LT(Tone(t1 + Frames(2100), 300, 1000), 0.002);
  EXPECT_GT(Level(t1 + Frames(2100), 300, 0) + Level(t1 + Frames(2100), 300, 1), 0.01);
  EXPECT_NEAR(Tone(t2 + Frames(2100), 300, 1000), 0.5, 0.02);
  EXPECT_NEAR(Level(t2 + Frames(2100), 300), 0.5 / std::sqrt(2.0), 0.02);
  EXPECT_NEAR(Tone(t3 + Frames(100), 300, 1000), 0.5, 0.02);
  EXPECT_LT(Tone(t3, 300, 2000), 0.001);
  EXPECT_NEAR(Tone(t4 + Frames(1000), 10, 1000), 0.5 * (1 - FadeIn(1000)), 0.02);
  EXPECT_EQ(Level(t4 + Frames(2010), 400), 0.0);
}

TEST_F(EngineSoundTest, StopSoundStopsItsSampleAndStopAllSoundsEveryEffect) {
  Start(Sample("long", "long.wav", "maxplaybacks=\"2\"") + Sample("other", "other.wav") +
        Music("low", "low.wav", "ogg") + Sample("ondemand", "beep300.wav", "loadbydemand=\"yes\""));
  engine->SetConfigValue("MusicVolume", "100");
  engine->SetConfigValue("SoundVolume", "100");
  engine->PlayMusic(MusicOf("low"));
  Run(2500);
  auto longSound = SoundOf("long"), other = SoundOf("other");
  const AudioHandle first = engine->PlaySound(longSound);
  Run(100);
  const AudioHandle second = engine->PlaySound(longSound);
  engine->PlaySound(other);
  Run(100);
  EXPECT_TRUE(engine->IsChannelActive(first) && engine->IsChannelActive(second));
  engine->StopSound(longSound);  // every playback of the sample
  EXPECT_FALSE(engine->IsChannelActive(first) || engine->IsChannelActive(second));
  const size_t afterStop = Now();
  Run(100);
  engine->StopAllSounds();
  const size_t afterAll = Now();
  Run(100);

  EXPECT_LT(Tone(afterStop, 100, 1000), 0.001);
  EXPECT_NEAR(Tone(afterStop, 100, 2000), 0.5, 0.003);
  EXPECT_LT(Tone(afterAll, 100, 2000), 0.001);
  EXPECT_NEAR(Tone(afterAll, 100, 300), 0.5, 0.003);
  // Stopping everything does not load what waits for its first use.
  auto onDemand = std::dynamic_pointer_cast<TResource>(engine->GetResource("ondemand"));
  ASSERT_TRUE(onDemand);
  EXPECT_TRUE(onDemand->IsPending());
}

TEST_F(EngineSoundTest, GroupsChooseAMemberPerPlayAndUnplayableOnesChangeNothing) {
  Start(R"(<resource type="SoundGroupResource" name="beeps"><resources>)" + Sample("a", "beep300.wav") +
        Sample("b", "high.wav") + R"(</resources></resource>
        <resource type="SoundGroupResource" name="none"/>
        <resource type="MusicGroupResource" name="musics"><resources>)" +
        Music("steps", "steps.wav", "ogg") + Music("low", "low.wav", "ogg") + "</resources></resource>" +
        Sample("broken", "missing.wav") + Music("brokenmusic", "missing.mod", "mo3"));
  engine->SetConfigValue("MusicVolume", "100");
  engine->SetConfigValue("SoundVolume", "100");
  std::vector<int32_t> picks = {1, 1, 0, 0};
  SetRandomSource([&](int32_t) {
    const int32_t pick = picks.empty() ? 0 : picks.front();
    if (!picks.empty()) picks.erase(picks.begin());
    return pick;
  });
  const size_t t0 = Now();
  engine->PlayMusic(MusicOf("musics"));  // picks "low"
  Run(2500);
  auto beeps = SoundOf("beeps");
  const size_t t1 = Now();
  EXPECT_NE(engine->PlaySound(beeps), 0u);  // "high"
  Run(400);
  const size_t t2 = Now();
  EXPECT_NE(engine->PlaySound(beeps), 0u);  // "a"
  Run(400);
  EXPECT_EQ(engine->PlaySound(SoundOf("none")), 0u);
  EXPECT_EQ(engine->PlaySound(SoundOf("broken")), 0u);
  EXPECT_EQ(engine->PlaySound(SoundOf("nothing by that name")), 0u);
  EXPECT_EQ(engine->PlaySound(nullptr), 0u);
  engine->PlayMusic(MusicOf("brokenmusic"));
  engine->PlayMusic(MusicOf("nothing by that name"));
  engine->StopMusic(MusicOf("brokenmusic"));
  engine->PlayMusic(nullptr);
  const size_t t3 = Now();
  Run(200);
  // Stopping a group stops the member it played, whatever the next choice would be.
  engine->StopMusic(MusicOf("musics"));
  const size_t t4 = Now();
  Run(2500);

  EXPECT_NEAR(Tone(t0 + Frames(2100), 300, 300), 0.5, 0.003);
  EXPECT_NEAR(Tone(t1 + Frames(100), 100, 2000), 0.5, 0.003);
  EXPECT_NEAR(Tone(t2 + Frames(100), 100, 1000), 0.5, 0.003);
  EXPECT_NEAR(Tone(t3, 200, 300), 0.5, 0.003);
  EXPECT_NEAR(Tone(t4 + Frames(1000), 10, 300), 0.5 * (1 - FadeIn(1000)), 0.005);
  EXPECT_EQ(Level(t4 + Frames(2010), 400), 0.0);
}

// ---------------------------------------------------------------------------------------------
// The data objects.

TEST(SoundObjects, ReadWriteAndPropertiesOfSoundAndMusic) {
  enginetest::RegisterEngineTestClasses();
  auto sounds = Create<TSoundCollection>();
  sounds->LoadFromStorage(LoadStorageFromString(R"(<sounds>
      <sound name="click" resourcename="click_res" volume="50" pan="-20" mutemusic="yes"/>
      <sound name="plain" resourcename="plain_res" volume="99999999999"/>
      <sound name="click" resourcename="second"/></sounds>)"));
  ASSERT_EQ(sounds->GetCount(), 2);  // a name already present adds nothing
  auto click = sounds->Get("click");
  ASSERT_TRUE(click);
  EXPECT_EQ(click->GetResourceName(), "click_res");
  EXPECT_EQ(click->GetVolume(), 50);
  EXPECT_EQ(click->GetPan(), -20);
  EXPECT_TRUE(click->GetMuteMusic());
  auto plain = sounds->Get(Variant(int64_t{1}));
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->GetVolume(), -1);  // beyond 32 bits: the default
  EXPECT_EQ(plain->GetPan(), -101);
  EXPECT_FALSE(plain->GetMuteMusic());
  EXPECT_FALSE(sounds->Get("missing"));
  EXPECT_FALSE(sounds->Get(Variant(int64_t{2})));

  // Defaults are not written; the resource name always is.
  StorageRootRef out = CreateStorage("sounds");
  sounds->SaveToStorage(out->GetRoot());
  const std::string xml = out->SaveToString();
  EXPECT_NE(xml.find(R"(resourcename="click_res" volume="50" pan="-20" mutemusic="yes")"), std::string::npos) << xml;
  EXPECT_NE(xml.find(R"(resourcename="plain_res"/>)"), std::string::npos) << xml;

  // Properties: a value that does not convert changes nothing.
  struct Case {
    const char* name;
    Variant value;
    Variant expect;
  };
  const Case cases[] = {
      {"volume", Variant("75"), Variant(int64_t{75})},     {"volume", Variant("loud"), Variant(int64_t{75})},
      {"pan", Variant(int64_t{30}), Variant(int64_t{30})}, {"mutemusic", Variant("no"), Variant(false)},
      {"mutemusic", Variant("maybe"), Variant(false)},     {"resourcename", Variant("other"), Variant("other")},
  };
  for (const Case& c : cases) {
    click->SetProperty(c.name, c.value);
    EXPECT_EQ(click->GetProperty(c.name).ToString(), c.expect.ToString()) << c.name << " " << c.value.ToString();
  }

  auto musics = Create<TMusicCollection>();
  musics->LoadFromStorage(
      LoadStorageFromString(R"(<musics><music name="music_background" resourcename="theme"/></musics>)"));
  ASSERT_TRUE(musics->Get("music_background"));
  EXPECT_EQ(musics->Get("music_background")->GetResourceName(), "theme");
  EXPECT_EQ(musics->Get("music_background")->GetProperty("resourcename").ToString(), "theme");
  auto music = CreateObjectAs<IMusic>("Music");
  ASSERT_TRUE(music);
  music->SetName("music_background");
  musics->Add(music);
  EXPECT_EQ(musics->GetCount(), 1);
}

}  // namespace
}  // namespace kestrelle
