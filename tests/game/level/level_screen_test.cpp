// The level screen on the real game object, with a recording level control and tool panel: it
// starts the level on a reset screen, opens the screens the level control asks for, and turns
// the screens it opened back into commands or into the results it hands to the map.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/game_screen.h"
#include "data/hier_storage.h"
#include "game/level/fake_level_control.h"
#include "game/level/level_codes.h"
#include "records/user_profiles.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"

namespace kestrelle::testing {
namespace {

using namespace level_codes;

constexpr const char* kLevelScreen = R"(
  <gamescreen type="KestrelleGameScreenGameMain" name="GS_Level"><window><widgets>
    <widget type="group_widget" name="frame_black" visible="yes" extraparams="\init_t=-400"/>
    <widget type="group_widget" name="timer_control" visible="yes" anchor_top="5" extraparams="\init_y=-60"/>
    <widget type="group_widget" name="tools_mat" visible="yes" anchor_top="5" extraparams="\init_y=-80"/>
    <widget type="group_widget" name="fade_in" visible="yes"/>
    <widget type="group_widget" name="fade_out" visible="yes"/>
    <widget type="group_widget" name="button_menu" visible="yes"/>
  </widgets></window></gamescreen>)";

// The screens the level screen may open; each test may leave some out.
const char* const kOtherScreens[] = {"GS_StatMain",     "GS_NewAward",      "GS_StartLevel",    "GS_StartToolLevel",
                                     "GS_ToolTips",     "GS_BonusHint",     "GS_CoinHint",      "GS_ExpertTimeHint",
                                     "GS_MiniMenu",     "GS_QueryRestart",  "GS_QueryMainMenu", "GS_Options",
                                     "GS_GameTutorial", "GS_MiniGame_Pairs"};

class LevelScreen : public ::testing::Test {
 protected:
  void SetUp() override { EnsureGameClassesRegistered(); }
  void TearDown() override {
    if (game_) game_->EndGame();
  }

  void Start(const std::set<std::string>& missing = {}) {
    std::string xml = R"(<game type="Game" name="g" splashlogosgs="GS_Map"><gamescreens>
      <gamescreen type="harness_screen" name="GS_Map"><window/></gamescreen>)" +
                      std::string(kLevelScreen);
    for (const char* name : kOtherScreens)
      if (!missing.contains(name))
        xml += "<gamescreen type=\"GameScreen\" name=\"" + std::string(name) + "\"><window/></gamescreen>";
    xml += "</gamescreens></game>";
    engine_ = std::make_shared<FakeEngine>();
    engine_->Initialize();
    game_ = Create<TGame>();
    game_->LoadFromStorage(LoadStorageFromString(xml));
    game_->StartGame(engine_);
    game_->GetProfiles()->GetOrCreate("Ann");
    game_->GetProfiles()->SetCurrent("Ann");

