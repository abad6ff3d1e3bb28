// The guided level's screens on the real game object: the level screen variant with a recording
// level control (its pages' button, the skip screen, the notifications it answers, focus), the
// two-page help and the results without a tip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../level/fake_level_control.h"
#include "app/game.h"
#include "app/game_screen.h"
#include "data/hier_storage.h"
#include "game/level/level_codes.h"
#include "records/user_profiles.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"

namespace kestrelle::testing {
namespace {

using namespace level_codes;

constexpr const char* kScreens = R"(
  <gamescreen type="harness_screen" name="GS_Map"><window/></gamescreen>
  <gamescreen type="KestrelleGameScreenGameTutorial" name="GS_GameTutorial"><window><widgets>
    <widget type="group_widget" name="button_menu" visible="yes"/>
    <widget type="group_widget" name="button_skip" visible="yes"/>
    <widget type="group_widget" name="button_ok" visible="yes"/>
  </widgets></window></gamescreen>
  <gamescreen type="KestrelleGameScreenMapTutorial" name="GS_MapTutorial"><window><widgets>
    <widget type="states_widget" name="states" visible="yes"><widgets>
      <widget type="group_widget" name="0"/><widget type="group_widget" name="1"/></widgets></widget>
    <widget type="group_widget" name="button_ok" visible="yes"/>
  </widgets></window></gamescreen>
  <gamescreen type="KestrelleGameScreenStatTutorial" name="GS_StatTutorial"><window><widgets>
    <widget type="group_widget" name="scenario_group" visible="yes"/>
    <widget type="rect_widget" name="level_tips" visible="yes" extraparams="\text=kept"/>
    <widget type="group_widget" name="button_ok" visible="yes"/>
  </widgets></window></gamescreen>)";

const char* const kOtherScreens[] = {"GS_SkipTutorial", "GS_MiniMenu", "GS_ToolTips", "GS_BonusHint", "GS_CoinHint"};

class TutorialScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGameClassesRegistered();
    std::string xml = R"(<game type="Game" name="g" splashlogosgs="GS_Map"><gamescreens>)" + std::string(kScreens);
    for (const char* name : kOtherScreens)
      xml += "<gamescreen type=\"GameScreen\" name=\"" + std::string(name) + "\"><window/></gamescreen>";
    xml += "</gamescreens></game>";
    engine_ = std::make_shared<FakeEngine>();
    engine_->Initialize();
    game_ = Create<TGame>();
    game_->LoadFromStorage(LoadStorageFromString(xml));
    game_->StartGame(engine_);
    game_->GetProfiles()->GetOrCreate("Ann");
    game_->GetProfiles()->SetCurrent("Ann");
    level_ = FakeLevelControl::Load(R"(<widget name="control_game_main" visible="yes"/>)");
    level_->Attach(Screen("GS_GameTutorial")->GetWindowWidget());
    Frames();
  }
  void TearDown() override {
    if (game_) game_->EndGame();
  }
  void Frames() {
    for (int i = 0; i < 3; ++i) game_->Update(10);
  }
  GameScreenRef Screen(const std::string& name) { return game_->GetScreens()->Get(Variant(name)); }
  bool Shown(const std::string& name) { return Screen(name)->IsShown(); }
  WidgetRef Widget(const std::string& screen, const std::string& path) {
    return Screen(screen)->GetWindowInterface()->FindWidget(path);
  }
  void Event(const std::string& screen, const std::string& sender, int32_t code) {
    std::dynamic_pointer_cast<IEventHandler>(Screen(screen))->HandleWidgetEvent(Widget(screen, sender), code, nullptr);
    Frames();
  }
  void ShowGuidedLevel() {
    ParamsRef params = CreateParams();
    params->SetValue("level", Variant(1));
    params->SetValue("replay", Variant("no"));
    params->SetValue("shop_name", Variant("ShopGarden"));
    ASSERT_TRUE(game_->ShowScreen("GS_GameTutorial", params));
    Frames();
  }
  std::shared_ptr<HarnessScreen> Map() { return std::dynamic_pointer_cast<HarnessScreen>(Screen("GS_Map")); }

  ScopedUserFolder userFolder_{"tutorial-screens"};
  std::shared_ptr<FakeEngine> engine_;
  std::shared_ptr<TGame> game_;
  std::shared_ptr<FakeLevelControl> level_;
};

