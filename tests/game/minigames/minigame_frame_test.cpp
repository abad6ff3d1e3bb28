// The minigame frame on the real game object: how a minigame screen ends (completed, skipped,
// quit to the main menu), the pause menu's layout and answers, the hint about skipping, the
// completion screen's texts and the bonus replay screen.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/game_screen.h"
#include "data/hier_storage.h"
#include "game/minigames/minigame_screen.h"
#include "media/language.h"
#include "platform/messages.h"
#include "records/user_profiles.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

constexpr const char* kFrameWidgets = R"(
      <widget type="rect_widget" name="button_menu" anchor_left="10" width="100" height="40"/>
      <widget type="rect_widget" name="button_skip" anchor_left="700" width="90" height="40"/>
      <widget type="rect_widget" name="button_close" width="90" height="40" visible="yes"/>
      <widget type="rect_widget" name="panel" width="800" height="80" visible="no"/>)";

std::string MinigameScreen(const std::string& type, const std::string& name, const std::string& control) {
  return R"(<gamescreen type=")" + type + R"(" name=")" + name + R"("><window><widgets>)" + kFrameWidgets +
         R"(<widget type="KestrelleControlGameFindPairs" name=")" + control +
         R"(" width="800" height="600" visible="yes"><widgets>
           <widget type="group_widget" name="scenario_group"/><widget type="group_widget" name="elements"/>
         </widgets></widget></widgets></window></gamescreen>)";
}

const std::string kGame =
    R"(<game type="Game" name="g" splashlogosgs="GS_Base">
  <gamescreens>
    <gamescreen type="harness_screen" name="GS_Base"><window/></gamescreen>
    <gamescreen type="KestrelleGameScreenMain" name="GS_Main"><window/>
      <minigame_defs><minigame_def name="pairs" extraparams="minigame_bonus=50\minigame_person=granny"/></minigame_defs>
      <levels>
        <level level="2"><properties><param name="minigame" value="pairs"/></properties></level>
        <level level="5"><properties><param name="minigame" value="diffs"/></properties></level>
      </levels>
    </gamescreen>)" +
    MinigameScreen("KestrelleGameScreenGameFindPairs", "GS_MiniGame_pairs", "control_game_find_pairs") +
    MinigameScreen("KestrelleGameScreenGameRemoveItems", "GS_MiniGame_remove", "control_game_remove") +
    R"(
    <gamescreen type="KestrelleGameScreenMiniMenuBrief" name="GS_MiniMenuBrief"><window><widgets>
      <widget type="group_widget" name="buttons" visible="yes" extraparams="\group_height=360"><widgets>
        <widget type="rect_widget" name="button_unpause" width="200" height="80" visible="yes"/>
        <widget type="rect_widget" name="button_hidden" width="200" height="80" visible="no"/>
        <widget type="rect_widget" name="button_rules" width="200" height="80" visible="yes"/>
        <widget type="rect_widget" name="button_main_menu" width="200" height="80" visible="yes"/>
      </widgets></widget>
    </widgets></window></gamescreen>
    <gamescreen type="KestrelleGameScreenMinigameCompleted" name="GS_MinigameCompleted"><window>
      <widgetfactories>
        <widgetfactory name="person_granny"
          widgetstring="&lt;widget type=&quot;rect_widget&quot; name=&quot;granny&quot; width=&quot;9&quot; height=&quot;9&quot;/&gt;"/>
      </widgetfactories>
      <widgets>
        <widget type="text_widget" name="title"/>
        <widget type="group_widget" name="person"/>
        <widget type="text_widget" name="text_GameCompleted"/>
        <widget type="text_widget" name="moneyEarned"/>
      </widgets></window></gamescreen>
    <gamescreen type="KestrelleGameScreenMinigameHelp" name="GS_MinigameHelp"><window/></gamescreen>
    <gamescreen type="GameScreenQueryDialog" name="GS_QueryMainMenu"><window/></gamescreen>
    <gamescreen type="GameScreen" name="GS_Options"><window/></gamescreen>
    <gamescreen type="GameScreen" name="GS_SkipHint"><window/></gamescreen>
    <gamescreen type="KestrelleGameScreenMainBonus" name="GS_Bonus"><window><widgets>
      <widget type="group_widget" name="level_buttons"><widgets>
        <widget type="group_widget" name="pairs" extraparams="\minigame=pairs\level_disabled=0\level_enabled=0"><widgets>
          <widget type="group_widget" name="look"><widgets><widget type="rect_widget" name="button"/></widgets></widget>
        </widgets></widget>
        <widget type="group_widget" name="diffs" extraparams="\minigame=diffs\level_disabled=0\level_enabled=0"><widgets>
          <widget type="group_widget" name="look"><widgets><widget type="rect_widget" name="button"/></widgets></widget>
        </widgets></widget>
        <widget type="group_widget" name="path" extraparams="\minigame=path\level_disabled=0\level_enabled=0"/>
      </widgets></widget>
    </widgets></window></gamescreen>
  </gamescreens>
