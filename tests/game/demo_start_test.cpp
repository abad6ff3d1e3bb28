// The demo data end to end: kestrelle-headless runs the game from the program folder of the
// build with a script (logos, loading, the first player, the options, a second player made and
// deleted, quit; a slider press that outlives its screen); the pictures it writes are probed and
// the player files it leaves are read back.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>

#include "data/cipher.h"
#include "game/startup.h"
#include "media/image_decode.h"
#include "read_file.h"
#include "records/record_files.h"

namespace kestrelle {
namespace {

namespace fs = std::filesystem;

const fs::path kBinary = KESTRELLE_BINARY_DIR;
const fs::path kSource = KESTRELLE_SOURCE_DIR;

using testing::ReadFile;

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

  // A player file of the run, deciphered.
  std::string PlayerFile(const char* name, std::string_view key) {
    return DecipherFromHex(key, ReadFile(work_ / "user" / name));
  }

  // The frames the run made, from its last log line; -1 when it did not get there.
  int FrameCount() {
    const std::string log = ReadFile(work_ / "run.log");
    const auto at = log.find("frames=");
    EXPECT_NE(at, std::string::npos) << log;
    return at == std::string::npos ? -1 : std::atoi(log.c_str() + at + 7);
  }

  // The music volume the run left in options.dat; -1 when there is none.
  int SavedMusicVolume() {
    const std::string options = PlayerFile("options.dat", kOptionsKey);
    const auto at = options.find("MusicVolume=\"");
    EXPECT_NE(at, std::string::npos) << options;
    return at == std::string::npos ? -1 : std::atoi(options.c_str() + at + 13);
  }

  fs::path game_;
  fs::path work_;
};

// Pixels of the progress bar's row that show its light filling (the empty track is dark brown).
int FilledLength(const SurfaceRef& picture) {
  int filled = 0;
  for (int x = 198; x < 602; ++x)
    if (PixelOf(picture, x, 416).r > 0xC0) ++filled;
  return filled;
}

TEST_F(DemoStart, FromTheLogosToQuittingWithPlayersAndOptions) {
  ASSERT_EQ(Run(kSource / "tests" / "game" / "data" / "start_sequence.script"), 0) << ReadFile(work_ / "run.log");
  {
    // The start-up points are all reached, in their order.
    const std::string log = ReadFile(work_ / "run.log");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(
        log, m, std::regex("startup first_frame_ms=([0-9.]+) loaded_ms=([0-9.]+) main_menu_ms=([0-9.]+)")))
        << log;
    EXPECT_LE(std::stod(m[1]), std::stod(m[2]));
    EXPECT_LE(std::stod(m[2]), std::stod(m[3]));
  }

  // Each step shows its own screen on top (colours of the demo's art).
  struct Probe {
    const char* shot;
    int x, y;
    uint32_t rgb;
    bool expected;  // false: the colour must NOT be there
  };
  const uint32_t kPanel = 0xF3DFBC, kButton = 0xDC7530, kSelection = 0xFACB94, kListBack = 0xFFFDF6;
  const Probe probes[] = {
      {"logos", 40, 40, 0x2B1D18, true},           // the studio card
      {"loaded", 60, 300, 0xC8553D, true},         // the title card behind the finished loading look
      {"loaded", 330, 466, kButton, true},         // its Continue button
      {"new_user", 250, 225, kPanel, true},        // the name query over the menu
      {"new_user", 240, 350, kButton, true},       // OK can be pressed...
      {"new_user", 440, 350, kButton, false},      // ...Cancel cannot: a player is needed
      {"new_user_typed", 250, 225, kPanel, true},  // Escape did not close it
      {"menu", 30, 30, 0x8ECAE6, true},            // the town's sky
      {"menu", 250, 225, kPanel, false},           // no query left on top
      {"options", 200, 420, kPanel, true},         // the options panel
      {"players", 400, 221, kSelection, true},     // Ann, the current player, is selected
      {"new_user_second", 250, 225, kPanel, true},
      {"new_user_second", 440, 350, kButton, true},  // this time Cancel is allowed
      {"menu_ben", 250, 225, kPanel, false},
      {"players_two", 400, 251, kSelection, true},  // Ben, now current, is selected
      {"players_two", 400, 221, kSelection, false},
      {"delete_query", 300, 300, kPanel, true},
      {"players_after_delete", 400, 221, kSelection, true},  // Ann took Ben's place
      {"players_after_delete", 400, 251, kListBack, true},   // and his row is gone
      {"menu_ann", 250, 225, kPanel, false},
      {"quit", 220, 320, kPanel, true},  // the quit query's panel
      {"menu_after_cancel", 250, 225, kPanel, false},
      {"quit_on_close", 220, 320, kPanel, true},  // closing the window asks the same
  };
  std::map<std::string, SurfaceRef> shots;
  for (const Probe& probe : probes) {
    SurfaceRef& picture = shots[probe.shot];
    if (!picture) picture = Shot(probe.shot);
    if (!picture) continue;
    if (probe.expected)
      EXPECT_TRUE(Near(picture, probe.shot, probe.x, probe.y, probe.rgb, 40));
    else
      EXPECT_FALSE(Near(picture, probe.shot, probe.x, probe.y, probe.rgb, 40));
  }

