// The widget commands of the headless script over the demo data: the script finds its widgets
// by path (it waits for the loading screen's Continue button, names the first player, opens the
// options with `clickw` and reads the music slider with `expect`), and a check that does not
// hold fails the run with a line that says what was expected.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kestrelle {
namespace {

namespace fs = std::filesystem;

class DemoWidgetScript : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path binary = KESTRELLE_BINARY_DIR;
    game_ = binary / "game";
    runner_ = binary / "bin" / "kestrelle-headless";
    if (!fs::exists(game_ / "data" / "ini" / "Kestrelle.ini") || !fs::exists(runner_))
      GTEST_SKIP() << "the demo data or kestrelle-headless is not built";
    work_ = fs::temp_directory_path() / ("kestrelle-widget-script-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_);
  }
  void TearDown() override {
    if (!work_.empty() && !HasFailure()) fs::remove_all(work_);
  }

  // Runs the script as a first run (no players yet); the exit status, with the output in `log`.
  int Run(const std::string& script, std::string& log) {
    const fs::path file = work_ / "test.script";
    std::ofstream(file) << script;
    fs::remove_all(work_ / "user");
    const std::string command = "\"" + runner_.string() + "\" --app-dir \"" + game_.string() + "\" --user-dir \"" +
                                (work_ / "user").string() + "\" --script \"" + file.string() + "\" > \"" +
                                (work_ / "run.log").string() + "\" 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(work_ / "run.log");
    std::ostringstream text;
    text << in.rdbuf();
    log = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path game_;
  fs::path runner_;
  fs::path work_;
};

// Up to the main menu with its first player; the options open from there.
const char* const kToTheOptions =
    "at 0 waitw button_continue 10000\n"
    "at 100 clickw button_continue\n"
    "at 200 waitw edit_name 5000\n"
    "at 700 char Ann\n"
    "at 800 clickw button_ok\n"
    "at 900 waitw button_options 5000\n"
    "at 1500 clickw button_options\n"
    "at 1600 waitw trackbar_musicvolume 5000\n";

TEST_F(DemoWidgetScript, FindsWidgetsByPathAndChecksTheirProperties) {
  std::string log;
  const std::string script = std::string(kToTheOptions) +
                             "at 2100 expect trackbar_musicvolume position 60\n"
                             "at 2100 expect trackbar_soundvolume/image_slider visible yes\n"
                             "at 2100 expect checkbox_showhints CheckBoxState yes\n"
                             "at 2200 quit\n";
  EXPECT_EQ(Run(script, log), 0) << log;
  EXPECT_EQ(log.find("expect"), std::string::npos) << log;
}

TEST_F(DemoWidgetScript, ACheckThatDoesNotHoldFailsTheRun) {
  std::string log;
  const std::string script = std::string(kToTheOptions) +
                             "at 2100 expect trackbar_musicvolume position 35\n"
                             "at 2200 quit\n";
  EXPECT_EQ(Run(script, log), 3) << log;
  EXPECT_NE(log.find("test.script: line 9: expect trackbar_musicvolume position: expected \"35\", found \"60\""),
            std::string::npos)
      << log;

  const std::string missing = "at 0 waitw button_that_is_not_there 300\nat 1000 quit\n";
  EXPECT_EQ(Run(missing, log), 3) << log;
  EXPECT_NE(log.find("line 1: waitw button_that_is_not_there: after 300 ms the widget does not exist"),
            std::string::npos)
      << log;
}

}  // namespace
// The main menu publishes every shop collection as a game setting: the script reads their sizes
// through "setting:NAME" paths while the menu is up, and a count that differs fails the run.
TEST_F(DemoWidgetScript, TheMainMenuPublishesEveryShopCollection) {
  std::string log;
  const std::string toTheMenu =
      "at 0 waitw button_continue 10000\n"
      "at 100 clickw button_continue\n"
      "at 200 waitw edit_name 5000\n"
      "at 700 char Ann\n"
      "at 800 clickw button_ok\n"
      "at 900 waitw button_options 5000\n";
  const std::string script = toTheMenu +
                             "at 1000 expect setting:map_defs count 6\n"
                             "at 1000 expect setting:shop_defs count 6\n"
                             "at 1000 expect setting:level_def_refs count 49\n"
                             "at 1000 expect setting:station_defs count 4\n"
                             "at 1000 expect setting:dialog_defs count 6\n"
                             "at 1000 expect setting:action_item_defs count 23\n"
                             "at 1000 expect setting:action_defs count 15\n"
                             "at 1000 expect setting:room_item_defs count 8\n"
                             "at 1000 expect setting:minigame_defs count 15\n"
                             "at 1100 quit\n";
  EXPECT_EQ(Run(script, log), 0) << log;

  EXPECT_EQ(Run(toTheMenu + "at 1000 expect setting:shop_defs count 2\nat 1100 quit\n", log), 3) << log;
  EXPECT_NE(log.find("expect setting:shop_defs count: expected \"2\", found \"6\""), std::string::npos) << log;
  EXPECT_EQ(Run(toTheMenu + "at 1000 waitw setting:no_such_setting 100\nat 1500 quit\n", log), 3) << log;
}

}  // namespace kestrelle