</game>)";

class MinigameFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureGameClassesRegistered();
    CreateLanguageTable();
    engine_ = std::make_shared<testing::FakeEngine>();
    engine_->Initialize();
    game_ = Create<TGame>();
    game_->LoadFromStorage(LoadStorageFromString(kGame));
    game_->StartGame(engine_);
    Frames();
    ASSERT_TRUE(Shown("GS_Base"));
  }
  void TearDown() override {
    game_->EndGame();
    FreeLanguageTable();
  }
  void Frames() {
    for (int i = 0; i < 5; ++i) {
      game_->Update(10);
      game_->AfterUpdate();
    }
  }
  GameScreenRef Screen(const std::string& name) { return game_->GetScreens()->Get(Variant(name)); }
  bool Shown(const std::string& name) { return Screen(name)->IsShown(); }
  WidgetRef Widget(const std::string& screen, const std::string& path) {
    return Screen(screen)->GetWindowInterface()->FindWidget(path);
  }
  testing::HarnessScreen& Base() { return dynamic_cast<testing::HarnessScreen&>(*Screen("GS_Base")); }
  void Show(const std::string& screen, const ParamsRef& params = nullptr) {
    ASSERT_TRUE(game_->ShowScreen(screen, params)) << screen;
    Frames();
  }
  // An event of the widget `sender` of `screen` (a click, unless another code is given).
  void Event(const std::string& screen, const std::string& sender, int32_t code = 1,
             const ParamsRef& params = nullptr) {
    std::dynamic_pointer_cast<IEventHandler>(Screen(screen))->HandleWidgetEvent(Widget(screen, sender), code, params);
    Frames();
  }
  void Close(const std::string& screen, const ParamsRef& result) {
    ASSERT_TRUE(game_->CloseScreen(Screen(screen), result)) << screen;
    Frames();
  }
  static ParamsRef Button(const std::string& name) {
    ParamsRef params = CreateParams();
    params->SetValue("Button", Variant(name));
    return params;
  }
  static std::string Value(const ParamsRef& params, const std::string& name) {
    return params ? params->GetValue(name, Variant(std::string("-"))).ToString() : "(none)";
  }
  ParamsRef PairsShown() {
    ParamsRef params = CreateParams();
    params->SetValue("Minigame", Variant("pairs"));
    return params;
  }
  UserProfileRef Player() {
    UserProfileRef player = game_->GetProfiles()->GetOrCreate("Ann");
    game_->GetProfiles()->SetCurrent("Ann");
    return player;
  }

  testing::ScopedUserFolder userFolder_{"minigame-frame"};  // first: removed after everything else
  std::shared_ptr<testing::FakeEngine> engine_;
  std::shared_ptr<TGame> game_;
};

