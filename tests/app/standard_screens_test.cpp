// The standard screens on the real game object: query answers, the options screen's values and
// options, the new-user name rules, choosing, creating and deleting players, and the high-score
// table.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/game.h"
#include "app/list_box_interface.h"
#include "app/standard_screens/screen_new_user.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "platform/messages.h"
#include "records/high_scores.h"
#include "records/user_profiles.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"
#include "widgets/group_widget.h"

namespace kestrelle {
namespace {

// A list of rows without a look: what the profile screen needs of a list box.
class TRowList : public TVisualGroupWidget, public virtual IListBoxControl {
 public:
  std::vector<std::string> rows;
  int selected = -1;
  std::string GetItemText(const Variant& key) override {
    int64_t i = key.ToInt(-1);
    return i >= 0 && i < static_cast<int64_t>(rows.size()) ? rows[i] : std::string();
  }
  void AddItem(const std::string& text, const std::string&) override { rows.push_back(text); }
  void DeleteItem(const Variant& key) override {
    int64_t i = key.ToInt(-1);
    if (i < 0 || i >= static_cast<int64_t>(rows.size())) return;
    rows.erase(rows.begin() + i);
    if (i == selected) selected = std::min<int>(static_cast<int>(i), static_cast<int>(rows.size()) - 1);
  }
  void ClearItems() override {
    rows.clear();
    selected = -1;
  }
  void SetSelected(int index) override {
    if (index >= 0 && index < static_cast<int>(rows.size())) selected = index;
  }
  int GetSelected() override { return selected; }
};

// What the high-score screen needs of a score grid: a widget that keeps the table it is given.
class TTableHolder : public TVisualGroupWidget {
 public:
  Variant table;
  void SetProperty(const std::string& name, const Variant& value) override {
    if (name == "recordtable")
      table = value;
    else
      TVisualGroupWidget::SetProperty(name, value);
  }
  Variant GetProperty(const std::string& name) override {
    return name == "recordtable" ? table : TVisualGroupWidget::GetProperty(name);
  }
};

// A screen that records what the screens above it answered.
class TAnswerLog : public TGameScreen {
 public:
  std::vector<std::string> answers;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override {
    std::string text = name + ":";
    if (result)
      for (int i = 0; i < result->GetCount(); ++i) {
        ParamRef p = result->GetParam(Variant(i));
        text += p->GetName() + "=" + p->GetValue().ToString() + ";";
      }
    answers.push_back(text);
  }
};

// Check boxes and track bars stand in as groups whose values are extra parameters.
constexpr const char* kGame = R"(<game type="Game" name="g" splashlogosgs="GS_Base">
  <params>
    <param name="ShowHints" value="yes"/>
    <param name="SoundVolume" value="40"/>
    <param name="MusicVolume" value="abc"/>
  </params>
  <gamescreens>
    <gamescreen type="answer_log" name="GS_Base"/>
    <gamescreen type="GameScreenQueryDialog" name="GS_Query"><window><widgets>
      <widget type="text_widget" name="label_question"/>
      <widget type="group_widget" name="button_yes"/>
    </widgets></window></gamescreen>
    <gamescreen type="GameScreenQueryDeleteProfile" name="GS_QueryDeleteProfile"><window><widgets>
      <widget type="text_widget" name="label_user_profile_name" text="old"/>
      <widget type="group_widget" name="button_yes"/>
      <widget type="group_widget" name="button_no"/>
    </widgets></window></gamescreen>
    <gamescreen type="GameScreenQueryDialog" name="GS_QueryNotUniqueName"><window/></gamescreen>
    <gamescreen type="GameScreenOptionsWideScreen" name="GS_Options"><window><widgets>
      <widget type="group_widget" name="checkbox_screenmode" visible="yes" extraparams="\CheckBoxState=no"/>
      <widget type="group_widget" name="checkbox_showhints" visible="yes" extraparams="\CheckBoxState=no"/>
      <widget type="group_widget" name="checkbox_widescreen" visible="yes" extraparams="\CheckBoxState=yes"/>
      <widget type="group_widget" name="trackbar_soundvolume" visible="yes" extraparams="\position=0"/>
      <widget type="group_widget" name="trackbar_musicvolume" visible="yes" extraparams="\position=7"/>
    </widgets></window></gamescreen>
    <gamescreen type="GameScreenNewUser" name="GS_NewUser"><window><widgets>
      <widget type="group_widget" name="edit_name" extraparams="\value=\text_utf8="/>
      <widget type="group_widget" name="button_cancel" enabled="yes"/>
    </widgets></window></gamescreen>
    <gamescreen type="GameScreenUserProfiles" name="GS_UserProfiles"><window><widgets>
      <widget type="row_list" name="listbox_profiles"/>
      <widget type="group_widget" name="button_delete"/>
    </widgets></window></gamescreen>
    <gamescreen type="GameScreenHighScores" name="GS_HighScores" record_table="europe"><window><widgets>
      <widget type="table_holder" name="score_grid"/>
      <widget type="group_widget" name="your_score"><widgets><widget type="text_widget" name="value"/></widgets></widget>
      <widget type="group_widget" name="button_close"/>
    </widgets></window></gamescreen>
  </gamescreens>
</game>)";

class StandardScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureClassesRegistered();
    auto& registry = ClassRegistry::Instance();
    if (!registry.IsRegistered("row_list")) RegisterObjectClass<TRowList>("row_list");
    if (!registry.IsRegistered("answer_log")) RegisterObjectClass<TAnswerLog>("answer_log");
    if (!registry.IsRegistered("table_holder")) RegisterObjectClass<TTableHolder>("table_holder");
    engine = std::make_shared<testing::FakeEngine>();
    engine->Initialize();
    engine->SetConfigValue("FullScreenMode", "yes");
    engine->SetConfigValue("SoundVolume", "70");
    engine->SetConfigValue("MusicVolume", "30");
    game = Create<TGame>();
    game->LoadFromStorage(LoadStorageFromString(kGame));
    game->StartGame(engine);
    base = std::dynamic_pointer_cast<TAnswerLog>(Screen("GS_Base"));
    ASSERT_TRUE(base);
  }
  void TearDown() override {
    if (game) game->EndGame();
  }
  GameScreenRef Screen(const std::string& name) { return game->GetScreens()->Get(Variant(name)); }
  WidgetRef Widget(const std::string& screen, const std::string& name) {
    return Screen(screen)->GetWindowInterface()->FindWidget(name);
  }
  std::string Top() {
    // The game's stack is not exposed; the top is the shown screen that is active.
    for (const char* name : {"GS_QueryNotUniqueName", "GS_QueryDeleteProfile", "GS_NewUser", "GS_Query", "GS_Options",
                             "GS_UserProfiles", "GS_HighScores"}) {
      auto screen = std::dynamic_pointer_cast<TGameScreen>(Screen(name));
      if (screen && screen->IsActive() && screen->GetWindowWidget() && screen->GetWindowWidget()->GetVisible())
        return name;
    }
    return "GS_Base";
  }
  void Event(const std::string& screen, const std::string& sender, int32_t code) {
    auto handler = std::dynamic_pointer_cast<IEventHandler>(Screen(screen));
    handler->HandleWidgetEvent(Widget(screen, sender), code, nullptr);
    game->Update(10);
  }
  bool KeyDown(const std::string& screen, uintptr_t key) {
    bool handled = Screen(screen)->KeyEvent(WM_KEYDOWN, key, 0);
    game->Update(10);
    return handled;
  }
  UserProfilesRef Profiles() { return game->GetProfiles(); }
  std::string Current() {
    UserProfileRef current = Profiles()->GetCurrent();
    return current ? current->GetName() : "(none)";
  }

  testing::ScopedUserFolder userFolder{"standard-screens"};  // first: removed after everything else
  std::shared_ptr<testing::FakeEngine> engine;
  std::shared_ptr<TGame> game;
  std::shared_ptr<TAnswerLog> base;
};

