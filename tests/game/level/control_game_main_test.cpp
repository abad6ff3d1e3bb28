// The level control in a small level screen: the floor it builds, what presses do in play,
// serving and combos, minigame hand-off, the two-phase level end with its results, bonuses and
// tools. Scenarios are plain widgets here; a test finishes one by sending its report.
#include "game/level/control_game_main.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/level/level_codes.h"
#include "game/level/shop_client.h"
#include "game/level/shop_station.h"
#include "level_control_fixture.h"

namespace kestrelle {
namespace {

using testing::kCapMug;
using testing::kCapMugPen;
using testing::Level;
using testing::WidgetHarness;

TEST(ControlGameMain, SetUpBuildsTheFloorAndPlayBeginsWhenTheStartScenarioReports) {
  // A rate of 0 counts as 1 second per heart.
  Level level(2, {{"patience_rate", "0"}});
  level.control->SetCounter(kCoinsPickedUp, 7);
  level.Command(level_codes::kStartLevel, {{"level", "6"}, {"shop_name", "ShopGarden"}});
  EXPECT_EQ(level.control->GetCounter(kCoinsPickedUp), 0);
  EXPECT_EQ(level.control->GetState(), kLevelStateSetUp);
  EXPECT_EQ(level.Prop("shop_stations/s2/anchor_left"), "150");
  EXPECT_EQ(level.h.Prop("control_game_main/shop_stations/s2/currenttime").ToInt(), -2000);
  EXPECT_EQ(level.Prop("shop_stations/s1/station_id"), "0");
  EXPECT_EQ(level.Prop("shop_items/mug/item_desc"), "Mug");
  EXPECT_EQ(level.Prop("shop_items/coin1/item_desc"), "");
  EXPECT_TRUE(level.Has("shop_items/shelf"));
  EXPECT_TRUE(level.h.Find("bg_group/wallpaper"));
  EXPECT_EQ(level.Prop("scenario_group/scenario_start_level/LevelName"), "%ShopGarden% Day six");
  EXPECT_EQ(level.h.Prop("timer_control/level_time").ToInt(), 30000);
  EXPECT_EQ(level.control->GetCounter(kExpertTimeLeftMs), 30000);
  EXPECT_EQ(level.Prop("client_counter/client_goal"), "2");
  EXPECT_EQ(level.Prop("money_counter/text/text"), "0");
  EXPECT_EQ(level.h.Prop("button_hints/level").ToString(), "6");
  // One tool owned (the Hint a new player has), one slot: no choosing.
  ASSERT_EQ(level.Notifications(), std::vector<int32_t>{level_codes::kChooseToolsBeforeLevel});
  EXPECT_EQ(level.LastNotification()->GetValue("profile_tools", Variant("")).ToString(), "Hint_1;");

  // Nothing comes and nothing is clicked before play begins.
  level.h.Frame(2500);
  EXPECT_FALSE(level.Station(0)->GetClient());
  EXPECT_FALSE(level.h.Click(100, 50));
  level.Finish("scenario_start_level");
  EXPECT_EQ(level.control->GetState(), kLevelStatePlaying);
  level.h.Frame(10);
  ShopClientRef first = level.Station(0)->GetClient();
  ASSERT_TRUE(first);
  EXPECT_TRUE(level.Station(1)->GetClient());
  EXPECT_NEAR(first->GetProperty("client_patience").ToDouble(), 3, 0.05);
  EXPECT_TRUE(level.Has("scenario_group/show_" + first->GetName()));
  EXPECT_EQ(level.control->GetCounter(kExpertTimeLeftMs), 29990);

  // A restart builds the same floor afresh, with the old scenarios gone.
  level.Command(level_codes::kRestartLevel);
  EXPECT_FALSE(level.Station(0)->GetClient());
  EXPECT_FALSE(level.Has("scenario_group/show_" + first->GetName()));
  EXPECT_EQ(level.control->GetState(), kLevelStateSetUp);
}

TEST(ControlGameMain, PressesGoToStationsThenTheTopItemElseTheyAreWrong) {
  Level level;
  level.Play();
  auto a = level.Seat(0, "a", kCapMugPen);
  auto b = level.Seat(1, "b", kCapMug);
  a->Activate();

  // An idle client's station takes over the order display.
  EXPECT_TRUE(level.h.Click(160, 50));
  EXPECT_EQ(a->GetState(), "idle");
  EXPECT_EQ(b->GetState(), "active");

  // The small box lies over the cap (greater z) and is the same item id; the wall is scenery.
  level.h.Click(315, 415);
  EXPECT_TRUE(level.Has("scenario_group/find_cap_box"));
  EXPECT_EQ(level.control->GetCounter(kCorrectItemClicks), 1);
  level.h.Click(500, 650);
  EXPECT_EQ(level.Prop("cross/anchor_left"), "483");
  EXPECT_EQ(level.Prop("cross/anchor_top"), "635");
  // The pen is only on the idle client's order: wrong. So is the cap again (struck through).
  level.h.Click(430, 410);
  EXPECT_EQ(level.Prop("cross/anchor_left"), "413");
  level.h.Click(305, 405);
  EXPECT_EQ(level.Prop("cross/anchor_left"), "288");
  EXPECT_EQ(level.control->GetCounter(kCorrectItemClicks), 1);
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 0);