TEST_F(MinigameFrame, ShowingLaysOutTheFrameAndStartsTheControl) {
  Show("GS_MiniGame_pairs", PairsShown());
  EXPECT_FALSE(Widget("GS_MiniGame_pairs", "button_close")->GetVisible());
  EXPECT_EQ(Widget("GS_MiniGame_pairs", "button_menu")->GetAnchorLeft(), -100);
  EXPECT_EQ(Widget("GS_MiniGame_pairs", "button_skip")->GetAnchorLeft(), 1024);
  EXPECT_TRUE(Widget("GS_MiniGame_pairs", "panel")->GetVisible());
  EXPECT_EQ(Widget("GS_MiniGame_pairs", "panel")->GetAnchorTop(), -80);
  // Command 5 reached the control: it found its definition and is starting.
  EXPECT_EQ(Widget("GS_MiniGame_pairs", "control_game_find_pairs")->GetProperty("state"), Variant(1));
  auto screen = std::dynamic_pointer_cast<TKestrelleMinigameScreen>(Screen("GS_MiniGame_pairs"));
  ASSERT_TRUE(screen && screen->GetDefinition());
  EXPECT_EQ(screen->GetDefinition()->GetName(), "pairs");
}

// Every way out of a minigame, and the pause menu's answers that keep it going.
TEST_F(MinigameFrame, HowAMinigameEnds) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> steps;  // (action, argument)
    const char* completed;                                   // the answer's "level_completed", "-" none
    const char* bonus;
    const char* forceQuit;
    bool stillShown;
  };
  const Case cases[] = {
      {"completed: the definition's bonus",
       {{"report", "no"}, {"close", "GS_MinigameCompleted"}},
       "yes",
       "50",
       "-",
       false},
      {"skipped: no bonus",
       {{"click", "button_skip"}, {"report", "yes"}, {"close", "GS_MinigameCompleted"}},
       "yes",
       "0",
       "-",
       false},
      {"quit through the query",
       {{"click", "button_menu"}, {"menu", "button_main_menu"}, {"query", "button_yes"}},
       "-",
       "-",
       "yes",
       false},
      {"the query answered no",
       {{"click", "button_menu"}, {"menu", "button_main_menu"}, {"query", "button_no"}},
       "",
       "",
       "",
       true},
      {"the menu closed without an answer", {{"click", "button_menu"}, {"menu", ""}}, "", "", "", true},
      {"unpause", {{"click", "button_menu"}, {"menu", "button_unpause"}}, "", "", "", true},
      // Last: the query screen is gone from here on.
      {"quit at once when there is no query",
       {{"drop", "GS_QueryMainMenu"}, {"click", "button_menu"}, {"menu", "button_main_menu"}},
       "-",
       "-",
       "yes",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Show("GS_MiniGame_pairs", PairsShown());
    Base().closedResult = nullptr;
    Base().log.clear();
    for (const auto& [action, argument] : c.steps) {
      if (action == "report") {
        ParamsRef report = CreateParams();
        report->SetValue("minigame_skipped", Variant(argument));
        Event("GS_MiniGame_pairs", "control_game_find_pairs", 32773, report);
        ASSERT_TRUE(Shown("GS_MinigameCompleted"));
      } else if (action == "click") {
        Event("GS_MiniGame_pairs", argument);
      } else if (action == "close") {
        Close(argument, nullptr);
      } else if (action == "menu") {
        ASSERT_TRUE(Shown("GS_MiniMenuBrief"));
        Close("GS_MiniMenuBrief", argument.empty() ? nullptr : Button(argument));
      } else if (action == "drop") {
        game_->GetScreens()->Delete(Variant(argument));
      } else if (action == "query") {
        ASSERT_TRUE(Shown("GS_QueryMainMenu"));
        Close("GS_QueryMainMenu", Button(argument));
      }
    }
    EXPECT_EQ(Shown("GS_MiniGame_pairs"), c.stillShown);
    if (c.stillShown) {
      EXPECT_TRUE(Base().log.empty());
      EXPECT_FALSE(Shown("GS_QueryMainMenu"));
      Close("GS_MiniGame_pairs", nullptr);
      continue;
    }
    EXPECT_EQ(Base().log, (std::vector<std::string>{"slaveclosed:GS_MiniGame_pairs"}));
    EXPECT_EQ(Value(Base().closedResult, "level_completed"), c.completed);
    EXPECT_EQ(Value(Base().closedResult, "minigame_bonus"), c.bonus);
    EXPECT_EQ(Value(Base().closedResult, "force_quit"), c.forceQuit);
  }
}