TEST_F(StandardScreens, QueryFillsItsTextsByNameAndAnswersWithTheButtonName) {
  ParamsRef texts = CreateParams();
  texts->SetValue("label_question", "Really?");
  texts->SetValue("no_such_widget", "ignored");
  ASSERT_TRUE(game->ShowScreen("GS_Query", texts));
  EXPECT_EQ(Widget("GS_Query", "label_question")->GetProperty("text_utf8").ToString(), "Really?");
  // Enter and Escape do nothing on a query.
  EXPECT_FALSE(KeyDown("GS_Query", 13));
  EXPECT_FALSE(KeyDown("GS_Query", 27));
  EXPECT_EQ(Top(), "GS_Query");
  Event("GS_Query", "button_yes", 1);
  EXPECT_EQ(Top(), "GS_Base");
  EXPECT_EQ(base->answers, (std::vector<std::string>{"GS_Query:Button=button_yes;"}));
}

TEST_F(StandardScreens, OptionsShowTheEngineValuesAndStoreChanges) {
  if (engine->config->Exists("WideScreenMode")) engine->config->Delete(Variant("WideScreenMode"));
  ASSERT_TRUE(game->ShowScreen("GS_Options", nullptr));
  EXPECT_TRUE(Widget("GS_Options", "checkbox_screenmode")->GetProperty("CheckBoxState").ToBool());
  EXPECT_TRUE(Widget("GS_Options", "checkbox_showhints")->GetProperty("CheckBoxState").ToBool());
  // No engine value: the control is hidden and keeps its state.
  EXPECT_FALSE(Widget("GS_Options", "checkbox_widescreen")->GetVisible());
  EXPECT_EQ(Widget("GS_Options", "trackbar_soundvolume")->GetProperty("position").ToInt(), 40);
  // A value that is not a number shows 0.
  EXPECT_EQ(Widget("GS_Options", "trackbar_musicvolume")->GetProperty("position").ToInt(), 0);

  Widget("GS_Options", "checkbox_showhints")->SetProperty("CheckBoxState", false);
  Event("GS_Options", "checkbox_showhints", 2);
  EXPECT_EQ(game->GetSetting("ShowHints").ToString(), "no");
  Widget("GS_Options", "trackbar_musicvolume")->SetProperty("position", 25);
  Event("GS_Options", "trackbar_musicvolume", 3);
  EXPECT_EQ(engine->GetConfigValue("MusicVolume").ToString(), "25");

  EXPECT_TRUE(KeyDown("GS_Options", 27));
  EXPECT_EQ(Top(), "GS_Base");
}