    WidgetRef window = Screen("GS_Level")->GetWindowWidget();
    level_ = FakeLevelControl::Load(R"(<widget name="control_game_main" visible="yes"><widgets>
        <widget type="group_widget" name="client_counter" visible="yes" extraparams="\init_y=-30"/>
        <widget type="group_widget" name="money_counter" visible="yes" extraparams="\init_y=-40"/>
      </widgets></widget>)");
    level_->Attach(window);
    tools_ = FakeLevelControl::Load(R"(<widget name="control_tools" visible="yes" extraparams="\init_y=-90"/>)");
    tools_->Attach(window);
    level_->results->SetValue("level_completed", Variant("yes"));
    level_->results->SetValue("money_earned", Variant(120));
    Frames();
  }
  void ShowLevel(int level, const std::string& replay = "no", bool frames = true) {
    ParamsRef params = CreateParams();
    params->SetValue("level", Variant(level));
    params->SetValue("replay", Variant(replay));
    params->SetValue("shop_name", Variant("ShopBakery"));
    ASSERT_TRUE(game_->ShowScreen("GS_Level", params));
    if (frames) Frames();
  }
  void Frames() {
    for (int i = 0; i < 3; ++i) game_->Update(10);
  }
  GameScreenRef Screen(const std::string& name) { return game_->GetScreens()->Get(Variant(name)); }
  bool Shown(const std::string& name) { return Screen(name)->IsShown(); }
  ParamsRef ShownWith(const std::string& name) {
    auto screen = std::dynamic_pointer_cast<TGameScreen>(Screen(name));
    return screen ? screen->GetParams() : nullptr;
  }
  WidgetRef Widget(const std::string& path) { return Screen("GS_Level")->GetWindowInterface()->FindWidget(path); }
  void Event(const std::string& sender, int32_t code, const ParamsRef& params = nullptr) {
    std::dynamic_pointer_cast<IEventHandler>(Screen("GS_Level"))->HandleWidgetEvent(Widget(sender), code, params);
    Frames();
  }
  void Close(const std::string& name, const std::vector<std::pair<std::string, Variant>>& values = {}) {
    ParamsRef result = CreateParams();
    for (const auto& [key, value] : values) result->SetValue(key, value);
    ASSERT_TRUE(game_->CloseScreen(Screen(name), result)) << name << " is not on top";
    Frames();
  }
  std::shared_ptr<HarnessScreen> Map() { return std::dynamic_pointer_cast<HarnessScreen>(Screen("GS_Map")); }
  // What the level screen handed to the map when it closed; none while it is open.
  ParamsRef LevelResult() {
    if (Shown("GS_Level")) return nullptr;
    return Map()->log.back() == "slaveclosed:GS_Level" ? Map()->closedResult : nullptr;
  }
  ParamsRef Results(const std::string& minigame, const std::string& replay) {
    ParamsRef results = CopyParams(level_->results);
    results->SetValue("Minigame", Variant(minigame));
    results->SetValue("Replay", Variant(replay));
    return results;
  }

  ScopedUserFolder userFolder_{"level-screen"};
  std::shared_ptr<FakeEngine> engine_;
  std::shared_ptr<TGame> game_;
  std::shared_ptr<FakeLevelControl> level_;
  std::shared_ptr<FakeLevelControl> tools_;
};

TEST_F(LevelScreen, StartsTheLevelOnAResetScreenAndHandsTheChosenToolsToThePanel) {
  Start();
  // The control asks for the tool choice while it starts the level, inside the screen's showing.
  level_->onCommand = [&](int32_t code, const ParamsRef&) {
    ParamsRef offer = CreateParams();
    offer->SetValue("profile_tools", Variant("Hint_1;Ice_1;"));
    if (code == kStartLevel) level_->Tell(kChooseToolsBeforeLevel, offer);
  };
  ShowLevel(7, "no", false);
  ASSERT_TRUE(Shown("GS_Level"));
  EXPECT_EQ(Widget("frame_black")->GetProperty("currenttime").ToInt(), -400);
  for (const char* name : {"timer_control", "tools_mat", "control_tools", "control_game_main/client_counter",
                           "control_game_main/money_counter"}) {
    EXPECT_EQ(Widget(name)->GetAnchorTop(), Widget(name)->GetProperty("init_y").ToInt()) << name;
  }
  for (const char* name : {"fade_in", "fade_out"}) {
    EXPECT_FALSE(Widget(name)->GetVisible()) << name;
    EXPECT_TRUE(Widget(name)->GetPaused()) << name;
  }
  ASSERT_EQ(level_->commands.size(), 1u);
  EXPECT_EQ(level_->commands[0].code, kStartLevel);
  EXPECT_EQ(ParamText(level_->commands[0].params, "level"), "7");
  EXPECT_EQ(ParamText(level_->commands[0].params, "replay"), "no");
  EXPECT_EQ(ParamText(level_->commands[0].params, "shop_name"), "ShopBakery");
  ASSERT_TRUE(Shown("GS_StartLevel"));
  EXPECT_FALSE(std::dynamic_pointer_cast<TGameScreen>(Screen("GS_Level"))->IsActive()) << "the choice is on top";
  EXPECT_EQ(ParamText(ShownWith("GS_StartLevel"), "profile_tools"), "Hint_1;Ice_1;");
  Frames();
  Close("GS_StartLevel", {{"selected_tools", Variant("Ice_1;")}});

  Event("control_game_main", kChooseToolsForSlots);
  ASSERT_TRUE(Shown("GS_StartToolLevel"));
  Close("GS_StartToolLevel", {{"selected_tools", Variant("Ice_1;")}});
  ASSERT_EQ(tools_->commands.size(), 2u);
  for (const FakeLevelControl::Command& command : tools_->commands) {
    EXPECT_EQ(command.code, kSetUpToolSlots);
    EXPECT_EQ(ParamText(command.params, "selected_tools"), "Ice_1;");
    EXPECT_EQ(ParamText(command.params, "level"), "7");
  }
}