TEST_F(MinigameFrame, PauseMenuOpensOnLostFocusAndLeadsToRulesAndOptions) {
  Show("GS_MiniGame_pairs", PairsShown());
  game_->FocusChanged(false);
  Frames();
  ASSERT_TRUE(Shown("GS_MiniMenuBrief"));
  game_->FocusChanged(false);  // the minigame is not the active screen now
  Close("GS_MiniMenuBrief", Button("button_rules"));
  EXPECT_TRUE(Shown("GS_MinigameHelp"));
  Close("GS_MinigameHelp", nullptr);
  EXPECT_FALSE(Shown("GS_SkipHint")) << "only the remove-items screen hints at skipping";
  Event("GS_MiniGame_pairs", "button_menu");
  Close("GS_MiniMenuBrief", Button("button_options"));
  EXPECT_TRUE(Shown("GS_Options"));
}

TEST_F(MinigameFrame, TheSkipHintFollowsTheFirstHelpOnceAndIsRemembered) {
  UserProfileRef player = Player();
  Show("GS_MiniGame_remove");
  Show("GS_MinigameHelp");
  Close("GS_MinigameHelp", nullptr);
  ASSERT_TRUE(Shown("GS_SkipHint"));
  EXPECT_EQ(Value(player->GetParams(), "show_skip_hint"), "yes");
  Close("GS_SkipHint", nullptr);
  Show("GS_MinigameHelp");
  Close("GS_MinigameHelp", nullptr);
  EXPECT_FALSE(Shown("GS_SkipHint"));
  // Saved at once: the players' file holds it.
  auto reloaded = Create<TUserProfileCollection>();
  reloaded->LoadFromFile();
  ASSERT_TRUE(reloaded->GetProfile(Variant("Ann")));
  EXPECT_EQ(Value(reloaded->GetProfile(Variant("Ann"))->GetParams(), "show_skip_hint"), "yes");
}

TEST_F(MinigameFrame, PauseMenuLayoutAndAnswers) {
  Show("GS_MiniMenuBrief");
  // 360 high, three visible buttons of 80: gaps of 40, the first half a gap down.
  EXPECT_EQ(Widget("GS_MiniMenuBrief", "buttons/button_unpause")->GetAnchorTop(), 20);
  EXPECT_EQ(Widget("GS_MiniMenuBrief", "buttons/button_rules")->GetAnchorTop(), 140);
  EXPECT_EQ(Widget("GS_MiniMenuBrief", "buttons/button_main_menu")->GetAnchorTop(), 260);
  EXPECT_EQ(Widget("GS_MiniMenuBrief", "buttons/button_hidden")->GetAnchorTop(), 0);

  struct Case {
    const char* what;
    std::function<void()> act;
    const char* button;
  };
  const Case cases[] = {
      {"Escape", [&] { game_->KeyEvent(WM_KEYDOWN, 27, 0); }, "(none)"},
      {"a click beside the buttons",
       [&] {
         game_->MouseEvent(WM_LBUTTONUP, TPoint{700, 500}, 0);
       },
       "(none)"},
      {"a button", [&] { Event("GS_MiniMenuBrief", "buttons/button_rules"); }, "button_rules"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!Shown("GS_MiniMenuBrief")) Show("GS_MiniMenuBrief");
    Base().log.clear();
    Base().closedResult = CreateParams();
    c.act();
    Frames();
    EXPECT_FALSE(Shown("GS_MiniMenuBrief"));
    EXPECT_EQ(Base().log, (std::vector<std::string>{"slaveclosed:GS_MiniMenuBrief"}));
    EXPECT_EQ(Value(Base().closedResult, "Button"), c.button);
  }
}

