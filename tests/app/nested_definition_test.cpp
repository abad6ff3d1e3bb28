// A game definition whose main screen nests widgets far deeper than objects may nest when loaded,
// and one nested as deep as they may: the game starts either way, through the real engine and
// screens on the headless devices; the first with a log line and the rest of the screen intact,
// the second whole.

#include <gtest/gtest.h>

#include <sstream>

#include "app/headless_runner.h"
#include "data/cipher.h"
#include "data/file_system.h"
#include "data/global_options.h"
#include "data/load_nesting.h"
#include "data/process_settings.h"
#include "data/user_files.h"
#include "media/image_decode.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

// The game, its screen list, the screen and its window are four nested loads; each widget level
// adds two (the widget and its "widgets"), so the level of the deepest widget that loads is:
constexpr int kDeepestLoadedLevel = (kMaxLoadNesting - 4) / 2;

// Groups g1 .. g<levels - 1>, one inside the other, and a green leaf at level `levels`; beside
// the chain, a red rectangle "after".
std::string NestedGame(int levels) {
  std::string open, close;
  for (int level = 1; level < levels; ++level) {
    open += R"(<widget type="group_widget" name="g)" + std::to_string(level) +
            R"(" visible="yes" mousestop="yes"><widgets>)";
    close += "</widgets></widget>";
  }
  const std::string leaf =
      R"(<widget type="rect_widget" name="leaf" visible="yes" mousestop="yes" anchor_left="100" anchor_top="100" width="50" height="50" color="$FF2E8B57"/>)";
  return R"(<game type="Game" name="nested" maings="GS_Main"><gamescreens>
      <gamescreen type="GameScreen" name="GS_Main"><window left="0" top="0"><widgets>
        <widget type="rect_widget" name="background" visible="yes" z="-1" width="2000" height="2000" color="$FF1E2A3A"/>)" +
         open + leaf + close +
         R"(<widget type="rect_widget" name="after" visible="yes" z="1" anchor_left="300" anchor_top="100" width="50" height="50" color="$FFB22222"/>
      </widgets></window></gamescreen></gamescreens></game>)";
}

struct GameRun {
  int status = -1;
  std::string log;
  SurfaceRef picture;
};

// Boots the definition in the headless runner, clicks on the leaf's place, takes a picture.
GameRun RunGame(const std::string& definition, const std::string& folderName) {
  const std::string key = "nesting-key-31415";
  const std::filesystem::path app = testing::TestOutputFolder() / folderName;
  std::error_code ec;
  std::filesystem::remove_all(app, ec);
  std::filesystem::create_directories(app / "data" / "ini");
  EXPECT_TRUE(WriteFileAtomic((app / "data" / "ini" / "Kestrelle.ini").string(), EncipherToHex(key, definition)));
  EXPECT_TRUE(WriteFileAtomic((app / "script.txt").string(), "at 80 click 120 120\nat 100 shot main\nat 120 quit\n"));

  const ProcessSettings saved = Settings();
  Settings().DataFileKey = key;
  Settings().GameFileName = "data\\ini\\Kestrelle.ini";
  std::ostringstream out, err;
  GameRun run;
  ::testing::internal::CaptureStderr();
  run.status = RunHeadless({"--app-dir", app.string(), "--user-dir", (app / "user").string(), "--script",
                            (app / "script.txt").string(), "--shots", (app / "shots").string()},
                           out, err, [] { testing::EnsureClassesRegistered(); });
  run.log = ::testing::internal::GetCapturedStderr() + err.str();
  Settings() = saved;
  GlobalOptions().Unload();
  if (std::optional<std::string> png = ReadWholeFile((app / "shots" / "main.png").string()))
    run.picture = DecodePng(*png, "main.png");
  return run;
}

uint32_t Opaque(const SurfaceRef& picture, int x, int y) { return picture->GetPixel(x, y) | 0xFF000000u; }

TEST(NestedGameDefinition, FarTooDeepStartsWithALogLineAndTheRestOfTheScreen) {
  GameRun run = RunGame(NestedGame(20000), "nested_far_too_deep");
  ASSERT_EQ(run.status, 0) << run.log;
  // The element past the limit is the "widgets" list of the group at the deepest loaded level.
  const std::string skipped = "/widget[name=g" + std::to_string(kDeepestLoadedLevel) + "]/widgets";
  EXPECT_NE(
      run.log.find("data\\ini\\Kestrelle.ini: /game[name=nested]/gamescreens/gamescreen[name=GS_Main]/window/...("),
      std::string::npos)
      << run.log;
  EXPECT_NE(run.log.find(skipped + ": objects nest deeper than"), std::string::npos) << run.log;
  ASSERT_TRUE(run.picture);
  EXPECT_EQ(Opaque(run.picture, 5, 5), 0xFF1E2A3Au);      // background
  EXPECT_EQ(Opaque(run.picture, 120, 120), 0xFF1E2A3Au);  // no leaf
  EXPECT_EQ(Opaque(run.picture, 320, 120), 0xFFB22222u);  // after
}

TEST(NestedGameDefinition, AsDeepAsObjectsMayNestLoadsWhole) {
  GameRun run = RunGame(NestedGame(kDeepestLoadedLevel), "nested_deepest");
  ASSERT_EQ(run.status, 0) << run.log;
  EXPECT_EQ(run.log.find("nest deeper"), std::string::npos) << run.log;
  ASSERT_TRUE(run.picture);
  EXPECT_EQ(Opaque(run.picture, 5, 5), 0xFF1E2A3Au);
  EXPECT_EQ(Opaque(run.picture, 120, 120), 0xFF2E8B57u);  // the leaf, drawn through every level
  EXPECT_EQ(Opaque(run.picture, 320, 120), 0xFFB22222u);
}

}  // namespace
}  // namespace kestrelle
