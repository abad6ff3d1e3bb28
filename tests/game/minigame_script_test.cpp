// Find Pairs over the demo data, end to end: kestrelle-headless opens "GS_MiniGame_pairs" with a
// script and a fixed seed (so the board of each round is known), plays it through (with a wrong
// pair that reshuffles the board) or skips it, and checks the completion screen's title and money;
// quit through the pause menu over a level, it leaves the level not completed. The seed challenge
// inside level 2 is won once and failed once: the client's hearts go up or down. Level 4 played
// through leads to Find Pairs, whose bonus the level closes with. Square, Yang, Hurdle and Path are
// each solved on their own screens, and their bonus reaches the screen below. Puzzle is played
// through: a piece put down short of its place stays there, every piece put on its place glides
// in, and the close button under the whole picture ends it. Satchel is packed, with a reset and a
// refused drop on the way. Find the Differences is played through, one difference found on the
// picture without it. Remove Items is played over the room of a player who owns some of its things
// (a players file written here), so the room drawn under the picture is that player's.
// Odd One Out is played through with a wrong click that shuffles the board, and the Stamp pieces
// are joined into one stamp, with a put-down too far from its neighbour on the way. The second
// pictures of the four picture minigames are won on their own screens with their own bonus: the
// harbour puzzle, the picnic basket (an L refused at the basket's edge), the park's differences
// (two found on the other picture) and the kitchen, where the same room owner's things are not
// drawn.

#include <gtest/gtest.h>
#include <sys/wait.h>
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

struct ScriptRun {
  const char* script;
  int seed;
  // The players file the run starts with (plain XML); none: the script makes its player.
  const char* players = nullptr;
};

// Ann, current, who owns the flowers, the bicycle and the laptop and has the trophy of three shops;
// she has not seen the skip hint yet.
const char* const kRoomOwner =
    R"(<userprofiles current_user_profile_name="Ann"><userprofile name="Ann"><params>)"
    R"(<param name="item_exists_flowers" value="yes"/><param name="item_exists_bicycle" value="yes"/>)"
    R"(<param name="item_exists_laptop" value="yes"/><param name="trophy_3_shops" value="yes"/>)"
    R"(</params></userprofile></userprofiles>)";

class MinigameScript : public ::testing::TestWithParam<ScriptRun> {
 protected:
  void SetUp() override {
    const fs::path binary = KESTRELLE_BINARY_DIR;
    game_ = binary / "game";
    runner_ = binary / "bin" / "kestrelle-headless";
    if (!fs::exists(game_ / "data" / "ini" / "Kestrelle.ini") || !fs::exists(runner_))
      GTEST_SKIP() << "the demo data or kestrelle-headless is not built";
    work_ = fs::temp_directory_path() / ("kestrelle-minigame-script-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_ / "user");
    if (const char* players = GetParam().players)
      std::ofstream(work_ / "user" / "users.dat", std::ios::binary)
          << EncipherToHex(record_files::kUsersKey, players) << "\n";
  }
  void TearDown() override {
    if (!work_.empty() && !HasFailure()) fs::remove_all(work_);
  }

  fs::path game_;
  fs::path runner_;
  fs::path work_;
};

// Each script ends on the main menu; an expectation that does not hold ends the run with 3.
TEST_P(MinigameScript, RunsToTheEnd) {
  const fs::path script = fs::path(KESTRELLE_SOURCE_DIR) / "tests" / "game" / "data" / GetParam().script;
  const fs::path log = work_ / "run.log";
  const std::string command = "\"" + runner_.string() + "\" --app-dir \"" + game_.string() + "\" --user-dir \"" +
                              (work_ / "user").string() + "\" --seed " + std::to_string(GetParam().seed) +
                              " --script \"" + script.string() + "\" > \"" + log.string() + "\" 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream in(log);
  std::ostringstream text;
  text << in.rdbuf();
  ASSERT_TRUE(WIFEXITED(status)) << text.str();
  EXPECT_EQ(WEXITSTATUS(status), 0) << text.str();
  EXPECT_EQ(text.str().find("expect"), std::string::npos) << text.str();
}

INSTANTIATE_TEST_SUITE_P(
    Demo, MinigameScript,
    ::testing::Values(ScriptRun{"find_pairs_completed.script", 5}, ScriptRun{"find_pairs_skipped.script", 5},
                      ScriptRun{"find_pairs_quit.script", 5}, ScriptRun{"seed_challenge_won.script", 12},
                      ScriptRun{"seed_challenge_failed.script", 12}, ScriptRun{"level_to_find_pairs.script", 7},
                      ScriptRun{"square_completed.script", 5}, ScriptRun{"yang_completed.script", 5},
                      ScriptRun{"hurdle_completed.script", 5}, ScriptRun{"path_completed.script", 5},
                      ScriptRun{"puzzle_completed.script", 5}, ScriptRun{"satchel_packed.script", 5},
                      ScriptRun{"diffs_found.script", 5}, ScriptRun{"remove_items_completed.script", 5, kRoomOwner},
                      ScriptRun{"redundant_completed.script", 5}, ScriptRun{"stamp_completed.script", 5},
                      ScriptRun{"puzzle_harbour_completed.script", 5}, ScriptRun{"satchel_picnic_packed.script", 5},
                      ScriptRun{"diffs_park_found.script", 5},
                      ScriptRun{"remove_kitchen_completed.script", 5, kRoomOwner}),
    // Named after the script ("find_pairs_completed"), not the bytes of the parameter.
    [](const ::testing::TestParamInfo<ScriptRun>& info) { return fs::path(info.param.script).stem().string(); });

}  // namespace
}  // namespace kestrelle