TEST_F(StandardScreens, NewUserNameRules) {
  Profiles()->GetOrCreate("Ann");
  struct Case {
    const char* typed;
    const char* answer;  // empty: the not-unique query opens and the screen stays
  };
  const Case cases[] = {
      {"  Bob \t", "GS_NewUser:user_name=Bob;"},
      {"", ""},
      {"   ", ""},
      {"aNN", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    base->answers.clear();
    ASSERT_TRUE(game->ShowScreen("GS_NewUser", nullptr));
    Widget("GS_NewUser", "edit_name")->SetProperty("text_utf8", std::string(c.typed));
    Event("GS_NewUser", "edit_name", 4);
    EXPECT_TRUE(KeyDown("GS_NewUser", 13));
    if (*c.answer) {
      EXPECT_EQ(Top(), "GS_Base");
      EXPECT_EQ(base->answers, (std::vector<std::string>{c.answer}));
    } else {
      EXPECT_EQ(Top(), "GS_QueryNotUniqueName");
      EXPECT_TRUE(base->answers.empty());
      EXPECT_EQ(std::dynamic_pointer_cast<TGameScreenNewUser>(Screen("GS_NewUser"))->GetTypedName(), c.typed);
      game->CloseScreen(Screen("GS_QueryNotUniqueName"), nullptr);
      game->Update(10);
      EXPECT_TRUE(KeyDown("GS_NewUser", 27));
      EXPECT_EQ(Top(), "GS_Base");
    }
  }
}

TEST_F(StandardScreens, NecessaryNameCannotBeCancelled) {
  ParamsRef necessary = CreateParams();
  necessary->SetValue("Necessary", true);
  necessary->SetValue("user_name", std::string("Suggested"));  // offered, and confirmed as it is
  ASSERT_TRUE(game->ShowScreen("GS_NewUser", necessary));
  EXPECT_EQ(Widget("GS_NewUser", "edit_name")->GetProperty("value").ToString(), "Suggested");
  EXPECT_FALSE(Widget("GS_NewUser", "button_cancel")->GetEnabled());
  EXPECT_FALSE(KeyDown("GS_NewUser", 27));
  EXPECT_EQ(Top(), "GS_NewUser");
  Widget("GS_NewUser", "edit_name")->SetProperty("text_utf8", std::string("Cy"));
  Event("GS_NewUser", "edit_name", 4);
  EXPECT_TRUE(KeyDown("GS_NewUser", 13));
  EXPECT_EQ(Top(), "GS_Base");
}

TEST_F(StandardScreens, ProfilesCreateChooseAndDelete) {
  auto list = std::dynamic_pointer_cast<TRowList>(Widget("GS_UserProfiles", "listbox_profiles"));
  ASSERT_TRUE(list);
  // No player yet: row 0 opens the new-user screen; the new player becomes current and is saved.
  ASSERT_TRUE(game->ShowScreen("GS_UserProfiles", nullptr));
  EXPECT_EQ(list->rows.size(), 1u);
  list->SetSelected(0);
  Event("GS_UserProfiles", "listbox_profiles", 5);
  EXPECT_EQ(Top(), "GS_NewUser");
  game->CloseScreen(Screen("GS_NewUser"), [] {
    ParamsRef r = CreateParams();
    r->SetValue("user_name", "Ann");
    return r;
  }());
  game->Update(10);
  EXPECT_EQ(Top(), "GS_Base");
  EXPECT_EQ(Current(), "Ann");
  EXPECT_TRUE(std::filesystem::exists(userFolder.Path() / "users.dat"));

  // Deleting a player who is not current keeps the current one.
  Profiles()->GetOrCreate("Bob");
  ASSERT_TRUE(game->ShowScreen("GS_UserProfiles", nullptr));
  EXPECT_EQ(list->rows, (std::vector<std::string>{"%CreateNewUser%", "Ann", "Bob"}));
  EXPECT_EQ(list->selected, 1);
  list->SetSelected(2);
  Event("GS_UserProfiles", "button_delete", 1);
  EXPECT_EQ(Top(), "GS_QueryDeleteProfile");
  EXPECT_EQ(Widget("GS_QueryDeleteProfile", "label_user_profile_name")->GetProperty("text_utf8").ToString(), "Bob");
  Event("GS_QueryDeleteProfile", "button_yes", 1);
  EXPECT_EQ(Profiles()->GetCount(), 1);
  EXPECT_EQ(Current(), "Ann");

  // A "no" deletes nothing; deleting the only (current) player asks for a new one at once.
  Event("GS_UserProfiles", "button_delete", 1);
  Event("GS_QueryDeleteProfile", "button_no", 1);
  EXPECT_EQ(Profiles()->GetCount(), 1);
  Event("GS_UserProfiles", "button_delete", 1);
  Event("GS_QueryDeleteProfile", "button_yes", 1);
  EXPECT_EQ(Profiles()->GetCount(), 0);
  EXPECT_EQ(Current(), "(none)");
  EXPECT_EQ(Top(), "GS_NewUser");
  EXPECT_FALSE(Widget("GS_NewUser", "button_cancel")->GetEnabled());
}

// Shown with a score, the table enters it, keeps it on disk and highlights it; the score shows
// whether it entered or not; shown without one, nothing is highlighted and no score shows.
TEST_F(StandardScreens, HighScoresEnterTheScoreTheyAreShownWith) {
  RecordTableRef europe = game->GetHighScores()->GetTables()->Get(Variant("europe"));
  ASSERT_TRUE(europe);
  auto show = [&](std::vector<std::pair<std::string, std::string>> values) {
    ParamsRef params = values.empty() ? nullptr : CreateParams();
    for (const auto& [name, value] : values) params->SetValue(name, value);
    EXPECT_TRUE(game->ShowScreen("GS_HighScores", params));
    EXPECT_EQ(Widget("GS_HighScores", "score_grid")->GetProperty("recordtable").As<IRecordTable>(), europe);
  };
  auto yourScore = [&] {
    WidgetRef yours = Widget("GS_HighScores", "your_score");
    return yours->GetVisible() ? yours->FindWidget("value")->GetProperty("text_utf8").ToString() : "(hidden)";
  };
  struct Case {
    std::vector<std::pair<std::string, std::string>> shownWith;
    int records;
    int highlighted;
    std::string yours;
  };
  const Case cases[] = {
      {{{"Score", "300"}, {"Player", "Ann"}}, 1, 0, "300"},
      {{{"Score", "900"}, {"Player", "Bob"}}, 2, 0, "900"},
      {{{"Score", "450"}, {"Player", "Ann"}}, 3, 1, "450"},  // a second game of a player enters too
      {{{"Score", "100"}, {"Player", "Cy"}}, 3, -1, "100"},  // below a full table: nothing to highlight
      {{}, 3, -1, "(hidden)"},
  };
  for (const Case& c : cases) {
    show(c.shownWith);
    EXPECT_EQ(europe->GetRecords()->GetCount(), c.records) << c.yours;
    EXPECT_EQ(europe->GetLastIndex(), c.highlighted) << c.yours;
    EXPECT_EQ(yourScore(), c.yours);
    Event("GS_HighScores", "button_close", 1);
    EXPECT_EQ(Top(), "GS_Base");
  }
  ParamsRef best = europe->GetRecords()->Get(Variant(0))->GetParams();
  EXPECT_EQ(best->GetValue("Player", Variant()).ToString(), "Bob");

  // What entered is on disk: a new start reads the same table back.
  game->EndGame();
  game = Create<TGame>();
  game->LoadFromStorage(LoadStorageFromString(kGame));
  game->StartGame(engine);
  RecordTableRef again = game->GetHighScores()->GetTables()->Get(Variant("europe"));
  ASSERT_EQ(again->GetRecords()->GetCount(), 3);
  EXPECT_EQ(again->GetRecords()->Get(Variant(2))->GetScore(), 300);
}

}  // namespace
}  // namespace kestrelle
