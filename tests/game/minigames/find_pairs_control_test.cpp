// Find Pairs on its minigame screen: a whole game of two rounds (a wrong pair reshuffles, the
// pair ends the round, the last pair ends the game with the report), and skipping.

#include "game/minigames/find_pairs/find_pairs_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "minigame_test_game.h"
#include "platform/messages.h"

namespace kestrelle {
namespace {

// A factory of a scenario class under a fixed name, lasting `duration` per timed state.
std::string ScenarioFactory(const std::string& factory, const std::string& type, const std::string& name,
                            int duration) {
  return R"(<widgetfactory name=")" + factory + R"(" widgetstring="&lt;widget type=&quot;)" + type +
         R"(&quot; name=&quot;)" + name + R"(&quot; visible=&quot;yes&quot; duration=&quot;)" +
         std::to_string(duration) + R"(&quot; name1=&quot;%name1%&quot; name2=&quot;%name2%&quot;/&gt;"/>)";
}

const std::string kGame =
    R"(<game type="Game" name="g" splashlogosgs="GS_Base">
  <gamescreens>
    <gamescreen type="harness_screen" name="GS_Base"><window/></gamescreen>
    <gamescreen type="KestrelleGameScreenMain" name="GS_Main"><window/>
      <minigame_defs><minigame_def name="pairs"
          extraparams="minigame_bonus=50\minigame_person=granny\start_text=Find them\end_text=Done\rounds_cnt=2">
        <rounds>
          <round name="1" places="3" resourcename="img_card_" width="64" height="64" angle_range="30"><places>
            <place x="100" y="100"/><place x="300" y="100"/><place x="500" y="100"/></places></round>
          <round name="2" places="3" resourcename="img_cake_" width="64" height="64" angle_range="30"><places>
            <place x="100" y="300"/><place x="300" y="300"/><place x="500" y="300"/></places></round>
        </rounds>
      </minigame_def></minigame_defs>
    </gamescreen>
    <gamescreen type="KestrelleGameScreenGameFindPairs" name="GS_MiniGame_pairs"><window>
      <sounds>
        <sound name="sound_minigame_click" resourcename="click"/>
        <sound name="sound_minigame_correct_click" resourcename="correct"/>
        <sound name="sound_minigame_completed" resourcename="completed"/>
      </sounds>
      <widgets>
        <widget type="rect_widget" name="button_menu" width="100" height="40"/>
        <widget type="rect_widget" name="button_skip" width="90" height="40" enabled="yes"/>
        <widget type="rect_widget" name="panel" width="800" height="80"/>
        <widget type="rect_widget" name="frame_black" width="800" height="600"/>
        <widget type="KestrelleControlGameFindPairs" name="control_game_find_pairs" width="800" height="600"
            visible="yes">
          <widgetfactories>)" +
    ScenarioFactory("scenario_start_level", "scenario_pairs_failed_round", "scenario_start_level", 0) +
    ScenarioFactory("scenario_pairs_end_round", "scenario_pairs_end_round", "scenario_pairs_end_round", 100) +
    ScenarioFactory("scenario_pairs_failed_round", "scenario_pairs_failed_round", "scenario_pairs_failed_round", 100) +
    ScenarioFactory("scenario_end_level", "scenario_pairs_end_level", "scenario_end_level", 100) +
    R"(
            <widgetfactory name="element" widgetstring="&lt;widget type=&quot;group_widget&quot; name=&quot;%name%&quot; visible=&quot;yes&quot; anchor_left=&quot;%anchor_left%&quot; anchor_top=&quot;%anchor_top%&quot; extraparams=&quot;\idx=%idx%\on=0\show=-1\angle=%angle%\resourcename=%resourcename%&quot;&gt;&lt;widgets&gt;&lt;widget type=&quot;rect_widget&quot; name=&quot;rotate&quot; visible=&quot;yes&quot; width=&quot;%width%&quot; height=&quot;%height%&quot; extraparams=&quot;\centerx=%centerx%&quot;/&gt;&lt;/widgets&gt;&lt;/widget&gt;"/>
          </widgetfactories>
          <widgets>
            <widget type="group_widget" name="elements" visible="yes"/>
            <widget type="group_widget" name="scenario_group" visible="yes"/>
          </widgets>
        </widget>
      </widgets></window></gamescreen>
    <gamescreen type="KestrelleGameScreenMinigameHelp" name="GS_MinigameHelp"><window><widgets>
      <widget type="text_widget" name="text_GameHelp"/></widgets></window></gamescreen>
    <gamescreen type="KestrelleGameScreenMinigameCompleted" name="GS_MinigameCompleted"><window/></gamescreen>
  </gamescreens>
