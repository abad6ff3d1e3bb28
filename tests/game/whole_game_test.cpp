// The whole game end to end on the demo data. The start: a new player from an empty user folder
// through the story, the guided level, four levels with the actions, the room and Find Pairs, the
// map with the next shop and quitting, then a second start that finds it all kept. The end: a
// player who has played 47 levels and done every action but the last career step plays level
// 48, gets the shop trophies and the fashion shop's certificate, does the last career step, is
// told the end, finds the game's score in the high-score table, and on a second start looks round
// the options, the players and every minigame. The players files and the high-score file they
// leave are read back. And the game's screens: every kind of screen of the game definition must
// be shown by one of the two whole-game scripts or their second starts.

#include <algorithm>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "data/cipher.h"
#include "data/hier_storage.h"
#include "data/user_files.h"
#include "demo_run.h"
#include "game/startup.h"
#include "records/record_files.h"

namespace kestrelle::testing {
namespace {

constexpr int kEndSeed = 11;
// The seed the start script's clicks are written for.
constexpr int kStartSeed = 7;
constexpr const char* kStartScript = "whole_game_start.script";
constexpr const char* kStartAgainScript = "whole_game_again.script";
constexpr const char* kEndScript = "whole_game_end.script";
constexpr const char* kEndTourScript = "whole_game_tour.script";

// The plain screen kind: only the screens that hold what other screens are made from (the
// factories of the town map's objects and the shop content, the particle effects' factories)
// are of it, and no player reaches them.
const std::set<std::string> kKindsNeverShown = {"GameScreen"};

struct LevelFlags {
  bool expertTime;
  bool expertPatience;
};

// Ann near the end: 47 levels played (eleven of them in expert time, eleven with every client
// happy, both one short of their trophies), five shops finished, the personal, education and
// fitness tracks done and the careers track at step 5, with what those steps brought (tools, a
// second slot) and every story seen.
std::string EndGamePlayers() {
  std::vector<std::pair<std::string, std::string>> values = {{"current_level", "48"},
                                                             {"total_money", "800"},
                                                             {"clients_served", "560"},
                                                             {"trophy_clients", "yes"},
                                                             {"shops_completed", "5"},
                                                             {"trophy_3_shops", "yes"},
                                                             {"expert_time_levels_cnt", "11"},
                                                             {"expert_patience_levels_cnt", "11"},
                                                             {"tool_Heart", "3"},
                                                             {"tool_Ice", "1"},
                                                             {"tool_slots_cnt", "2"},
                                                             {"tool_cnt_Hint_1", "1"},
                                                             {"tool_cnt_Heart_3", "2"},
                                                             {"tool_cnt_Ice_1", "3"},
                                                             {"show_tool_tipIce_1", "yes"}};
  for (const char* seen : {"show_history", "show_map", "show_calendar_tutor", "show_room_tutor", "show_tutorial",
                           "show_actions_tutorial", "show_experttime_hine"})
    values.emplace_back(seen, "yes");
  for (const char* dialogue : {"opening", "bakery", "books", "toys", "tea", "fashion"})
    values.emplace_back(std::string("show_dialog_dialog_") + dialogue, "yes");
  for (const char* shop : {"ShopGarden", "ShopBakery", "ShopBooks", "ShopToys", "ShopTea"})
    values.emplace_back(std::string("shop_completed_") + shop, "yes");
  for (int level = 1; level <= 47; ++level) {
    const std::string n = std::to_string(level);
    // Expert time in the levels 1 to 9, 41 and 46; every client happy in 1 to 8, 42, 44 and 47.
    const bool time = level <= 9 || level == 41 || level == 46;
    const bool patience = level <= 8 || level == 42 || level == 44 || level == 47;
    values.emplace_back("level_total_money_" + n, std::to_string(100 + 10 * level));
    values.emplace_back("level_expert_time_" + n, time ? "yes" : "no");
    values.emplace_back("level_expert_patience_" + n, patience ? "yes" : "no");
  }
  for (const auto& [track, steps] : {std::pair{"personal", 3}, {"education", 3}, {"fitness", 3}, {"careers", 5}}) {
    values.emplace_back(std::string("actions_") + track + "_level", std::to_string(steps));
    for (int step = 1; step <= steps; ++step)
      values.emplace_back(std::string("action_done_") + track + "_" + std::to_string(step), "yes");
  }
  for (const char* item : {"flowers", "photo_album", "holiday", "course_book", "laptop", "diploma_fee", "running_shoes",
                           "bicycle", "gym_pass", "business_card", "suit", "office", "car", "sign"})
    values.emplace_back(std::string("item_exists_") + item, "yes");
  std::string xml = R"(<userprofiles current_user_profile_name="Ann"><userprofile name="Ann"><params>)";
  for (const auto& [name, value] : values) xml += "<param name=\"" + name + "\" value=\"" + value + "\"/>";
  return xml + "</params></userprofile></userprofiles>";
}

// The best money of the levels 1 to 47 above.
constexpr int64_t kScoreBeforeLevel48 = 47 * 100 + 10 * (47 * 48 / 2);

// The table the demo's high-score screen shows, with two earlier games in it.
const char* const kHighScores =
    R"(<highscores><recordtables><recordtable name="europe"><records>)"
    R"(<record name="r"><params><param name="Score">30000</param><param name="Player">Maud</param></params></record>)"
    R"(<record name="r"><params><param name="Score">9000</param><param name="Player">Tom</param></params></record>)"
    R"(</records></recordtable></recordtables></highscores>)";

class WholeGame : public DemoRun {
 protected:
  void WriteHighScores(const std::string& xml) const {
    std::ofstream(work_ / "user" / "highscores.dat", std::ios::binary)
        << EncipherToHex(record_files::kHighScoresKey, xml) << "\n";
  }