TEST_F(TutorialScreens, TheGuidedLevelMarksItselfSeenAndPassesItsPagesButtonToTheLevel) {
  ShowGuidedLevel();
  EXPECT_EQ(game_->GetProfiles()->GetCurrent()->GetParams()->GetValue("show_tutorial", Variant("")).ToString(), "yes");
  ASSERT_FALSE(level_->With(kStartLevel).empty());
  Event("GS_GameTutorial", "button_ok", 1);
  EXPECT_EQ(level_->With(kAdvanceStep).size(), 1u);

  // Losing the focus pauses nothing; the hints of ordinary levels are not opened.
  game_->FocusChanged(false);
  Frames();
  EXPECT_FALSE(Shown("GS_MiniMenu"));
  for (int32_t code : {kShowToolTip, kShowBonusHint, kShowCoinHint}) level_->Tell(code, CreateParams());
  Frames();
  for (const char* name : {"GS_ToolTips", "GS_BonusHint", "GS_CoinHint"}) EXPECT_FALSE(Shown(name)) << name;
  Event("GS_GameTutorial", "button_menu", 1);
  EXPECT_TRUE(Shown("GS_MiniMenu"));
}

TEST_F(TutorialScreens, TheSkipScreenEndsTheGuidedLevelWhateverItAnswers) {
  for (const char* answer : {"button_yes", "button_no"}) {
    ShowGuidedLevel();
    Event("GS_GameTutorial", "button_skip", 1);
    ASSERT_TRUE(Shown("GS_SkipTutorial"));
    ParamsRef result = CreateParams();
    result->SetValue("Button", Variant(std::string(answer)));
    ASSERT_TRUE(game_->CloseScreen(Screen("GS_SkipTutorial"), result));
    Frames();
    EXPECT_FALSE(Shown("GS_GameTutorial")) << answer;
    EXPECT_EQ(Map()->log.back(), "slaveclosed:GS_GameTutorial");
    EXPECT_FALSE(Map()->closedResult) << "closed with no result";
  }
}

TEST_F(TutorialScreens, TheTwoPageHelpClosesOnItsSecondClick) {
  ASSERT_TRUE(game_->ShowScreen("GS_MapTutorial", nullptr));
  Frames();
  EXPECT_TRUE(Widget("GS_MapTutorial", "states/0")->GetVisible());
  Event("GS_MapTutorial", "button_ok", 1);
  EXPECT_TRUE(Shown("GS_MapTutorial"));
  EXPECT_FALSE(Widget("GS_MapTutorial", "states/0")->GetVisible());
  EXPECT_TRUE(Widget("GS_MapTutorial", "states/1")->GetVisible());
  Event("GS_MapTutorial", "button_ok", 1);
  EXPECT_FALSE(Shown("GS_MapTutorial"));

  // Shown again, it starts from its first page.
  ASSERT_TRUE(game_->ShowScreen("GS_MapTutorial", nullptr));
  Frames();
  EXPECT_TRUE(Widget("GS_MapTutorial", "states/0")->GetVisible());
  EXPECT_FALSE(Widget("GS_MapTutorial", "states/1")->GetVisible());
}

TEST_F(TutorialScreens, TheGuidedResultsHideTheTipAndGiveItNoText) {
  ASSERT_TRUE(game_->ShowScreen("GS_StatTutorial", CreateParams()));
  Frames();
  WidgetRef tips = Widget("GS_StatTutorial", "level_tips");
  EXPECT_FALSE(tips->GetVisible());
  EXPECT_EQ(tips->GetProperty("text").ToString(), "kept");
}

}  // namespace
}  // namespace kestrelle::testing
