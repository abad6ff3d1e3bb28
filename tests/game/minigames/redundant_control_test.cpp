// Redundant on its minigame screen: two rounds with a wrong click (everything hides and comes back
// on shuffled places) and the odd picture found in each round; skipping while playing runs the
// end scenario before the report.

#include "game/minigames/redundant/redundant_control.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "board_minigame_game.h"

namespace kestrelle {
namespace {

using testing::BoardFactory;
using testing::BoardScenarioFactory;

std::string Round(int number, int y) {
  std::string places;
  for (int i = 1; i <= 3; ++i)
    places += R"(<place name=")" + std::to_string(i) + R"(" x=")" + std::to_string(i * 200 - 100) + R"(" y=")" +
              std::to_string(y) + R"("/>)";
  return R"(<round name=")" + std::to_string(number) +
         R"(" places="3" normal_resource="img_apple" redundant_resource="img_pear" width="64" height="64" )"
         R"(angle_range="10"><places>)" +
         places + "</places></round>";
}

class RedundantGame : public testing::BoardMinigameGame {
 protected:
  void SetUp() override {
    Load({"KestrelleGameScreenGameRedundant", "KestrelleControlGameRedundant", "control_game_redundant",
          R"(<minigame_def name="m" extraparams="rounds_cnt=2\minigame_bonus=40"><rounds>)" + Round(1, 100) +
              Round(2, 300) + "</rounds></minigame_def>",
          BoardScenarioFactory("scenario_start_level", "scenario_redundant_failed_round", "scenario_start_level", 0) +
              BoardScenarioFactory("scenario_redundant_end_round", "scenario_redundant_end_round",
                                   "scenario_redundant_end_round", 50) +
              BoardScenarioFactory("scenario_redundant_failed_round", "scenario_redundant_failed_round",
                                   "scenario_redundant_failed_round", 50) +
              BoardScenarioFactory("scenario_end_level", "scenario_redundant_end_round", "scenario_end_level", 50) +
              BoardFactory("element",
                           R"(<widget type="rect_widget" name="%name%" visible="yes" width="%width%" )"
                           R"(height="%height%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" )"
                           R"(extraparams="\type=%type%\show=-1\angle=%angle%\resourcename=%resourcename%"/>)"),
          R"(<widget type="group_widget" name="elements" visible="yes"/>)"});
  }
  WidgetRef Element(const std::string& name) { return InControl("elements/" + name); }
  void ClickOn(const std::string& name) {
    Mouse(WM_LBUTTONDOWN, static_cast<int>(Element(name)->GetAnchorLeft()) + 32,
          static_cast<int>(Element(name)->GetAnchorTop()) + 32);
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    WidgetCollectionRef children = InControl("elements")->GetWidgets();
    for (int i = 0; i < children->GetCount(); ++i) names.push_back(children->GetByIndex(i)->GetName());
    return names;
  }
};

TEST_F(RedundantGame, TwoRoundsWithAWrongClick) {
  {
    // Round 1: the odd picture is 2 (tilt 4), then 1 (tilt −3) and 3 (tilt 0).
    testing::ScriptedRandom round1({1, 4, 0, 3, 1, 0, 0});
    StartGame();
    EXPECT_EQ(round1.used(), 7);
  }
  ASSERT_EQ(Names(), (std::vector<std::string>{"2", "1", "3"}));
  EXPECT_EQ(Text(Element("2"), "type"), "red");
  EXPECT_EQ(Text(Element("2"), "resourcename"), "img_pear");
  EXPECT_EQ(Text(Element("1"), "resourcename"), "img_apple");
  EXPECT_EQ(Text(Element("1"), "angle"), "-3");
  EXPECT_EQ(Element("2")->GetAnchorLeft(), 300);

  // A wrong click hides everything; after the scenario every picture is back on a shuffled place.
  ClickOn("1");
  for (const char* name : {"1", "2", "3"}) EXPECT_EQ(Text(Element(name), "show"), "0") << name;
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click"}));
  {
    testing::ScriptedRandom shuffle({2, 2, 0});
    Frames(15);
    EXPECT_EQ(shuffle.used(), 3);
  }
  std::set<double> places;
  for (const char* name : {"1", "2", "3"}) {
    EXPECT_EQ(Text(Element(name), "show"), "-1") << name;
    places.insert(Element(name)->GetAnchorLeft());
  }
  EXPECT_EQ(places, (std::set<double>{100, 300, 500}));
  EXPECT_EQ(Element("2")->GetAnchorLeft(), 100);

  // The odd one ends the round.
  ClickOn("2");
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"correct"}));
  EXPECT_TRUE(InControl("scenario_group/scenario_redundant_end_round"));
  {
    testing::ScriptedRandom round2({0, 0, 0, 0, 0, 0, 0});
    Frames(15);
  }
  ASSERT_EQ(Names(), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(Element("1")->GetAnchorTop(), 300);

  // In the last round the odd one ends the minigame through the end scenario.
  ClickOn("1");
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"correct", "completed"}));
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_TRUE(InControl("scenario_group/scenario_end_level"));
  EXPECT_FALSE(Shown("GS_MinigameCompleted"));
  Frames(15);
  EXPECT_EQ(CompletedSkipped(), "no");
}

TEST_F(RedundantGame, SkippingWhilePlayingRunsTheEndScenarioFirst) {
  {
    testing::ScriptedRandom round1({1, 4, 0, 3, 1, 0, 0});
    StartGame();
  }
  // Set-up held the skip button while the board came in; in play it may be used.
  EXPECT_TRUE(Widget("button_skip")->GetEnabled());
  PressButton("button_skip");
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_TRUE(InControl("scenario_group/scenario_end_level"));
  EXPECT_FALSE(Shown("GS_MinigameCompleted"));
  Frames(15);
  EXPECT_EQ(CompletedSkipped(), "yes");
}

TEST_F(RedundantGame, ASkipWhileTheBoardComesInIsIgnored) {
  testing::ScriptedRandom round1({1, 4, 0, 3, 1, 0, 0});
  ParamsRef params = CreateParams();
  params->SetValue("Minigame", Variant("m"));
  ASSERT_TRUE(game_->ShowScreen("GS_MiniGame_m", params));
  ASSERT_EQ(Control()->GetState(), 1);
  PressButton("button_skip");
  // Not marked skipped: a game won afterwards keeps its bonus.
  EXPECT_FALSE(Control()->GetSkipped());
  Frames(5);
  EXPECT_EQ(Control()->GetState(), 2);
  EXPECT_FALSE(Control()->GetSkipped());
}

}  // namespace
}  // namespace kestrelle
