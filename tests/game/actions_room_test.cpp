// The actions, the room and the tool they bring, end to end on the demo data: a player with money
// in the bank and the garden shop finished (a players file written here) buys the flowers of the
// first personal step and the business cards of the first career step, sees the flowers arrive in
// the room, and in the next level chooses the heart tool over the hint for the single slot and
// uses it. The script (tests/game/data/actions_room.script) checks the screens as it goes; this
// test checks the room's pictures and what the players file keeps.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "data/cipher.h"
#include "media/image_decode.h"
#include "read_file.h"
#include "records/record_files.h"

namespace kestrelle {
namespace {

namespace fs = std::filesystem;

const fs::path kBinary = KESTRELLE_BINARY_DIR;
const fs::path kSource = KESTRELLE_SOURCE_DIR;

using testing::ReadFile;

// Ann, current, with 400 to spend and the garden shop's trophy earned.
const char* const kPlayers =
    R"(<userprofiles current_user_profile_name="Ann"><userprofile name="Ann"><params>)"
    R"(<param name="total_money" value="400"/><param name="shop_completed_ShopGarden" value="yes"/>)"
    R"(</params></userprofile></userprofiles>)";

class ActionsAndRoom : public ::testing::Test {
 protected:
  void SetUp() override {
    game_ = kBinary / "game";
    if (!fs::exists(game_ / "data" / "ini" / "Kestrelle.ini") || !fs::exists(kBinary / "bin" / "kestrelle-headless"))
      GTEST_SKIP() << "the demo data or kestrelle-headless is not built";
    work_ = fs::temp_directory_path() / ("kestrelle-actions-room-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_ / "user");
    fs::create_directories(work_ / "shots");
    std::ofstream(work_ / "user" / "users.dat", std::ios::binary)
        << EncipherToHex(record_files::kUsersKey, kPlayers) << "\n";
  }
  void TearDown() override {
    if (!work_.empty() && !HasFailure()) fs::remove_all(work_);
  }

  int Run(const fs::path& script) {
    const std::string command = "\"" + (kBinary / "bin" / "kestrelle-headless").string() + "\" --app-dir \"" +
                                game_.string() + "\" --user-dir \"" + (work_ / "user").string() + "\" --shots \"" +
                                (work_ / "shots").string() + "\" --script \"" + script.string() + "\" --seed 1 > \"" +
                                (work_ / "run.log").string() + "\" 2>&1";
    return std::system(command.c_str());
  }

  // Whether the shot's pixel is within a few steps of the colour on every channel.
  bool Near(const std::string& shot, int x, int y, uint32_t rgb) {
    const uint32_t got = Pixel(shot, x, y);
    for (int shift : {0, 8, 16})
      if (std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((rgb >> shift) & 0xFF)) > 8) {
        ADD_FAILURE() << shot << " at (" << x << ", " << y << "): " << std::hex << got;
        return false;
      }
    return true;
  }
  uint32_t Pixel(const std::string& shot, int x, int y) {
    const fs::path file = work_ / "shots" / (shot + ".png");
    SurfaceRef picture = DecodePng(ReadFile(file), file.string());
    EXPECT_TRUE(picture) << "no picture " << file;
    return picture ? picture->GetPixel(x, y) & 0xFFFFFF : 0;
  }

  fs::path game_;
  fs::path work_;
};

TEST_F(ActionsAndRoom, BoughtItemsDoTheStepsFillTheRoomAndBringTheHeartTool) {
  ASSERT_EQ(Run(kSource / "tests" / "game" / "data" / "actions_room.script"), 0) << ReadFile(work_ / "run.log");
  const std::string log = ReadFile(work_ / "run.log");
  EXPECT_EQ(log.find("expect"), std::string::npos) << log;

  // The flowers' place showed the placeholder before and shows the flowers after; the photo
  // album, not bought, keeps its placeholder.
  const uint32_t kPlaceholder = 0xF8F0E0;
  EXPECT_TRUE(Near("room_before", 640, 160, kPlaceholder));
  const uint32_t flowers = Pixel("room_after", 640, 160);
  EXPECT_GT(std::abs(static_cast<int>(flowers & 0xFF) - static_cast<int>(kPlaceholder & 0xFF)), 40)
      << std::hex << flowers;
  EXPECT_TRUE(Near("room_before", 312, 392, kPlaceholder));
  EXPECT_TRUE(Near("room_after", 312, 392, kPlaceholder));

  // Both items paid (400 - 100 - 250), both tracks one step up, the heart tool owned.
  const std::string users = DecipherFromHex(record_files::kUsersKey, ReadFile(work_ / "user" / "users.dat"));
  for (const char* saved :
       {R"(name="total_money" value="50")", R"(name="item_exists_flowers" value="yes")",
        R"(name="item_exists_business_card" value="yes")", R"(name="actions_personal_level" value="1")",
        R"(name="actions_careers_level" value="1")", R"(name="action_done_careers_1" value="yes")",
        R"(name="tool_Heart" value="1")", R"(name="show_actions_tutorial" value="yes")"})
    EXPECT_NE(users.find(saved), std::string::npos) << saved << "\n" << users;
  // Nothing else was bought, and the education and fitness tracks did not move.
  EXPECT_EQ(users.find("item_exists_photo_album"), std::string::npos) << users;
  EXPECT_EQ(users.find("actions_fitness_level"), std::string::npos) << users;
}

}  // namespace
}  // namespace kestrelle