  // The mug completes b's order; the waiting client at the station before it takes over.
  level.h.Click(370, 410);
  EXPECT_EQ(b->GetState(), "money");
  EXPECT_EQ(a->GetState(), "active");
}

TEST(ControlGameMain, ServingPaysByHeartsAndFindsInARowPayCombos) {
  Level level(2, {{"client_goal", "3"}});
  level.Play();
  auto a = level.Seat(0, "a", kCapMugPen);
  auto b = level.Seat(1, "b", kCapMug);
  a->Activate();

  level.h.Click(310, 405);  // cap: a first find, no combo
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 0);
  level.h.Click(370, 410);  // mug: two in a row
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 3);
  EXPECT_EQ(level.Prop("a_2/text"), "%combo2%");
  EXPECT_EQ(level.Prop("a_2/anchor_left"), "350");
  EXPECT_EQ(level.Prop("money_counter/value"), "3");
  level.h.Click(430, 410);  // pen: three in a row, and a's order is complete
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 8);
  EXPECT_EQ(level.Prop("a_3/text"), "%combo3%");
  EXPECT_EQ(a->GetState(), "money");
  EXPECT_EQ(b->GetState(), "active");
  level.h.Click(310, 405);  // a find for b restarts the count
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 8);

  // Serving a with two hearts: money_2, the client counter, eight money pieces a tenth apart.
  a->SetProperty("client_hearts", 2);
  level.h.Click(50, 50);
  EXPECT_EQ(level.control->GetCounter(kClientsServed), 1);
  EXPECT_EQ(level.Prop("client_counter/client_served"), "1");
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 38);
  EXPECT_EQ(level.control->GetCounter(kHeartsOfFinishedClients), 2);
  EXPECT_EQ(level.Prop("scenario_group/hide_client_a/generate_bonus"), "no");
  EXPECT_EQ(level.Prop("scenario_group/a_7/init_x"), "95");
  EXPECT_EQ(level.h.Prop("control_game_main/scenario_group/a_7/currenttime").ToInt(), -700);
  EXPECT_EQ(a->GetState(), "");

  // The client goes when its scenario ends; the station keeps its outline and closes a while.
  level.Finish("hide_client_a");
  level.h.Frame(10);
  EXPECT_FALSE(level.Station(0)->GetClient());
  EXPECT_TRUE(level.Has("shop_stations/s1/contour"));
  EXPECT_EQ(level.Prop("shop_stations/s1/state"), "empty");
  ASSERT_EQ(level.control->GetClientHistory().size(), 1u);
  EXPECT_TRUE(level.control->GetClientHistory()[0].served);
}

TEST(ControlGameMain, ALeavingClientCountsOnceAndTheNextOneTakesOver) {
  Level level(3);
  level.Play();
  auto a = level.Seat(0, "a", kCapMug);
  auto b = level.Seat(1, "b", kCapMug);
  auto c = level.Seat(2, "c", kCapMug);
  b->Activate();
  b->SetProperty("client_hearts", -1);  // a minigame lost at 0 hearts
  level.h.Frame(10);
  level.h.Frame(10);  // still at the station, still below 0: not counted again
  EXPECT_EQ(level.control->GetCounter(kClientsLost), 1);
  ASSERT_EQ(level.control->GetClientHistory().size(), 1u);
  EXPECT_FALSE(level.control->GetClientHistory()[0].served);
  EXPECT_EQ(level.Prop("scenario_group/hide_client_b/client_was_served"), "no");
  EXPECT_EQ(c->GetState(), "active");  // the station after the one left first
  EXPECT_EQ(a->GetState(), "idle");
}