  // Exit ended the game at once: the script's own quit, at 30 s, was never reached (a frame every
  // 10 ms or so).
  const std::string log = ReadFile(work_ / "run.log");
  EXPECT_LT(FrameCount(), 2000) << log;
  // Every resource loaded, the sounds and music read from data/sounds.pak among them: a missing
  // or unreadable one leaves a developer log line.
  EXPECT_EQ(log.find("kestrelle:"), std::string::npos) << log;

  // The progress bar was caught part-filled, and it advanced.
  SurfaceRef early = Shot("loading_early");
  SurfaceRef later = Shot("loading_later");
  if (early && later) {
    const int before = FilledLength(early), after = FilledLength(later);
    EXPECT_GT(before, 0);
    EXPECT_LT(before, 404);
    EXPECT_GT(after, before);
  }

  // The music slider left its place on the track (60 of 100) for a lower volume.
  SurfaceRef before = Shot("options");
  SurfaceRef after = Shot("options_changed");
  if (before && after) {
    EXPECT_TRUE(Near(before, "options", 502, 200, 0x2A7F79, 40));
    EXPECT_FALSE(Near(after, "options_changed", 502, 200, 0x2A7F79, 40));
  }

  // The options file holds the lower music volume (the definition says 60).
  const int volume = SavedMusicVolume();
  EXPECT_LT(volume, 60);
  EXPECT_GE(volume, 0);

  // The players file: Ann alone, and current; Ben was made and deleted again.
  std::string users = PlayerFile("users.dat", record_files::kUsersKey);
  EXPECT_NE(users.find("current_user_profile_name=\"Ann\""), std::string::npos) << users;
  EXPECT_NE(users.find("<userprofile name=\"Ann\""), std::string::npos) << users;
  EXPECT_EQ(users.find("Ben"), std::string::npos) << users;
}

TEST_F(DemoStart, ASliderPressDoesNotOutliveItsScreen) {
  ASSERT_EQ(Run(kSource / "tests" / "game" / "data" / "drag_outlives_screen.script"), 0) << ReadFile(work_ / "run.log");
  // The slider stayed at 60 of 100 on both reopened screens, and so did the saved volume.
  for (const char* shot : {"reopened", "after_query"}) {
    if (SurfaceRef picture = Shot(shot)) {
      EXPECT_TRUE(Near(picture, shot, 502, 200, 0x2A7F79, 40));
    }
  }
  EXPECT_EQ(SavedMusicVolume(), 60);
  // Quit and Exit ended the run long before the script's own quit: no click went to a slider
  // that was still held.
  EXPECT_LT(FrameCount(), 2000) << ReadFile(work_ / "run.log");
  // Alt+F and Alt+R typed nothing into the name.
  const std::string users = PlayerFile("users.dat", record_files::kUsersKey);
  EXPECT_NE(users.find("<userprofile name=\"Ann\""), std::string::npos) << users;
}

TEST_F(DemoStart, TheWelcomeRibbonSlidesInAndTheCustomSettingsApply) {
  ASSERT_EQ(Run(kSource / "tests" / "game" / "data" / "menu_flash.script"), 0) << ReadFile(work_ / "run.log");
  const uint32_t kRibbon = 0xF6E7CF, kMark = 0xC8553D, kKnob = 0x2A7F79;
  SurfaceRef sliding = Shot("sliding");
  SurfaceRef settled = Shot("settled");
  if (sliding && settled) {
    // Mid-way the ribbon's left part is on the screen and its right end is not there yet.
    EXPECT_TRUE(Near(sliding, "sliding", 100, 168, kRibbon, 40));
    EXPECT_FALSE(Near(sliding, "sliding", 560, 168, kRibbon, 40));
    EXPECT_TRUE(Near(settled, "settled", 560, 168, kRibbon, 40));
    // The mark added by the custom settings, from the resource group they loaded.
    EXPECT_TRUE(Near(settled, "settled", 724, 396, kMark, 40));
  }
  // The sound volume the custom settings set (35 of 100) places the sound slider's knob.
  if (SurfaceRef options = Shot("options")) {
    EXPECT_TRUE(Near(options, "options", 447, 240, kKnob, 40));
  }
  EXPECT_EQ(ReadFile(work_ / "run.log").find("kestrelle:"), std::string::npos) << ReadFile(work_ / "run.log");
}

}  // namespace
}  // namespace kestrelle
