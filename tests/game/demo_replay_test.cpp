// Record and replay end to end on the demo: kestrelle-headless records a scripted run of the demo,
// a second run replays the recording, and the two must leave the same pictures and player files
// byte for byte; a recording that no longer fits the game says where in one line. The audio
// capture of the same program writes the menu music it plays.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "read_file.h"

namespace kestrelle {
namespace {

namespace fs = std::filesystem;

const fs::path kBinary = KESTRELLE_BINARY_DIR;

using testing::ReadFile;

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class DemoReplay : public ::testing::Test {
 protected:
  void SetUp() override {
    game_ = kBinary / "game";
    if (!fs::exists(game_ / "data" / "ini" / "Kestrelle.ini") || !fs::exists(kBinary / "bin" / "kestrelle-headless"))
      GTEST_SKIP() << "the demo data or kestrelle-headless is not built";
    work_ = fs::temp_directory_path() / ("kestrelle-demo-replay-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_);
  }
  void TearDown() override {
    if (!work_.empty() && !HasFailure()) fs::remove_all(work_);
  }

  // Runs kestrelle-headless with its own user folder `run` and the given options; the exit status.
  int Run(const std::string& run, const std::string& options) {
    fs::create_directories(work_ / run / "user");
    std::string command = "\"" + (kBinary / "bin" / "kestrelle-headless").string() + "\" --app-dir \"" +
                          game_.string() + "\" --user-dir \"" + (work_ / run / "user").string() + "\" " + options +
                          " > \"" + (work_ / run / "out.log").string() + "\" 2> \"" +
                          (work_ / run / "err.log").string() + "\"";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Log(const std::string& run, const char* which = "out.log") { return ReadFile(work_ / run / which); }
  // The log without its "startup ..." line of real times, which no two runs share.
  std::string LogWithoutTimes(const std::string& run) {
    std::istringstream lines(Log(run));
    std::string kept, line;
    while (std::getline(lines, line))
      if (line.rfind("startup ", 0) != 0) kept += line + "\n";
    return kept;
  }
  std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

  fs::path game_;
  fs::path work_;
};

TEST_F(DemoReplay, AReplayOfARecordedDemoRunGivesTheSamePicturesAndPlayerFiles) {
  const fs::path recording = work_ / "demo.rec";
  ASSERT_EQ(Run("recorded", "--seed 77 --script " + Quoted(game_ / "demo.script") + " --shots " +
                                Quoted(work_ / "recorded" / "shots") + " --record " + Quoted(recording)),
            0)
      << Log("recorded", "err.log");
  ASSERT_EQ(Run("replayed", "--shots " + Quoted(work_ / "replayed" / "shots") + " --replay " + Quoted(recording)), 0)
      << Log("replayed", "err.log");

  // The same lines: every shot's checksum and the frame count.
  EXPECT_EQ(LogWithoutTimes("replayed"), LogWithoutTimes("recorded"));
  EXPECT_NE(Log("recorded").find("frames="), std::string::npos);
  for (const char* folder : {"shots", "user"}) {
    const std::set<std::string> names = Names(work_ / "recorded" / folder);
    EXPECT_GE(names.size(), folder == std::string("shots") ? 19u : 2u) << folder;
    EXPECT_EQ(Names(work_ / "replayed" / folder), names) << folder;
    for (const std::string& name : names)
      EXPECT_TRUE(ReadFile(work_ / "recorded" / folder / name) == ReadFile(work_ / "replayed" / folder / name))
          << folder << "/" << name << " differs";
  }

  // Recordings that no longer fit the game: one line naming the file and where.
  const std::string text = ReadFile(recording);
  struct Case {
    const char* what;
    std::string edited;
    int status;
    std::string line;
  };
  auto replace = [&text](const std::string& from, const std::string& to) {
    std::string edited = text;
    edited.replace(edited.find(from), from.size(), to);
    return edited;
  };
  const size_t firstKey = text.find("msg WM_KEYDOWN");
  ASSERT_NE(firstKey, std::string::npos);
  const int keyLine = static_cast<int>(std::count(text.begin(), text.begin() + long(firstKey), '\n')) + 1;
  const Case cases[] = {
      {"a message for another screen", replace("GS_NewUser", "GS_Elsewhere"), 4,
       "line " + std::to_string(keyLine) +
           ": the message WM_KEYDOWN is aimed at GS_Elsewhere but GS_NewUser is on top"},
      {"more frames than the game runs", text + "frame 10 5\n", 4, "the game ended after"},
      {"a damaged line", replace("msg WM_KEYDOWN", "msg WM_KEYDOWN 0x"), 2,
       "line " + std::to_string(keyLine) + ": msg needs"},
      {"not a recording", "\x89PNG\r\n", 2, "line 1: not a recording"},
  };
  for (const Case& c : cases) {
    const fs::path file = work_ / "edited.rec";
    WriteFile(file, c.edited);
    EXPECT_EQ(Run("edited", "--replay " + Quoted(file)), c.status) << c.what;
    const std::string err = Log("edited", "err.log");
    EXPECT_NE(err.find(file.string()), std::string::npos) << c.what << ": " << err;
    EXPECT_NE(err.find(c.line), std::string::npos) << c.what << ": " << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << c.what << ": " << err;
    fs::remove_all(work_ / "edited");
  }
}

// The RMS of the 16-bit samples of seconds [from, to) of a 44.1 kHz stereo WAV file's data.
double Rms(const std::string& wav, double from, double to) {
  const size_t data = wav.find("data") + 8;
  const size_t first = data + size_t(from * 44100) * 4;
  const size_t last = std::min(wav.size(), data + size_t(to * 44100) * 4);
  double sum = 0;
  size_t count = 0;
  for (size_t at = first; at + 1 < last; at += 2, ++count) {
    const auto sample = static_cast<int16_t>(uint16_t(uint8_t(wav[at])) | uint16_t(uint8_t(wav[at + 1])) << 8);
    sum += double(sample) * sample;
  }
  return count ? std::sqrt(sum / double(count)) : 0;
}

TEST_F(DemoReplay, TheAudioCaptureHoldsTheMenuMusicForTheWholeVirtualTime) {
  // 1200 frames of 10 ms: the logos are silent; past the loading screen the menu's music fades in.
  const fs::path wav = work_ / "menu.wav";
  const fs::path script = fs::path(KESTRELLE_SOURCE_DIR) / "tests" / "game" / "data" / "to_the_menu.script";
  ASSERT_EQ(Run("audio", "--seed 5 --frames 1200 --script " + Quoted(script) + " --audio-out " + Quoted(wav)), 0)
      << Log("audio", "err.log");
  const std::string bytes = ReadFile(wav);
  ASSERT_GT(bytes.size(), 44u);
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(bytes.substr(8, 4), "WAVE");
  // Stereo, 44100 Hz, 16 bits.
  EXPECT_EQ(uint8_t(bytes[22]), 2);
  EXPECT_EQ(uint8_t(bytes[24]) | uint8_t(bytes[25]) << 8 | uint8_t(bytes[26]) << 16, 44100);
  EXPECT_EQ(uint8_t(bytes[34]), 16);
  // Twelve seconds of virtual time, to the frame.
  EXPECT_NE(Log("audio").find("audio frames=529200 "), std::string::npos) << Log("audio");
  EXPECT_LT(Rms(bytes, 0.0, 2.5), 1.0);
  EXPECT_GT(Rms(bytes, 7.0, 12.0), 1000.0);
}

TEST_F(DemoReplay, TheClicksAndTheMusicFadeInAreHeardInTheCapture) {
  // The continue click at 4.6 s starts the menu's music, whose loop repeats every half second:
  // a window and the same window 2 s later hold the same notes, so their RMS ratio is the gain.
  const fs::path wav = work_ / "sounds.wav";
  const fs::path script = fs::path(KESTRELLE_SOURCE_DIR) / "tests" / "game" / "data" / "menu_sounds.script";
  ASSERT_EQ(Run("sounds", "--seed 5 --script " + Quoted(script) + " --audio-out " + Quoted(wav)), 0)
      << Log("sounds", "err.log");
  const std::string bytes = ReadFile(wav);
  EXPECT_LT(Rms(bytes, 0.0, 2.5), 1.0) << "the logos are silent";
  EXPECT_LT(Rms(bytes, 4.45, 4.6), 5.0) << "nothing plays just before the click";

  // The fade-in: quarter seconds from the music's start, each louder than the one before, on a
  // straight line from silence to the full music at 2 s.
  double previous = 0;
  for (int k = 0; k < 8; ++k) {
    const double from = 4.65 + 0.25 * k;
    const double gain = Rms(bytes, from, from + 0.25) / Rms(bytes, from + 2, from + 2.25);
    EXPECT_GT(gain, previous) << "quarter " << k;
    EXPECT_NEAR(gain, (from + 0.125 - 4.6) / 2.0, 0.1) << "quarter " << k;
    previous = gain;
  }
  // After it the music stays at its level.
  for (double from = 6.65; from < 8.6; from += 0.25)
    EXPECT_NEAR(Rms(bytes, from, from + 0.25) / Rms(bytes, from + 2, from + 2.25), 1.0, 0.15) << from;

  // The clicks: the first over the music that has barely begun, the second over the full music,
  // compared with the same notes 2 s later (and a window without a click as the control).
  EXPECT_GT(Rms(bytes, 4.60, 4.65), 1000.0);
  EXPECT_GT(Rms(bytes, 4.60, 4.65), 5 * Rms(bytes, 4.70, 4.75));
  EXPECT_GT(Rms(bytes, 7.30, 7.35), 1.25 * Rms(bytes, 9.30, 9.35));
  EXPECT_NEAR(Rms(bytes, 7.50, 7.55) / Rms(bytes, 9.50, 9.55), 1.0, 0.1);
}

}  // namespace
}  // namespace kestrelle