TEST(ControlGameMain, MinigameItemsAreHandedToTheirControlAndPlayResumesAfter) {
  Level level;
  level.Play();
  auto a = level.Seat(0, "a", R"(\item1id=cap\item1desc=Cap\item2id=seeds\item2desc=Seeds)");
  a->Activate();
  level.h.Click(490, 410);
  EXPECT_EQ(level.minigame->commands, std::vector<std::string>{"20:seeds"});
  EXPECT_EQ(level.control->GetState(), kLevelStateMinigame);
  EXPECT_EQ(level.control->GetCounter(kMinigamesStarted), 1);
  level.h.Click(310, 405);  // no presses while the minigame runs
  EXPECT_EQ(level.control->GetCounter(kCorrectItemClicks), 1);

  // A lost minigame costs a heart and still solves the line.
  level.Command(level_codes::kMinigameFinished, {{"order_id", "seeds"}, {"completed", "no"}});
  EXPECT_EQ(level.control->GetState(), kLevelStatePlaying);
  EXPECT_EQ(a->GetProperty("client_hearts").ToInt(), 2);
  EXPECT_EQ(level.control->GetCounter(kMinigamesLost), 1);
  EXPECT_EQ(a->GetOrderItemIds(true), "cap;");

  // Without the minigame's control the level plays on.
  level.minigame->SetDead(true);
  level.h.root->GetWidgets()->RemoveDead();
  auto b = level.Seat(1, "b", R"(\item1id=seeds\item1desc=Seeds\item2id=mug\item2desc=Mug)");
  a->Deactivate();
  b->Activate();
  level.h.Click(490, 410);
  EXPECT_EQ(level.control->GetState(), kLevelStatePlaying);
  EXPECT_EQ(level.control->GetCounter(kMinigamesStarted), 1);
}

TEST(ControlGameMain, TheLevelEndsInTwoPhasesAndItsResultsCountNothingTwice) {
  Level level;
  level.Play();
  auto a = level.Seat(0, "a", kCapMug);
  auto b = level.Seat(1, "b", kCapMug);
  // A bonus waiting at the end is taken, silently.
  a->Activate();
  level.h.Click(310, 405);
  level.h.Click(370, 410);
  level.h.Click(50, 50);
  b->Activate();
  level.Finish("hide_client_a");
  level.control->GenerateBonus(level.Station(0));
  ASSERT_EQ(level.Prop("shop_stations/s1/state"), "bonus");
  level.h.Click(310, 405);
  level.h.Click(370, 410);
  level.h.Click(200, 50);

  // First phase: the bonus collected, the tool uses stored, the end scenario started.
  EXPECT_EQ(level.control->GetState(), kLevelStateEnded);
  EXPECT_EQ(level.Prop("shop_stations/s1/state"), "empty");
  EXPECT_EQ(level.control->GetCounter(kBonusesCollected), 1);
  EXPECT_EQ(level.tools->commands, (std::vector<std::string>{"16:Heart_1", "19:"}));
  EXPECT_TRUE(level.Notifications().empty());
  level.Finish("scenario_end_level");

  // Second phase: the results, with the expert time reached for the first time.
  ASSERT_EQ(level.Notifications(), std::vector<int32_t>{level_codes::kShowResultsWithAward});
  ParamsRef results = level.LastNotification();
  auto value = [](const ParamsRef& params, const char* name) { return params->GetValue(name, Variant("")).ToString(); };
  EXPECT_EQ(value(results, "level_completed"), "yes");
  EXPECT_EQ(value(results, "money_earned"), "86");
  EXPECT_EQ(value(results, "expert_patience"), "yes");
  EXPECT_EQ(value(results, "TrophyExpertTime"), "yes");
  EXPECT_EQ(value(results, "total_money_earned"), "236");
  EXPECT_EQ(level.Profile()->GetValue("expert_time_levels_cnt", Variant("")).ToString(), "1");

  ParamsRef again = level.control->ComputeResults();
  EXPECT_EQ(value(again, "total_money_earned"), "236");
  EXPECT_EQ(value(again, "show_award_screen"), "no");
  EXPECT_EQ(level.Profile()->GetValue("expert_time_levels_cnt", Variant("")).ToString(), "1");
  EXPECT_EQ(level.Profile()->GetValue("expert_patience_levels_cnt", Variant("")).ToString(), "1");
}