// The results and award screens lead on when they close; their tests are below.
TEST_F(LevelScreen, OpensTheScreensItsChildrenAskFor) {
  Start();
  ShowLevel(3);
  struct Case {
    const char* sender;
    int32_t code;
    const char* screen;
  } cases[] = {
      {"control_game_main", kShowToolTip, "GS_ToolTips"},
      {"control_game_main", kShowBonusHint, "GS_BonusHint"},
      {"control_game_main", kShowCoinHint, "GS_CoinHint"},
      {"button_menu", 1, "GS_MiniMenu"},
  };
  for (const Case& c : cases) {
    ParamsRef params = CreateParams();
    params->SetValue("money_earned", Variant(55));
    Event(c.sender, c.code, params);
    ASSERT_TRUE(Shown(c.screen)) << c.screen;
    if (c.code != kShowCoinHint && c.code != 1) {
      EXPECT_EQ(ParamText(ShownWith(c.screen), "money_earned"), "55");
    }
    Close(c.screen);
  }
  // The game losing the input focus pauses the level, but only while the level screen is on top.
  game_->FocusChanged(false);
  EXPECT_TRUE(Shown("GS_MiniMenu"));
  Close("GS_MiniMenu", {{"Button", Variant("button_unpause")}});
  Event("control_game_main", kShowCoinHint);
  game_->FocusChanged(false);
  EXPECT_FALSE(Shown("GS_MiniMenu"));
  EXPECT_EQ(level_->commands.size(), 1u) << "nothing went back to the level";
}

TEST_F(LevelScreen, ExpertTimeHintOpensOncePerPlayerAndNotBeforeLevelFive) {
  Start();
  auto hintFlag = [&] {
    return game_->GetProfiles()->GetCurrent()->GetParams()->GetValue("show_experttime_hine", Variant("no")).ToString();
  };
  ShowLevel(4);
  Event("timer_control", kShowExpertTimeHint);
  EXPECT_FALSE(Shown("GS_ExpertTimeHint"));
  EXPECT_EQ(hintFlag(), "no");
  game_->CloseScreen(Screen("GS_Level"), nullptr);
  Frames();

  ShowLevel(5);
  Event("timer_control", kShowExpertTimeHint);
  EXPECT_TRUE(Shown("GS_ExpertTimeHint"));
  EXPECT_EQ(hintFlag(), "yes");
  Close("GS_ExpertTimeHint");
  Event("timer_control", kShowExpertTimeHint);
  EXPECT_FALSE(Shown("GS_ExpertTimeHint"));
}