  // The records of a high-score table in the file the run left, as "Player=Score", best first.
  std::vector<std::string> HighScoreTable(const std::string& table) const {
    std::vector<std::string> rows;
    StorageRef root = LoadStorageFromString(
        DecipherFromHex(record_files::kHighScoresKey, ReadFile(work_ / "user" / "highscores.dat")));
    StorageRef tables = root ? root->GetChild("recordtables", 0) : nullptr;
    for (int i = 0; tables && i < tables->GetChildCount("recordtable"); ++i) {
      StorageRef found = tables->GetChild("recordtable", i);
      if (ReadString(found, "name", "") != table) continue;
      StorageRef records = found->GetChild("records", 0);
      for (int r = 0; records && r < records->GetChildCount("record"); ++r) {
        StorageRef params = records->GetChild("record", r)->GetChild("params", 0);
        std::string player, score;
        for (int p = 0; params && p < params->GetChildCount("param"); ++p) {
          StorageRef param = params->GetChild("param", p);
          (ReadString(param, "name", "") == "Player" ? player : score) = param->ReadText().ToString();
        }
        rows.push_back(player + "=" + score);
      }
    }
    return rows;
  }

  // The screens a run's log lists as shown, in the order of their first showing.
  static std::vector<std::string> ScreensShown(const std::string& log) {
    std::vector<std::string> shown;
    const std::string head = "\nscreens_shown";
    const size_t line = log.find(head);
    if (line == std::string::npos) return shown;
    const size_t start = line + head.size();
    std::istringstream names(log.substr(start, log.find('\n', start) - start));
    for (std::string name; names >> name;) shown.push_back(name);
    return shown;
  }

  // Every screen of the built game definition and its kind (registered class), as the game reads
  // it (from its program folder, where the screens kept in files of their own are found).
  std::map<std::string, std::string> GameScreenKinds() const {
    std::map<std::string, std::string> kinds;
    const std::string appPath = GetAppPath();
    SetAppPath(game_.string());
    StorageRef game =
        LoadStorageFromString(DecipherFromHex(kDataFileKey, ReadFile(game_ / "data" / "ini" / "Kestrelle.ini")));
    StorageRef screens = game ? game->GetChild("gamescreens", 0) : nullptr;
    for (int i = 0; screens && i < screens->GetChildCount("gamescreen"); ++i) {
      StorageRef screen = screens->GetChild("gamescreen", i);
      kinds[ReadString(screen, "name", "")] = ReadString(screen, "type", "");
    }
    SetAppPath(appPath);
    return kinds;
  }