</game>)";

class FindPairsGame : public testing::MinigameTestGame {
 protected:
  FindPairsGame() : MinigameTestGame("find-pairs-game", "GS_MiniGame_pairs") {}

  void SetUp() override { RunGame(kGame); }

  std::shared_ptr<TKestrelleControlGameFindPairs> Control() {
    return std::dynamic_pointer_cast<TKestrelleControlGameFindPairs>(Widget("control_game_find_pairs"));
  }
  WidgetRef Element(const std::string& name) { return Widget("control_game_find_pairs/elements/" + name); }
  int32_t Look(const std::string& name, const char* property) {
    return static_cast<int32_t>(Element(name)->GetProperty(property).ToInt());
  }
  // A press in the middle of an element.
  void ClickOn(const std::string& name) {
    WidgetRef element = Element(name);
    ASSERT_TRUE(element) << name;
    const TPoint point{static_cast<int32_t>(element->GetAnchorLeft()) + 32,
                       static_cast<int32_t>(element->GetAnchorTop()) + 32};
    Control()->MouseEvent(WM_LBUTTONDOWN, point, 0);
  }
  std::vector<std::string> Elements() {
    std::vector<std::string> names;
    WidgetCollectionRef children = Widget("control_game_find_pairs/elements")->GetWidgets();
    for (int i = 0; i < children->GetCount(); ++i) names.push_back(children->GetByIndex(i)->GetName());
    return names;
  }
  // Started and past the start scenario; the help that follows is closed.
  void StartGame(std::vector<int32_t> draws) {
    ParamsRef params = CreateParams();
    params->SetValue("Minigame", Variant("pairs"));
    ASSERT_TRUE(game_->ShowScreen("GS_MiniGame_pairs", params));
    EXPECT_EQ(Control()->GetState(), 1);
    ASSERT_TRUE(Widget("control_game_find_pairs/scenario_group/scenario_start_level"));
    EXPECT_FALSE(Widget("button_skip")->GetEnabled());
    testing::ScriptedRandom random(std::move(draws));
    Frames(5);
    ASSERT_EQ(Control()->GetState(), 2);
    ASSERT_TRUE(Shown("GS_MinigameHelp"));
    EXPECT_EQ(Screen("GS_MinigameHelp")->GetWindowInterface()->FindWidget("text_GameHelp")->GetProperty("text"),
              Variant("Find them"));
    game_->CloseScreen(Screen("GS_MinigameHelp"), nullptr);
    Frames(1);
    // Opened again without parameters (from the pause menu), it keeps its text.
    game_->ShowScreen("GS_MinigameHelp", nullptr);
    EXPECT_EQ(Screen("GS_MinigameHelp")->GetWindowInterface()->FindWidget("text_GameHelp")->GetProperty("text"),
              Variant("Find them"));
    game_->CloseScreen(Screen("GS_MinigameHelp"), nullptr);
    Frames(1);
    engine_->playedSounds.clear();
  }
};