TEST_F(MinigameFrame, CompletionScreenTexts) {
  LanguageTable()->SetString("title_MinigameCompleted", "Well done");
  LanguageTable()->SetString("title_MinigameSkipped", "Skipped");
  LanguageTable()->SetString("text_MinigameSkipped", "Next time");
  struct Case {
    const char* skipped;  // nullptr: no such parameter
    const char* title;
    const char* text;
    const char* money;
    bool person;
  };
  const Case cases[] = {
      {"no", "Well done", "All found", "50", true},
      {"yes", "Skipped", "Next time", "0", true},
      {nullptr, "Skipped", "Next time", "0", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.skipped ? c.skipped : "absent");
    ParamsRef report = CreateParams();
    if (c.skipped) report->SetValue("minigame_skipped", Variant(c.skipped));
    report->SetValue("minigame_bonus", Variant(50));
    report->SetValue("minigame_person", Variant("granny"));
    report->SetValue("end_text", Variant("All found"));
    Show("GS_MinigameCompleted", report);
    auto text = [&](const char* name) { return Widget("GS_MinigameCompleted", name)->GetProperty("text").ToString(); };
    EXPECT_EQ(text("title"), c.title);
    EXPECT_EQ(text("text_GameCompleted"), c.text);
    EXPECT_EQ(text("moneyEarned"), c.money);
    EXPECT_TRUE(Widget("GS_MinigameCompleted", "person/granny"));
    Close("GS_MinigameCompleted", nullptr);
  }
}

TEST_F(MinigameFrame, BonusReplayEnablesTheMinigamesOfPassedLevels) {
  struct Case {
    const char* currentLevel;  // nullptr: the player has no value
    bool pairs;
    bool diffs;
  };
  // "path": no level leads to it, so it is never offered.
  const Case cases[] = {
      {nullptr, false, false}, {"2", false, false}, {"3", true, false}, {"6", true, true}, {"99", true, true}};
  UserProfileRef player = Player();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.currentLevel ? c.currentLevel : "none");
    if (c.currentLevel) player->GetParams()->SetValue("current_level", Variant(c.currentLevel));
    Show("GS_Bonus");
    for (auto [name, enabled] : {std::pair{"pairs", c.pairs}, std::pair{"diffs", c.diffs}, std::pair{"path", false}}) {
      WidgetRef button = Widget("GS_Bonus", std::string("level_buttons/") + name);
      EXPECT_EQ(button->GetProperty("level_enabled").ToString(), enabled ? "-1" : "0") << name;
      EXPECT_EQ(button->GetProperty("level_disabled").ToString(), enabled ? "0" : "-1") << name;
    }
    Close("GS_Bonus", nullptr);
  }
  Show("GS_Bonus");
  // A minigame whose screen the game lacks: nothing opens, the menu stays.
  Event("GS_Bonus", "level_buttons/diffs/look/button");
  EXPECT_TRUE(Shown("GS_Bonus"));
  EXPECT_FALSE(Shown("GS_MiniGame_pairs"));
  Event("GS_Bonus", "level_buttons/pairs/look/button");
  ASSERT_TRUE(Shown("GS_MiniGame_pairs"));
  auto minigame = std::dynamic_pointer_cast<TGameScreen>(Screen("GS_MiniGame_pairs"));
  EXPECT_EQ(Value(minigame->GetParams(), "Minigame"), "pairs");
  EXPECT_EQ(Value(minigame->GetParams(), "Replay"), "yes");
}

}  // namespace
}  // namespace kestrelle
