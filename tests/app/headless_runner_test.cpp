// The headless runner end to end: the real engine on the headless devices, a script of input,
// and a PNG of what the game drew.
#include "app/headless_runner.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "engine_test_support.h"
#include "media/image_decode.h"

namespace kestrelle::enginetest {
namespace {

constexpr uint32_t kBackground = 0xFF203040u;
constexpr uint32_t kSquare = 0xFFFFFFFFu;

// Draws a dark background and a white 20 × 20 square at the last click.
void InstallDrawingGame() {
  TTestGame::onUpdate = [](TTestGame& g, uint32_t) {
    if (g.elapsed.size() == 1 || (!g.mouse.empty() && g.mouse.back().message == WM_LBUTTONUP && g.draws < 2))
      g.engine->InvalidateRect(TRect{0, 0, 640, 480});
  };
  TTestGame::onDraw = [](TTestGame& g, const SurfaceRef& s) {
    bool clicked = !g.mouse.empty();
    for (int y = 0; y < s->GetHeight(); ++y) {
      uint32_t* row = s->GetScanLine(y);
      for (int x = 0; x < s->GetWidth(); ++x) {
        bool inSquare =
            clicked && x >= g.lastPoint.x && x < g.lastPoint.x + 20 && y >= g.lastPoint.y && y < g.lastPoint.y + 20;
        row[x] = inSquare ? kSquare : kBackground;
      }
    }
  };
}

class HeadlessRunnerTest : public EngineTest {
 protected:
  int Run(const std::string& script, std::vector<std::string> extra = {}) {
    std::filesystem::path scriptFile = appDir / "script.txt";
    WriteFileAtomic(scriptFile.string(), script);
    std::vector<std::string> args = {"--app-dir",  appDir.string(),
                                     "--user-dir", (appDir / "user").string(),
                                     "--script",   scriptFile.string(),
                                     "--shots",    (appDir / "shots").string(),
                                     "--seed",     "7"};
    args.insert(args.end(), extra.begin(), extra.end());
    out.str("");
    err.str("");
    return RunHeadless(args, out, err, [] { RegisterEngineTestClasses(); });
  }
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(HeadlessRunnerTest, WritesAPictureOfWhatTheGameDrew) {
  InstallDrawingGame();
  int status =
      Run("# a click, then a picture\n"
          "at 100 click 100 120\n"
          "at 200 shot after-click\n"
          "at 200 shot same-again\n"
          "at 300 close\n");
  ASSERT_EQ(status, 0) << err.str();
  std::smatch m;
  std::string text = out.str();
  ASSERT_TRUE(std::regex_search(text, m, std::regex("shot after-click crc32=([0-9A-F]{8})\n"))) << text;
  std::string crc = m[1];
  EXPECT_NE(text.find("shot same-again crc32=" + crc + "\n"), std::string::npos) << text;
  // Frames at 10, 20 ... 300 ms; the close at 300 ms ends the run after the frame of that time.
  EXPECT_NE(text.find("frames=30\n"), std::string::npos) << text;

  if (const char* keep = std::getenv("KESTRELLE_KEEP_SHOTS")) {  // to look at the picture
    std::error_code ec;
    std::filesystem::copy(appDir / "shots", keep,
                          std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive,
                          ec);
  }
  std::optional<std::string> png = ReadWholeFile((appDir / "shots" / "after-click.png").string());
  ASSERT_TRUE(png);
  SurfaceRef picture = DecodePng(*png, "after-click.png");
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->GetWidth(), 640);
  ASSERT_EQ(picture->GetHeight(), 480);
  EXPECT_EQ(picture->GetPixel(0, 0) | 0xFF000000u, kBackground);
  EXPECT_EQ(picture->GetPixel(100, 120) | 0xFF000000u, kSquare);
  EXPECT_EQ(picture->GetPixel(119, 139) | 0xFF000000u, kSquare);
  EXPECT_EQ(picture->GetPixel(120, 140) | 0xFF000000u, kBackground);
}

TEST_F(HeadlessRunnerTest, RelativeFoldersMeanTheFoldersWhereTheRunStarted) {
  InstallDrawingGame();
  WriteFileAtomic((appDir / "script.txt").string(), "at 100 shot relative\nat 200 close\n");
  std::filesystem::current_path(appDir.parent_path());
  const std::filesystem::path here = appDir.filename();
  int status = RunHeadless({"--app-dir", here.string(), "--user-dir", (here / "user").string(), "--script",
                            (here / "script.txt").string(), "--shots", (here / "relative-shots").string()},
                           out, err, [] { RegisterEngineTestClasses(); });
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  ASSERT_EQ(status, 0) << err.str();
  EXPECT_EQ(err.str(), "");
  EXPECT_TRUE(std::filesystem::exists(appDir / "relative-shots" / "relative.png"));
}

// The output without its start-up line, which must hold (the test game has no loading screen, so
// only the first frame is reached). The test game has no screen stack: no screen is listed.
std::string WithoutStartup(const std::string& text, bool framed) {
  static const std::regex framedLine("startup first_frame_ms=[0-9]+\\.[0-9] loaded_ms=- main_menu_ms=-\n");
  static const std::regex blankLine("startup first_frame_ms=- loaded_ms=- main_menu_ms=-\n");
  std::smatch m;
  if (!std::regex_search(text, m, framed ? framedLine : blankLine)) return "no start-up line in: " + text;
  return m.prefix().str() + m.suffix().str();
}

TEST_F(HeadlessRunnerTest, FrameLimitQuitAndStartFailure) {
  EXPECT_EQ(Run("", {"--frames", "12"}), 0);
  EXPECT_EQ(WithoutStartup(out.str(), true), "screens_shown\nframes=12\n");

  // "quit" ends the run without asking the game.
  TTestGame::canClose = false;
  EXPECT_EQ(Run("at 50 close\nat 95 quit\n"), 0);
  // Input that comes during the sleep before a frame is served after that frame (at 100 ms).
  EXPECT_EQ(WithoutStartup(out.str(), true), "screens_shown\nframes=10\n");

  std::filesystem::remove(appDir / "data" / "ini" / "Kestrelle.ini");
  EXPECT_EQ(Run("", {"--frames", "5"}), 1);
  EXPECT_EQ(WithoutStartup(out.str(), false), "screens_shown\nframes=0\n");
}

TEST_F(HeadlessRunnerTest, ABadCommandLineOrScriptLineIsAnError) {
  EXPECT_EQ(Run("at 10 move 1 2\nat 20 jump 3 4\n"), 2);
  EXPECT_NE(err.str().find("line 2: unknown command \"jump\""), std::string::npos) << err.str();
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Run("", {"--frames", "many"}), 2);
  EXPECT_EQ(RunHeadless({"--frames", "3"}, out, err, nullptr), 2);  // no program folder
}

}  // namespace
}  // namespace kestrelle::enginetest