TEST(ControlGameMain, AReplayKeepsToolUsesAndStillBooksAnExpertLevelOnce) {
  Level level(2, {{"client_goal", "1"}});
  level.Play("yes");
  auto a = level.Seat(0, "a", kCapMug, "yes");
  a->Activate();
  level.h.Click(310, 405);
  level.h.Click(370, 410);
  // The last client is a full-hearted VIP: its bonus comes and goes at once, with its flight.
  level.h.Click(50, 50);
  EXPECT_EQ(level.control->GetCounter(kBonusesGenerated), 1);
  EXPECT_EQ(level.control->GetCounter(kBonusesCollected), 1);
  EXPECT_EQ(level.control->GetCounter(kHeartBonusesCollected), 1);
  EXPECT_EQ(level.Prop("scenario_group/s1_Heart_1/end_x"), "740");
  EXPECT_EQ(level.Prop("scenario_group/hide_client_a/generate_bonus"), "no");
  EXPECT_EQ(level.tools->commands, std::vector<std::string>{"16:Heart_1"});  // no 19 on a replay
  level.Finish("scenario_end_level");
  ParamsRef results = level.LastNotification();
  ASSERT_TRUE(results);
  EXPECT_EQ(results->GetValue("expert_time", Variant("")).ToString(), "yes");
  EXPECT_EQ(level.Profile()->GetValue("level_expert_time_6", Variant("")).ToString(), "yes");
}

TEST(ControlGameMain, AToolWithManyTargetsAppliesOnce) {
  Level level(5);
  level.Play();
  std::vector<std::shared_ptr<TShopClient>> clients;
  for (int i = 0; i < 5; ++i) clients.push_back(level.Seat(i, "c" + std::to_string(i), kCapMug));
  for (auto& client : clients) client->SetProperty("client_hearts", 1);
  level.Command(level_codes::kUseTool, {{"type", "Heart_3"}, {"name", "Heart_3"}});
  EXPECT_TRUE(level.Has("scenario_group/Heart_3_Heart_3idx0"));
  EXPECT_TRUE(level.Has("scenario_group/Heart_3_Heart_3idx4"));
  EXPECT_EQ(level.h.Prop("control_tools/Heart_3/quantity").ToInt(), 1);
  EXPECT_EQ(clients[0]->GetProperty("client_hearts").ToInt(), 1);  // the effect waits for the flight

  // The first and the fifth flight both report: one heart each, not two.
  level.Finish("Heart_3_Heart_3idx0", {{"name", "Heart_3"}, {"type", "Heart_3"}, {"scenario_to_finalize", "use_tool"}});
  level.Finish("Heart_3_Heart_3idx4", {{"name", "Heart_3"}, {"type", "Heart_3"}, {"scenario_to_finalize", "use_tool"}});
  for (auto& client : clients) EXPECT_EQ(client->GetProperty("client_hearts").ToInt(), 2);

  // Hint_1 shows the line drawn at the start, or the last unsolved one once that is found.
  clients[0]->Activate();
  testing::ScriptedRandom random({0});
  level.Command(level_codes::kUseTool, {{"type", "Hint_1"}, {"name", "Hint_1"}});
  level.h.Click(310, 405);  // the cap is found meanwhile
  level.Finish("Hint_1_Hint_1", {{"name", "Hint_1"}, {"type", "Hint_1"}, {"scenario_to_finalize", "use_tool"}});
  EXPECT_TRUE(level.Has("scenario_group/hint_mug"));
  EXPECT_EQ(level.Prop("scenario_group/hint_mug/anchor_left"), "380");
}

TEST(ControlGameMain, CoinsAndHintsShowOncePerProfile) {
  Level level;
  level.Play();
  // Level 6: the coin hint opens once at the start (no tool tip pending).
  EXPECT_EQ(level.Profile()->GetValue("show_coin_hint", Variant("")).ToString(), "yes");
  level.Command(level_codes::kRestartLevel);
  level.Finish("scenario_start_level");
  EXPECT_EQ(level.Notifications(), std::vector<int32_t>{level_codes::kChooseToolsBeforeLevel});

  level.h.Click(605, 405);
  EXPECT_EQ(level.control->GetCounter(kCoinsPickedUp), 1);
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 10);
  EXPECT_TRUE(level.Has("scenario_group/coin1_7"));
  EXPECT_EQ(level.Prop("coin1_coin/text"), "%coin_bonus%");

  // The first bonus of a profile from level 5 on restarts the hint; its report opens the screen.
  level.control->GenerateBonus(level.Station(1));
  EXPECT_EQ(level.Profile()->GetValue("show_bonus_hint", Variant("")).ToString(), "yes");
  level.Command(level_codes::kScenarioFinished, {{"scenario_to_finalize", "bonus_hint"}});
  ASSERT_EQ(level.Notifications().back(), level_codes::kShowBonusHint);
  EXPECT_EQ(level.LastNotification()->GetValue("init_y", Variant("")).ToString(), "0");
}

}  // namespace
}  // namespace kestrelle
