// The demo data end to end: kestrelle-headless runs the start sequence from the program folder
// of the build with a script (logos, loading, the main menu, the options, quit); the pictures it
// writes are probed and the options file it leaves is read back.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "data/cipher.h"
#include "media/image_decode.h"

namespace kestrelle {
namespace {

namespace fs = std::filesystem;

const fs::path kBinary = KESTRELLE_BINARY_DIR;
const fs::path kSource = KESTRELLE_SOURCE_DIR;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Rgb {
  int r, g, b;
};

Rgb PixelOf(const SurfaceRef& picture, int x, int y) {
  uint32_t p = picture->GetPixel(x, y);
  return Rgb{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

// Within `tolerance` of the colour on every channel.
::testing::AssertionResult Near(const SurfaceRef& picture, const std::string& shot, int x, int y, uint32_t rgb,
                                int tolerance = 24) {
  Rgb got = PixelOf(picture, x, y);
  Rgb want{static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF)};
  if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
      std::abs(got.b - want.b) <= tolerance)
    return ::testing::AssertionSuccess();
  char text[160];
  std::snprintf(text, sizeof text, "%s at (%d, %d): got %02X%02X%02X, expected %06X", shot.c_str(), x, y, got.r, got.g,
                got.b, rgb);
  return ::testing::AssertionFailure() << text;
}

class DemoStart : public ::testing::Test {
 protected:
  void SetUp() override {
    game_ = kBinary / "game";
    if (!fs::exists(game_ / "data" / "ini" / "Kestrelle.ini") || !fs::exists(kBinary / "bin" / "kestrelle-headless"))
      GTEST_SKIP() << "the demo data or kestrelle-headless is not built";
    work_ = fs::temp_directory_path() / ("kestrelle-demo-start-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_ / "user");
    fs::create_directories(work_ / "shots");
  }
  void TearDown() override {
    if (!work_.empty() && !HasFailure()) fs::remove_all(work_);
  }

  int Run(const fs::path& script) {
    std::string command = "\"" + (kBinary / "bin" / "kestrelle-headless").string() + "\" --app-dir \"" +
                          game_.string() + "\" --user-dir \"" + (work_ / "user").string() + "\" --shots \"" +
                          (work_ / "shots").string() + "\" --script \"" + script.string() + "\" > \"" +
                          (work_ / "run.log").string() + "\" 2>&1";
    return std::system(command.c_str());
  }

  SurfaceRef Shot(const std::string& name) {
    fs::path file = work_ / "shots" / (name + ".png");
    std::string bytes = ReadFile(file);
    SurfaceRef picture = bytes.empty() ? nullptr : DecodePng(bytes, file.string());
    EXPECT_TRUE(picture) << "no picture " << file;
    if (picture) {
      EXPECT_EQ(picture->GetWidth(), 800);
      EXPECT_EQ(picture->GetHeight(), 600);
    }
    return picture;
  }

  fs::path game_;
  fs::path work_;
};

TEST_F(DemoStart, StartSequenceOptionsAndQuit) {
  ASSERT_EQ(Run(kSource / "tests" / "game" / "data" / "start_sequence.script"), 0) << ReadFile(work_ / "run.log");

  // Each step shows its own screen on top (colours of the demo's art).
  struct Probe {
    const char* shot;
    int x, y;
    uint32_t rgb;
  };
  const Probe probes[] = {
      {"logos", 40, 40, 0x2B1D18},      // the studio card
      {"loaded", 60, 300, 0xC8553D},    // the title card behind the finished loading look
      {"loaded", 330, 466, 0xDC7530},   // its Continue button
      {"menu", 30, 30, 0x8ECAE6},       // the town's sky
      {"options", 200, 420, 0xF3DFBC},  // the options panel
      {"quit", 220, 320, 0xF3DFBC},     // the quit query's panel
  };
  std::map<std::string, SurfaceRef> shots;
  for (const Probe& probe : probes) {
    SurfaceRef& picture = shots[probe.shot];
    if (!picture) picture = Shot(probe.shot);
    if (picture) {
      EXPECT_TRUE(Near(picture, probe.shot, probe.x, probe.y, probe.rgb, 40));
    }
  }
  // The music slider left its place on the track (60 of 100) for a lower volume.
  SurfaceRef before = Shot("options");
  SurfaceRef after = Shot("options_changed");
  if (before && after) {
    EXPECT_TRUE(Near(before, "options", 502, 200, 0x2A7F79, 40));
    EXPECT_FALSE(Near(after, "options_changed", 502, 200, 0x2A7F79, 40));
  }

  // The options file holds the lower music volume (the definition says 60).
  // The options key of the game's start-up.
  std::string options = DecipherFromHex("qpwmzlrvtn4826hbxkcyga71e", ReadFile(work_ / "user" / "options.dat"));
  auto at = options.find("MusicVolume=\"");
  ASSERT_NE(at, std::string::npos) << options;
  int volume = std::atoi(options.c_str() + at + 13);
  EXPECT_LT(volume, 60) << options;
  EXPECT_GE(volume, 0);
}

}  // namespace
}  // namespace kestrelle