  // The kinds of screen of the game that none of the logs shows a screen of.
  std::vector<std::string> KindsNotShown(const std::vector<std::string>& logs) const {
    const std::map<std::string, std::string> kinds = GameScreenKinds();
    std::set<std::string> shown;
    for (const std::string& log : logs)
      for (const std::string& name : ScreensShown(log))
        if (kinds.count(name)) shown.insert(kinds.at(name));
    std::set<std::string> missing;
    for (const auto& [name, kind] : kinds)
      if (!shown.count(kind) && !kKindsNeverShown.count(kind)) missing.insert(kind);
    return {missing.begin(), missing.end()};
  }

  // The screens of the game that none of the logs shows.
  std::vector<std::string> ScreensNotShown(const std::vector<std::string>& logs) const {
    std::set<std::string> shown;
    for (const std::string& log : logs)
      for (const std::string& name : ScreensShown(log)) shown.insert(name);
    std::vector<std::string> missing;
    for (const auto& [name, kind] : GameScreenKinds())
      if (!shown.count(name) && !kKindsNeverShown.count(kind)) missing.push_back(name);
    return missing;
  }

  // The start script and its second start, on one user folder; their logs.
  std::vector<std::string> PlayStart() {
    std::vector<std::string> logs;
    EXPECT_EQ(Play(kStartScript, kStartSeed), 0) << Log();
    logs.push_back(Log());
    EXPECT_EQ(Play(kStartAgainScript, kStartSeed), 0) << Log();
    logs.push_back(Log());
    return logs;
  }

  // The end script from its players file and high scores, then its second start; their logs.
  std::vector<std::string> PlayEnd() {
    std::vector<std::string> logs;
    std::filesystem::remove_all(work_ / "user");
    WritePlayers(EndGamePlayers());
    WriteHighScores(kHighScores);
    EXPECT_EQ(Play(kEndScript, kEndSeed), 0) << Log();
    logs.push_back(Log());
    EXPECT_EQ(Play(kEndTourScript, kEndSeed), 0) << Log();
    logs.push_back(Log());
    return logs;
  }