TEST_F(FindPairsGame, TwoRoundsWithAWrongPair) {
  // Round 1: the copy is the third picture (pairIndex 3), a copy of picture 1; tilts 5, −7, 0.
  StartGame({2, 5, 0, 7, 1, 0, 0, 0});
  ASSERT_EQ(Elements(), (std::vector<std::string>{"1", "2", "1_pair"}));
  EXPECT_EQ(Look("1_pair", "idx"), 1);
  EXPECT_EQ(Element("1_pair")->GetProperty("resourcename"), Variant("img_card_1"));
  EXPECT_EQ(Look("2", "angle"), -7);
  EXPECT_EQ(Element("1_pair")->GetAnchorLeft(), 500);

  // A wrong pair hides everything; after its scenario every picture is back on a shuffled place.
  ClickOn("1");
  EXPECT_EQ(Look("1", "on"), -1);
  ClickOn("2");
  EXPECT_EQ(Look("1", "on"), 0);
  for (const char* name : {"1", "2", "1_pair"}) EXPECT_EQ(Look(name, "show"), 0) << name;
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "click"}));
  {
    testing::ScriptedRandom shuffle({2, 2, 0});  // 1↔1_pair, 2↔1_pair, 1_pair↔1
    Frames(40);
    EXPECT_EQ(shuffle.used(), 3);
  }
  std::set<double> places;
  for (const char* name : {"1", "2", "1_pair"}) {
    EXPECT_EQ(Look(name, "show"), -1) << name;
    places.insert(Element(name)->GetAnchorLeft());
  }
  EXPECT_EQ(places, (std::set<double>{100, 300, 500}));
  EXPECT_EQ(Element("1")->GetAnchorLeft(), 300);
  EXPECT_EQ(Element("2")->GetAnchorLeft(), 100);

  // Clicking beside every picture drops the selection with a click.
  ClickOn("2");
  Control()->MouseEvent(WM_LBUTTONDOWN, TPoint{700, 500}, 0);
  EXPECT_EQ(Look("2", "on"), 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "click"}));

  // The pair: the others hide, the two glide together (to 512 − 32, 200) and the next round comes.
  ClickOn("1_pair");
  ClickOn("1");
  EXPECT_EQ(Look("2", "show"), 0);
  EXPECT_EQ(Look("1", "show"), -1);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "correct", "click"}));
  EXPECT_TRUE(Widget("control_game_find_pairs/scenario_group/scenario_pairs_end_round"));
  Frames(12);
  EXPECT_EQ(Element("1")->GetAnchorLeft(), 480);
  EXPECT_EQ(Element("1_pair")->GetAnchorTop(), 200);
  {
    // Round 2: the copy comes first (pairIndex 1), a copy of picture 2.
    testing::ScriptedRandom round2({0, 1, 0, 0, 0, 0, 0, 0});
    Frames(30);
    EXPECT_EQ(round2.used(), 8);
  }
  ASSERT_EQ(Elements(), (std::vector<std::string>{"2_pair", "1", "2"}));
  EXPECT_EQ(Control()->Board().Round(), 2);

  // The last pair: the completed sound, the end scenario, then the report and the completion screen.
  Widget("button_menu")->SetAnchorLeft(10);
  Widget("button_skip")->SetAnchorLeft(700);
  ClickOn("2");
  ClickOn("2_pair");
  EXPECT_EQ(Control()->GetState(), 0);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click", "completed", "correct", "click"}));
  EXPECT_FALSE(Shown("GS_MinigameCompleted"));
  Frames(40);
  ASSERT_TRUE(Shown("GS_MinigameCompleted"));
  auto completed = std::dynamic_pointer_cast<TGameScreen>(Screen("GS_MinigameCompleted"));
  ASSERT_TRUE(completed->GetParams());
  EXPECT_EQ(completed->GetParams()->GetValue("minigame_skipped", Variant()), Variant("no"));
  EXPECT_EQ(completed->GetParams()->GetValue("level_completed", Variant()), Variant("yes"));
  EXPECT_EQ(completed->GetParams()->GetValue("minigame_bonus", Variant()).ToString(), "50");
  EXPECT_EQ(completed->GetParams()->GetValue("end_text", Variant()), Variant("Done"));
  // The frame slid out with the last pair.
  EXPECT_EQ(Widget("button_menu")->GetAnchorLeft(), -100);
  EXPECT_EQ(Widget("button_skip")->GetAnchorLeft(), 1024);
  EXPECT_EQ(Widget("panel")->GetAnchorTop(), -80);
}

TEST_F(FindPairsGame, SkippingReportsAtOnce) {
  StartGame({2, 5, 0, 7, 1, 0, 0, 0});
  ClickOn("1");
  std::dynamic_pointer_cast<IEventHandler>(Screen("GS_MiniGame_pairs"))
      ->HandleWidgetEvent(Widget("button_skip"), 1, nullptr);
  EXPECT_EQ(Control()->GetState(), 0);
  ASSERT_TRUE(Shown("GS_MinigameCompleted"));
  auto completed = std::dynamic_pointer_cast<TGameScreen>(Screen("GS_MinigameCompleted"));
  EXPECT_EQ(completed->GetParams()->GetValue("minigame_skipped", Variant()), Variant("yes"));
  // Clicks do nothing any more.
  engine_->playedSounds.clear();
  ClickOn("2");
  EXPECT_TRUE(Sounds().empty());
}

}  // namespace
}  // namespace kestrelle