TEST_F(LevelScreen, ResultsScreenRestartsOrLeadsToTheMinigameOrToTheMap) {
  struct Case {
    const char* name;
    const char* minigame;
    const char* replay;
    const char* restart;
    bool minigameShown;
    bool mapGetsResults;
  } cases[] = {
      {"restart", "", "no", "yes", false, false},
      {"no minigame", "", "no", "", false, true},
      {"minigame after the level", "Pairs", "no", "", true, false},
      {"no minigame on a replay", "Pairs", "yes", "", false, true},
      {"minigame screen missing", "Satchel", "no", "", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Start();
    ShowLevel(3, c.replay);
    level_->results = Results(c.minigame, c.replay);
    Event("control_game_main", kShowLevelResults, level_->ComputeResults());
    ASSERT_TRUE(Shown("GS_StatMain"));
    EXPECT_EQ(ParamText(ShownWith("GS_StatMain"), "money_earned"), "120");
    Close("GS_StatMain", {{"restart_level", Variant(c.restart)}});
    EXPECT_EQ(level_->With(kRestartLevel).size(), std::string(c.restart) == "yes" ? 1u : 0u);
    EXPECT_EQ(Shown("GS_MiniGame_Pairs"), c.minigameShown);
    if (c.minigameShown) {
      EXPECT_EQ(ParamText(ShownWith("GS_MiniGame_Pairs"), "Minigame"), "Pairs");
    }
    ParamsRef result = LevelResult();
    ASSERT_EQ(result != nullptr, c.mapGetsResults);
    if (result) {
      EXPECT_EQ(ParamText(result, "money_earned"), "120");
      EXPECT_EQ(ParamText(result, "level_completed"), "yes");
    }
    game_->EndGame();
    game_.reset();
  }
}

TEST_F(LevelScreen, MinigameAfterTheLevelAddsItsBonusAndAQuitFailsTheLevel) {
  for (const char* forceQuit : {"no", "yes"}) {
    SCOPED_TRACE(forceQuit);
    Start();
    ShowLevel(3);
    level_->results = Results("Pairs", "no");
    // Through the award screen: the results are asked for again.
    Event("control_game_main", kShowResultsWithAward, level_->ComputeResults());
    Close("GS_NewAward");
    ASSERT_TRUE(Shown("GS_StatMain"));
    EXPECT_EQ(ParamText(ShownWith("GS_StatMain"), "money_earned"), "120");
    Close("GS_StatMain");
    Close("GS_MiniGame_Pairs", {{"minigame_bonus", Variant(30)}, {"force_quit", Variant(forceQuit)}});
    ParamsRef result = LevelResult();
    ASSERT_TRUE(result);
    EXPECT_EQ(ParamText(result, "minigame_bonus"), "30");
    EXPECT_EQ(ParamText(result, "money_earned"), "120");
    EXPECT_EQ(ParamText(result, "level_completed"), std::string(forceQuit) == "yes" ? "no" : "yes");
    game_->EndGame();
    game_.reset();
  }
}

TEST_F(LevelScreen, PauseMenuButtons) {
  Start();
  ShowLevel(3);
  auto menu = [&](const char* button) {
    Event("button_menu", 1);
    Close("GS_MiniMenu", {{"Button", Variant(button)}});
  };
  menu("button_options");
  EXPECT_TRUE(Shown("GS_Options"));
  Close("GS_Options");
  menu("button_rules");
  ASSERT_TRUE(Shown("GS_GameTutorial"));
  EXPECT_EQ(ParamText(ShownWith("GS_GameTutorial"), "level"), "99");
  EXPECT_EQ(ParamText(ShownWith("GS_GameTutorial"), "replay"), "no");
  EXPECT_EQ(ParamText(ShownWith("GS_GameTutorial"), "shop_name"), "ShopGarden");
  Close("GS_GameTutorial");

  menu("button_restart");
  Close("GS_QueryRestart", {{"Button", Variant("button_no")}});
  EXPECT_TRUE(level_->With(kRestartLevel).empty());
  Widget("timer_control")->SetAnchorTop(100);
  menu("button_restart");
  Close("GS_QueryRestart", {{"Button", Variant("button_yes")}});
  EXPECT_EQ(level_->With(kRestartLevel).size(), 1u);
  EXPECT_EQ(Widget("timer_control")->GetAnchorTop(), -60) << "the visuals start over with the level";

  // Leaving through the main-menu query: the map hears the level was not completed.
  menu("button_main_menu");
  Close("GS_QueryMainMenu", {{"Button", Variant("button_no")}});
  EXPECT_TRUE(Shown("GS_Level"));
  menu("button_main_menu");
  Close("GS_QueryMainMenu", {{"Button", Variant("button_yes")}});
  ParamsRef result = LevelResult();
  ASSERT_TRUE(result);
  EXPECT_EQ(ParamText(result, "level_completed"), "no");
  EXPECT_EQ(ParamText(result, "Button"), "button_yes");
  EXPECT_EQ(level_->resultsComputed, 0);
}

TEST_F(LevelScreen, PauseMenuWithoutItsQueriesActsAtOnce) {
  Start({"GS_QueryRestart", "GS_QueryMainMenu"});
  ShowLevel(3);
  Event("button_menu", 1);
  Close("GS_MiniMenu", {{"Button", Variant("button_restart")}});
  EXPECT_EQ(level_->With(kRestartLevel).size(), 1u);
  Event("button_menu", 1);
  Close("GS_MiniMenu", {{"Button", Variant("button_main_menu")}});
  ParamsRef result = LevelResult();
  ASSERT_TRUE(result);
  EXPECT_EQ(ParamText(result, "level_completed"), "no");
}

}  // namespace
}  // namespace kestrelle::testing