  static std::string Join(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
    return text;
  }
};

TEST_F(WholeGame, TheLastLevelTheLastCareerStepTheEndAndTheHighScores) {
  WritePlayers(EndGamePlayers());
  WriteHighScores(kHighScores);
  ASSERT_EQ(Play(kEndScript, kEndSeed), 0) << Log();
  const std::string log = Log();
  for (const char* shot :
       {"end_map", "end_shop_completed", "end_tools", "end_award", "end_results", "end_last_shop_level",
        "end_new_action", "end_complete_tasks", "end_action", "end_game_final", "end_actions_done", "end_room",
        "end_final", "end_high_scores", "end_game_completed", "end_replay"})
    EXPECT_NE(log.find(std::string("shot ") + shot + " "), std::string::npos) << shot << "\n" << log;

  // Level 48 booked: every level played, the sixth shop finished, and the eleven expert-time
  // levels before it made twelve, which won that trophy too.
  EXPECT_EQ(PlayerValue("current_level"), "49");
  EXPECT_EQ(PlayerValue("level_total_money_48"), "736");
  EXPECT_EQ(PlayerValue("level_expert_time_48"), "yes");
  EXPECT_EQ(PlayerValue("expert_time_levels_cnt"), "12");
  EXPECT_EQ(PlayerValue("trophy_levels_expert_time"), "yes");
  EXPECT_EQ(PlayerValue("shop_completed_ShopFashion"), "yes");
  EXPECT_EQ(PlayerValue("shops_completed"), "6");
  EXPECT_EQ(PlayerValue("trophy_6_shops"), "yes");
  // The last career step, bought with the loan, ends the game; the end was told.
  EXPECT_EQ(PlayerValue("item_exists_bank_loan"), "yes");
  EXPECT_EQ(PlayerValue("actions_careers_level"), "6");
  EXPECT_EQ(PlayerValue("action_done_careers_6"), "yes");
  EXPECT_EQ(PlayerValue("game_completed"), "yes");
  EXPECT_EQ(PlayerValue("show_final"), "yes");
  // Day 1 played again for 210 instead of 110: 800 + 736 - 750 + 100.
  EXPECT_EQ(PlayerValue("level_total_money_1"), "210");
  EXPECT_EQ(PlayerValue("total_money"), "886");
  EXPECT_EQ(PlayerValue("current_level"), "49") << "a replay moves nothing on";

  // The score, the best money of every level when the end was told, between the two earlier games.
  EXPECT_EQ(HighScoreTable("europe"),
            (std::vector<std::string>{"Maud=30000", "Ann=" + std::to_string(kScoreBeforeLevel48 + 736), "Tom=9000"}));

  // What the script covered, for the screen list of the two whole-game scripts.
  std::cout << "the end script showed: " << Join(ScreensShown(log))
            << "\nand left unshown: " << Join(ScreensNotShown({log})) << "\n";
}

TEST_F(WholeGame, ANewPlayerFromTheStoryThroughTheGuidedLevelAndFourLevelsAndBackAgain) {
  ASSERT_EQ(Play(kStartScript, kStartSeed), 0) << Log();
  const std::string log = Log();
  for (const char* shot : {"start_new_player",
                           "start_story",
                           "start_map_first_time",
                           "start_dialogue",
                           "guided_start_level",
                           "guided_page_0",
                           "guided_results",
                           "level1_results",
                           "actions",
                           "result_personal_1",
                           "room",
                           "coin_hint",
                           "level2_results",
                           "level3_results",
                           "pairs_round1",
                           "pairs_completed",
                           "pause_menu",
                           "query_main_menu",
                           "shop_locked",
                           "quit"})
    EXPECT_NE(log.find(std::string("shot ") + shot + " "), std::string::npos) << shot << "\n" << log;
  // The guided level is seen and books nothing; levels 1 to 4 are; the flowers are bought and the
  // first personal step done; the hint was used; level 5 was left, so it is still the next one.
  EXPECT_EQ(PlayerValue("show_tutorial"), "yes");
  EXPECT_EQ(PlayerValue("current_level"), "5");
  for (const char* level : {"1", "2", "3", "4"})
    EXPECT_NE(PlayerValue(std::string("level_total_money_") + level), "-") << level;
  EXPECT_EQ(PlayerValue("item_exists_flowers"), "yes");
  EXPECT_EQ(PlayerValue("actions_personal_level"), "1");
  EXPECT_EQ(PlayerValue("total_money"), "1019");
  EXPECT_EQ(PlayerValue("level_total_money_5"), "-");

  // A second start on the same folder: the script expects the map with days 1 to 4 done.
  ASSERT_EQ(Play(kStartAgainScript, kStartSeed), 0) << Log();
  EXPECT_EQ(PlayerValue("current_level"), "5");
  EXPECT_EQ(PlayerValue("total_money"), "1019");
}

// The two whole-game scripts with their second starts show every kind of screen of the game; the
// screens of a kind shown elsewhere are listed, not required.
TEST_F(WholeGame, TheTwoWholeGameScriptsShowEveryKindOfScreenOfTheGame) {
  std::vector<std::string> logs = PlayStart();
  for (const std::string& log : PlayEnd()) logs.push_back(log);
  std::set<std::string> shown;
  for (const std::string& log : logs)
    for (const std::string& name : ScreensShown(log)) shown.insert(name);
  std::cout << "screens shown: " << Join({shown.begin(), shown.end()})
            << "\nscreens not shown (of kinds shown elsewhere): " << Join(ScreensNotShown(logs)) << "\n";
  const std::vector<std::string> missing = KindsNotShown(logs);
  EXPECT_TRUE(missing.empty()) << "kinds of screen neither whole-game script shows: " << Join(missing);
}

}  // namespace
}  // namespace kestrelle::testing
