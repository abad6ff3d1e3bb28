// The game definition of a fixture, enciphered at test time, booted by the headless runner to a
// screen with a widget tree, and the picture it wrote.

#include <gtest/gtest.h>

#include <sstream>

#include "app/headless_runner.h"
#include "data/cipher.h"
#include "data/file_system.h"
#include "data/global_options.h"
#include "data/process_settings.h"
#include "data/user_files.h"
#include "media/image_decode.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

TEST(GameHeadless, BootsAFixtureGameToAScreenWithItsWidgetTree) {
  const std::string key = "fixture-key-2718";
  const std::filesystem::path app = testing::TestOutputFolder() / "widget_fixture_app";
  std::error_code ec;
  std::filesystem::remove_all(app, ec);
  std::filesystem::create_directories(app / "data" / "ini");
  std::optional<std::string> plain =
      ReadWholeFile(std::string(KESTRELLE_SOURCE_DIR) + "/tests/app/fixtures/widget_screen_game.xml");
  ASSERT_TRUE(plain);
  ASSERT_TRUE(WriteFileAtomic((app / "data" / "ini" / "Kestrelle.ini").string(), EncipherToHex(key, *plain)));
  ASSERT_TRUE(WriteFileAtomic((app / "script.txt").string(), "at 100 shot main\nat 120 quit\n"));

  const ProcessSettings saved = Settings();
  Settings().DataFileKey = key;
  Settings().GameFileName = "data\\ini\\Kestrelle.ini";
  std::ostringstream out, err;
  int status = RunHeadless({"--app-dir", app.string(), "--user-dir", (app / "user").string(), "--script",
                            (app / "script.txt").string(), "--shots", (app / "shots").string(), "--seed", "3"},
                           out, err, [] { testing::EnsureClassesRegistered(); });
  Settings() = saved;
  GlobalOptions().Unload();
  ASSERT_EQ(status, 0) << err.str();
  EXPECT_NE(out.str().find("\nscreens_shown GS_Main\n"), std::string::npos) << out.str();

  std::optional<std::string> png = ReadWholeFile((app / "shots" / "main.png").string());
  ASSERT_TRUE(png) << out.str();
  SurfaceRef picture = DecodePng(*png, "main.png");
  ASSERT_TRUE(picture);
  auto at = [&](int x, int y) { return picture->GetPixel(x, y) | 0xFF000000u; };
  EXPECT_EQ(at(5, 5), 0xFF1E2A3Au);      // background
  EXPECT_EQ(at(121, 91), 0xFFE0C070u);   // panel frame
  EXPECT_EQ(at(135, 105), 0xFF30343Cu);  // inside
  EXPECT_EQ(at(160, 230), 0xFF2E8B57u);  // ok
  EXPECT_EQ(at(300, 230), 0xFFB22222u);  // cancel
  EXPECT_EQ(at(420, 290), 0xFF1E2A3Au);  // right of and below the panel (right and bottom exclusive)
  // The glass at level 64 over "inside": each channel t + (s - t) * 64 / 256 or near it.
  const uint32_t glass = at(200, 150);
  EXPECT_NE(glass, 0xFF30343Cu);
  EXPECT_NEAR(static_cast<int>((glass >> 16) & 0xFF), 0x30 + (0xFF - 0x30) * 64 / 256, 2);
}

}  // namespace
}  // namespace kestrelle
