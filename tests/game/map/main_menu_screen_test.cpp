// The main menu on the real game object: the first player is asked for and made current, the
// welcome names the current player, and the start button tells the story once before the map.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/game.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "game/game_registration.h"
#include "media/language.h"
#include "records/user_profiles.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

constexpr const char* kGame = R"(<game type="Game" name="g" splashlogosgs="GS_Main">
  <gamescreens>
    <gamescreen type="KestrelleGameScreenMain" name="GS_Main"><window><widgets>
      <widget type="text_widget" name="welcome_message"/>
      <widget type="group_widget" name="button_start"/>
      <widget type="group_widget" name="button_exit"/>
    </widgets></window></gamescreen>
    <gamescreen type="GameScreenNewUser" name="GS_NewUser"><window><widgets>
      <widget type="group_widget" name="edit_name" extraparams="\value=\text_utf8="/>
      <widget type="group_widget" name="button_cancel" enabled="yes"/>
    </widgets></window></gamescreen>
    <gamescreen type="GameScreen" name="GS_History"><window/></gamescreen>
    <gamescreen type="GameScreen" name="GS_Map"><window/></gamescreen>
    <gamescreen type="GameScreen" name="GS_Quit"><window/></gamescreen>
  </gamescreens>
</game>)";

class MainMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureClassesRegistered();
    if (!ClassRegistry::Instance().IsRegistered("KestrelleGameScreenMain")) RegisterGameClasses();
    CreateLanguageTable();
    LanguageTable()->SetString("welcome", "Hello, %username%!");
  }
  void TearDown() override {
    if (game_) game_->EndGame();
    FreeLanguageTable();
  }
  void Start() {
    engine_ = std::make_shared<testing::FakeEngine>();
    engine_->Initialize();
    game_ = Create<TGame>();
    game_->LoadFromStorage(LoadStorageFromString(kGame));
    game_->StartGame(engine_);
    Frames();
  }
  void Frames() {
    for (int i = 0; i < 5; ++i) game_->Update(10);
  }
  GameScreenRef Screen(const std::string& name) { return game_->GetScreens()->Get(Variant(name)); }
  WidgetRef Widget(const std::string& screen, const std::string& name) {
    return Screen(screen)->GetWindowInterface()->FindWidget(name);
  }
  bool Shown(const std::string& name) { return Screen(name)->IsShown(); }
  void Click(const std::string& sender) {
    std::dynamic_pointer_cast<IEventHandler>(Screen("GS_Main"))
        ->HandleWidgetEvent(Widget("GS_Main", sender), 1, nullptr);
    Frames();
  }
  void Close(const std::string& screen, const ParamsRef& result) {
    game_->CloseScreen(Screen(screen), result);
    Frames();
  }
  std::string Welcome() { return Widget("GS_Main", "welcome_message")->GetProperty("text_utf8").ToString(); }

  testing::ScopedUserFolder userFolder_{"main-menu"};  // first: removed after everything else
  std::shared_ptr<testing::FakeEngine> engine_;
  std::shared_ptr<TGame> game_;
};

TEST_F(MainMenu, TheFirstPlayerIsAskedForAndBecomesCurrent) {
  Start();
  ASSERT_TRUE(Shown("GS_NewUser"));
  EXPECT_FALSE(Widget("GS_NewUser", "button_cancel")->GetEnabled()) << "a player is necessary";
  EXPECT_EQ(Welcome(), "");

  ParamsRef answer = CreateParams();
  answer->SetValue("user_name", Variant(std::string("Ann")));
  Close("GS_NewUser", answer);
  EXPECT_FALSE(Shown("GS_NewUser"));
  ASSERT_TRUE(game_->GetProfiles()->GetCurrent());
  EXPECT_EQ(game_->GetProfiles()->GetCurrent()->GetName(), "Ann");
  EXPECT_EQ(Welcome(), "Hello, Ann!");
  // A name is shown as typed, even one that looks like a text key.
  game_->GetProfiles()->GetOrCreate("%welcome%");
  game_->GetProfiles()->SetCurrent("%welcome%");
  game_->ShowScreen("GS_Quit", nullptr);
  Close("GS_Quit", nullptr);
  EXPECT_EQ(Welcome(), "Hello, %welcome%!");
  game_->GetProfiles()->SetCurrent("Ann");
  game_->GetProfiles()->Delete(Variant(1));
  game_->GetProfiles()->SaveToFile();
  // Saved at once: a second start finds her and asks nobody.
  game_->EndGame();
  game_.reset();
  Start();
  EXPECT_FALSE(Shown("GS_NewUser"));
  EXPECT_EQ(Welcome(), "Hello, Ann!");
}

TEST_F(MainMenu, CancelledNameQueryChangesNothingAndTheStoryIsToldOnce) {
  Start();
  Close("GS_NewUser", nullptr);
  EXPECT_FALSE(game_->GetProfiles()->GetCurrent());

  game_->GetProfiles()->GetOrCreate("Ann");
  game_->GetProfiles()->SetCurrent("Ann");
  Click("button_start");
  EXPECT_TRUE(Shown("GS_History"));
  EXPECT_EQ(game_->GetProfiles()->GetCurrent()->GetParams()->GetValue("show_history", Variant()).ToString(), "yes");
  Close("GS_History", nullptr);  // the story leads on to the map
  EXPECT_TRUE(Shown("GS_Map"));
  Close("GS_Map", nullptr);
  Click("button_start");
  EXPECT_FALSE(Shown("GS_History"));
  EXPECT_TRUE(Shown("GS_Map"));
  Close("GS_Map", nullptr);
  Click("button_exit");
  EXPECT_TRUE(Shown("GS_Quit"));
}

}  // namespace
}  // namespace kestrelle
