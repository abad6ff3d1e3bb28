// The guided level's control on the small level screen of the control tests, with four stations
// named as the demo's and the fourteen step pages: its scripted clients, and the whole guided
// play from the first client to the results, page by page.
#include "game/tutorial/control_game_tutorial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../level/level_control_fixture.h"
#include "game/level/level_codes.h"
#include "game/level/shop_client.h"
#include "game/level/shop_station.h"
#include "game/tutorial/client_manager_tutorial.h"
#include "game/tutorial/tutorial_steps.h"

namespace kestrelle {
namespace {

using testing::ControlXml;
using testing::Level;

// Pages 0, 1, 4, 5, 6 and 12 are only hidden by a press; the others advance.
std::string StepPages() {
  std::string pages = R"(<widget type="states_widget" name="states" visible="yes"><widgets>)";
  for (int page = 0; page <= 13; ++page) {
    const bool hides = page == 0 || page == 1 || page == 4 || page == 5 || page == 6 || page == 12;
    pages += "<widget type=\"rect_widget\" name=\"" + std::to_string(page) + "\" visible=\"no\"" +
             (hides ? R"( extraparams="\show_next_state=no")" : "") + "/>";
  }
  return pages + "</widgets></widget>" + R"(<widget type="rect_widget" name="DEBUG" extraparams="\text=-"/>)";
}

struct GuidedLevel : Level {
  GuidedLevel()
      : Level(4, {{"client_goal", "5"}, {"minigames", "seeds;"}, {"minigame_prob", "0"}},
              ControlXml("KestrelleControlGameTutorial", StepPages()), "station_") {
    h.screen->Activate();
    // Without the scenery: every ordered item is one a press can find.
    SetDataFileReader([](const std::string& name) -> std::optional<std::string> {
      std::string file = testing::kLevelFile;
      const size_t wall = file.find("<item name=\"wall\"");
      file.erase(wall, file.find("/>", wall) + 2 - wall);
      if (name == "levels/t.xml") return file;
      return std::nullopt;
    });
  }
  std::shared_ptr<TKestrelleControlGameTutorial> Guided() {
    return std::dynamic_pointer_cast<TKestrelleControlGameTutorial>(control);
  }
  int64_t Counter() { return Guided()->GetStepCounter(); }
  // The one page shown ("-" when none is).
  std::string ShownPage() {
    std::string shown = "-";
    for (int page = 0; page <= 13; ++page)
      if (h.Find("states/" + std::to_string(page))->GetVisible()) shown = std::to_string(page);
    return shown;
  }
  ShopClientRef Client(int station) { return Station(station)->GetClient(); }
  std::string ClientState(int station) {
    ShopClientRef client = Client(station);
    return client ? client->GetProperty("state").ToString() : "(none)";
  }
  void ClickStation(int station) { h.Click(150 * station + 10, 50); }
  // Presses the shelf items of the active client's unsolved ordinary lines.
  void FindOrderedItems(int station) {
    const std::string ids = Client(station)->GetOrderItemIds(true);
    for (const auto& [id, x] : {std::pair{"cap", 310}, {"mug", 370}, {"pen", 430}})
      if (ids.find(std::string(id) + ";") != std::string::npos) h.Click(x, 410);
  }
  void FinishHide(int station) {
    const std::string name = "hide_client_" + Client(station)->GetName();
    Finish(name);
  }
};

TEST(ControlGameTutorial, ScriptedClientsComeOnlyToFreeStationsWithTheirScriptsOrders) {
  GuidedLevel level;
  level.Command(level_codes::kStartLevel, {{"level", "6"}, {"shop_name", "ShopGarden"}});
  EXPECT_EQ(level.Prop("scenario_group/scenario_start_level/LevelName"), "%level_Tutorial%");
  EXPECT_FALSE(level.Has("button_hints"));
  // One station open so far: of three clients asked for, one comes.
  level.h.Frame(1000);
  auto manager = std::dynamic_pointer_cast<IClientManagerTutorial>(level.control->GetClientManager());
  ASSERT_TRUE(manager);
  manager->GenerateScriptedClients(3, tutorial::kScriptVip);
  EXPECT_EQ(level.Client(0)->GetProperty("vip").ToString(), "yes");
  EXPECT_FALSE(level.Client(1));
  const std::string first = level.Client(0)->GetOrderItemIds(false);
  EXPECT_EQ(std::count(first.begin(), first.end(), ';'), 3) << first;  // three ordinary lines
  EXPECT_EQ(first.find("seeds"), std::string::npos) << first;
  // The clock of the guided level brings nobody by itself.
  level.h.Frame(7000);
  EXPECT_FALSE(level.Client(1));
  manager->GenerateScriptedClients(1, tutorial::kScriptMinigame);
  ASSERT_TRUE(level.Client(1));
  EXPECT_EQ(level.Client(1)->GetProperty("vip").ToString(), "no");
  const std::string ids = level.Client(1)->GetOrderItemIds(false);
  EXPECT_EQ(ids.substr(ids.size() - 6), "seeds;") << ids;  // two ordinary lines, then the minigame
  EXPECT_EQ(std::count(ids.begin(), ids.end(), ';'), 3);
}

TEST(ControlGameTutorial, GuidedPlayFromTheFirstClientToTheResults) {
  GuidedLevel level;
  level.Command(level_codes::kStartLevel, {{"level", "6"}, {"shop_name", "ShopGarden"}});
  level.h.Frame(7000);  // every station open
  level.Finish("scenario_start_level");
  EXPECT_EQ(level.control->GetState(), kLevelStateGuided);
  EXPECT_EQ(level.ShownPage(), "0");
  EXPECT_EQ(level.Counter(), 1);
  EXPECT_EQ(level.ClientState(0), kClientActive);

  // Nothing runs by itself in guided play: no patience lost, no time counted, nobody new.
  level.h.Frame(60000);
  EXPECT_EQ(level.Client(0)->GetProperty("client_hearts").ToInt(), 3);
  EXPECT_EQ(level.control->GetCounter(kTimePlayedMs), 0);
  EXPECT_FALSE(level.Client(1));

  // A press on a page that says "no" only hides it; the press still counts on the floor.
  level.h.Click(500, 650);
  EXPECT_EQ(level.ShownPage(), "-");
  EXPECT_EQ(level.Counter(), 1);
  EXPECT_EQ(level.Prop("cross/anchor_left"), "483");
  EXPECT_EQ(level.h.Prop("DEBUG/text").ToString(), "0");

  // The first order complete: page 1 (take the money).
  level.FindOrderedItems(0);
  EXPECT_EQ(level.ClientState(0), kClientMoney);
  EXPECT_EQ(level.ShownPage(), "1");
  // Served: page 2 and two clients at the next free stations.
  level.ClickStation(0);
  EXPECT_EQ(level.ShownPage(), "2");
  EXPECT_EQ(level.Counter(), 3);
  EXPECT_EQ(level.ClientState(1), kClientActive);
  EXPECT_EQ(level.ClientState(2), kClientIdle);

  // Step 3: the shelves and the other stations do nothing; calling station_3's client advances.
  const int64_t finds = level.control->GetCounter(kCorrectItemClicks);
  level.h.Click(310, 410);
  level.h.Click(700, 650);
  level.ClickStation(1);
  EXPECT_EQ(level.control->GetCounter(kCorrectItemClicks), finds);
  EXPECT_EQ(level.Prop("cross/anchor_left"), "483");
  EXPECT_EQ(level.ShownPage(), "2");
  level.ClickStation(2);
  EXPECT_EQ(level.ClientState(2), kClientActive);
  EXPECT_EQ(level.ShownPage(), "3");

  // The next press shows page 4, the one after hides it. Both clients served, the third at step
  // 5 brings the VIP (to the station still free: the first is still seeing its client off).
  level.h.Click(700, 650);
  EXPECT_EQ(level.ShownPage(), "4");
  level.FindOrderedItems(2);
  EXPECT_EQ(level.ShownPage(), "-");
  level.ClickStation(2);
  level.FindOrderedItems(1);
  level.ClickStation(1);
  EXPECT_EQ(level.ShownPage(), "5");
  EXPECT_EQ(level.Counter(), 6);
  ASSERT_TRUE(level.Client(3));
  EXPECT_EQ(level.Client(3)->GetProperty("vip").ToString(), "yes");

  // Serving the full-hearted VIP shows page 6 and leaves a bonus once it has gone.
  level.FindOrderedItems(3);
  level.ClickStation(3);
  EXPECT_EQ(level.ShownPage(), "6");
  EXPECT_EQ(level.Prop("scenario_group/hide_client_" + level.Client(3)->GetName() + "/generate_bonus"), "yes");
  for (int station = 0; station < 4; ++station) level.FinishHide(station);
  EXPECT_EQ(level.Station(3)->GetProperty("state").ToString(), kStationBonus);
  level.h.Frame(2500);  // the stations reopen

  // Taking the bonus: page 7 and the client with the minigame line.
  level.ClickStation(3);
  EXPECT_EQ(level.ShownPage(), "7");
  EXPECT_EQ(level.Counter(), 8);
  ASSERT_TRUE(level.Client(0));
  // The shelves are shut while pages 7 to 11 explain; a press advances, and so does a button.
  level.h.Click(310, 410);
  EXPECT_EQ(level.ShownPage(), "8");
  EXPECT_EQ(level.control->GetCounter(kCorrectItemClicks), finds + 9);
  for (int page = 9; page <= 12; ++page) {
    level.Command(level_codes::kAdvanceStep);
    EXPECT_EQ(level.ShownPage(), std::to_string(page));
  }
  EXPECT_EQ(level.Counter(), 13);

  // Page 12 goes with the next press, the shelves open again; the minigame item shows page 13
  // over the minigame, during which the level's clock runs.
  level.FindOrderedItems(0);
  EXPECT_EQ(level.ShownPage(), "-");
  level.h.Click(490, 410);
  EXPECT_EQ(level.minigame->commands, std::vector<std::string>{"20:seeds"});
  EXPECT_EQ(level.control->GetState(), kLevelStateMinigame);
  EXPECT_EQ(level.ShownPage(), "13");
  EXPECT_EQ(level.Counter(), 13);
  level.h.Frame(1000);
  EXPECT_EQ(level.control->GetCounter(kTimePlayedMs), 1000);
  level.Command(level_codes::kMinigameFinished, {{"order_id", "seeds"}, {"completed", "yes"}});
  EXPECT_EQ(level.control->GetState(), kLevelStateGuided);
  EXPECT_EQ(level.ShownPage(), "-");
  EXPECT_EQ(level.ClientState(0), kClientMoney);

  // The fifth client served ends the level without a bonus; the tool uses are not stored.
  level.h.screen->events.clear();
  level.ClickStation(0);
  EXPECT_EQ(level.control->GetState(), kLevelStateEnded);
  EXPECT_EQ(level.Prop("scenario_group/hide_client_" + level.Client(0)->GetName() + "/generate_bonus"), "no");
  level.Finish("scenario_end_level");
  const int32_t results = level.Notifications().back();
  EXPECT_TRUE(results == level_codes::kShowLevelResults || results == level_codes::kShowResultsWithAward) << results;
  for (const std::string& command : level.tools->commands) EXPECT_NE(command, "19:");
}

TEST(ControlGameTutorial, TheButtonOfAPageAdvancesAndARestartShowsTheFirstPageAgain) {
  GuidedLevel level;
  level.Command(level_codes::kStartLevel, {{"level", "6"}, {"shop_name", "ShopGarden"}});
  level.h.Frame(7000);
  level.Finish("scenario_start_level");
  // Page 0 says "no": its button hides it, as a press would.
  level.Command(level_codes::kAdvanceStep);
  EXPECT_EQ(level.ShownPage(), "-");
  EXPECT_EQ(level.Counter(), 1);

  level.Command(level_codes::kRestartLevel);
  EXPECT_EQ(level.Counter(), 0);
  EXPECT_EQ(level.ShownPage(), "-");
  level.h.Frame(7000);
  level.Finish("scenario_start_level");
  EXPECT_EQ(level.ShownPage(), "0");
  ASSERT_TRUE(level.Client(0));
}

TEST(ControlGameTutorial, OffersTheHintWhileThePlayerHasOne) {
  for (const auto& [stored, offered] : {std::pair{"", "Hint_1;"}, {"2", "Hint_1;"}, {"0", ""}}) {
    GuidedLevel level;
    if (*stored) level.Profile()->SetValue("tool_Hint", Variant(std::string(stored)));
    level.Command(level_codes::kStartLevel, {{"level", "6"}, {"shop_name", "ShopGarden"}});
    ParamsRef offer = level.LastNotification();
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->GetValue("profile_tools", Variant("")).ToString(), offered) << stored;
  }
}

}  // namespace
}  // namespace kestrelle
