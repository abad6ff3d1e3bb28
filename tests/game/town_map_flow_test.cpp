// The town map end to end: kestrelle-headless runs the demo from a new player through the menu's
// start button, the story, the map's first-time note and the first dialogue to level 1, wins it
// and goes on through the actions to level 2; the run's log must list every picture taken, and
// the player file it leaves is read back. A second start comes back to the map with level 2 open.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "data/cipher.h"
#include "records/record_files.h"

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

// A profile value as the player file writes it; "(none)" when it is not there.
std::string ProfileValue(const std::string& users, const std::string& key) {
  const std::string mark = "name=\"" + key + "\" value=\"";
  const auto at = users.find(mark);
  if (at == std::string::npos) return "(none)";
  const auto start = at + mark.size();
  return users.substr(start, users.find('"', start) - start);
}

class TownMapFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    game_ = kBinary / "game";
    if (!fs::exists(game_ / "data" / "ini" / "Kestrelle.ini") || !fs::exists(kBinary / "bin" / "kestrelle-headless"))
      GTEST_SKIP() << "the demo data or kestrelle-headless is not built";
    work_ = fs::temp_directory_path() / ("kestrelle-town-map-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_ / "user");
    fs::create_directories(work_ / "shots");
  }
  void TearDown() override {
    if (!work_.empty() && !HasFailure()) fs::remove_all(work_);
  }

  int Run(const fs::path& script) {
    std::string command = "\"" + (kBinary / "bin" / "kestrelle-headless").string() + "\" --seed 7 --app-dir \"" +
                          game_.string() + "\" --user-dir \"" + (work_ / "user").string() + "\" --shots \"" +
                          (work_ / "shots").string() + "\" --script \"" + script.string() + "\" > \"" +
                          (work_ / "run.log").string() + "\" 2>&1";
    return std::system(command.c_str());
  }
  std::string Users() { return DecipherFromHex(record_files::kUsersKey, ReadFile(work_ / "user" / "users.dat")); }

  fs::path game_;
  fs::path work_;
};

TEST_F(TownMapFlow, ANewPlayerGoesThroughTheStoryTheMapAndTheFirstDialogueOnceAndWinsLevel1) {
  ASSERT_EQ(Run(kSource / "tests" / "game" / "data" / "town_map_flow.script"), 0) << ReadFile(work_ / "run.log");
  const std::string log = ReadFile(work_ / "run.log");
  for (const char* shot : {"flow_story", "flow_map_first_time", "flow_dialogue", "flow_dialogue_2", "flow_level_intro",
                           "flow_results", "flow_actions", "flow_level2_intro"})
    EXPECT_NE(log.find(std::string("shot ") + shot + " "), std::string::npos) << shot << "\n" << log;

  std::string users = Users();
  EXPECT_EQ(ProfileValue(users, "current_level"), "2") << users;
  EXPECT_EQ(ProfileValue(users, "total_money"), "239") << "the total of the results, bonuses included\n" << users;
  EXPECT_EQ(ProfileValue(users, "level_total_money_1"), "239") << users;
  EXPECT_EQ(ProfileValue(users, "clients_served"), "6") << users;
  EXPECT_EQ(ProfileValue(users, "level_expert_time_1"), "yes") << users;
  EXPECT_EQ(ProfileValue(users, "show_dialog_dialog_opening"), "yes") << users;
  EXPECT_EQ(ProfileValue(users, "show_history"), "yes") << users;
  EXPECT_EQ(ProfileValue(users, "show_map"), "yes") << users;

  // Back again: straight to the map, where level 2 is open and no dialogue comes up (the script
  // expects the calendar of the map on top), and Play starts level 2.
  ASSERT_EQ(Run(kSource / "tests" / "game" / "data" / "town_map_again.script"), 0) << ReadFile(work_ / "run.log");
  users = Users();
  EXPECT_EQ(ProfileValue(users, "current_level"), "2") << users;
  EXPECT_EQ(ProfileValue(users, "total_money"), "239") << users;
}

}  // namespace
}  // namespace kestrelle
