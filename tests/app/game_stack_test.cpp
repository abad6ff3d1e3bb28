// The game object's screen stack: showing, closing, covered screens, the close query, the
// options keys and the start sequence with the loading screen.

#include <gtest/gtest.h>

#include "app/game.h"
#include "data/class_registry.h"
#include "data/global_options.h"
#include "data/hier_storage.h"
#include "data/user_files.h"
#include "platform/messages.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

using testing::FakeEngine;
using testing::HarnessScreen;

// A screen of `size` at (`left`, `top`): one rect widget fills it.
std::string Screen(const std::string& name, int left, int top, int w, int h, const std::string& extra = {}) {
  return "<gamescreen type=\"harness_screen\" name=\"" + name + "\" " + extra + "><window left=\"" +
         std::to_string(left) + "\" top=\"" + std::to_string(top) +
         "\"><widgets><widget type=\"rect_widget\" name=\"fill\" visible=\"yes\" width=\"" + std::to_string(w) +
         "\" height=\"" + std::to_string(h) + "\" color=\"FF336699\"/></widgets></window></gamescreen>";
}

class GameStack : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureClassesRegistered();
    // Player files and options go to a folder of this test's own.
    folder = testing::TestOutputFolder() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    setenv("KESTRELLE_USER_DIR", folder.string().c_str(), 1);
    GlobalOptions().Unload();
    engine = std::make_shared<FakeEngine>();
    engine->Initialize();
  }
  void TearDown() override {
    if (game) game->EndGame();
    unsetenv("KESTRELLE_USER_DIR");
    GlobalOptions().Unload();
  }

  void Start(const std::string& attributes, const std::string& screens, const std::string& extra = {}) {
    std::string xml = "<game type=\"Game\" name=\"test\" " + attributes + ">" + extra + "<gamescreens>" + screens +
                      "</gamescreens></game>";
    StorageRef storage = LoadStorageFromString(xml);
    ASSERT_TRUE(storage);
    game = std::dynamic_pointer_cast<TGame>(CreateObjectFromString("Game"));
    ASSERT_TRUE(game);
    game->LoadFromStorage(storage);
    game->StartGame(engine);
  }
  std::shared_ptr<HarnessScreen> S(const std::string& name) {
    return std::dynamic_pointer_cast<HarnessScreen>(game->GetScreens()->Get(Variant(name)));
  }
  std::vector<std::string> StackNames() {
    std::vector<std::string> names;
    for (int i = 0; i < game->GetStack()->GetCount(); ++i)
      names.push_back(game->GetStack()->Get(Variant(i))->GetName());
    return names;
  }
  void Frame(uint32_t ms) {
    engine->ValidateAll();
    game->Update(ms);
    game->AfterUpdate();
    game->Draw(engine->back);
  }

  std::filesystem::path folder;
  std::shared_ptr<FakeEngine> engine;
  std::shared_ptr<TGame> game;
};

TEST_F(GameStack, ShowingAndClosingFollowTheStack) {
  Start("maings=\"GS_Main\"", Screen("GS_Main", 0, 0, 800, 600) + Screen("GS_Dialog", 200, 150, 400, 300));
  Frame(10);  // no logos: loading runs at once, then the main screen
  EXPECT_FALSE(game->IsLoading());
  ASSERT_EQ(StackNames(), (std::vector<std::string>{"GS_Main"}));
  EXPECT_TRUE(game->ShowScreen("GS_Dialog", nullptr));
  EXPECT_FALSE(game->ShowScreen("GS_Dialog", nullptr)) << "already shown";
  EXPECT_FALSE(game->ShowScreen("GS_Missing", nullptr));
  EXPECT_FALSE(S("GS_Main")->active);
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Main", "GS_Dialog"}));

  // Only the top closes.
  EXPECT_FALSE(game->CloseScreen(S("GS_Main"), nullptr));
  EXPECT_EQ(StackNames().size(), 2u);
  ParamsRef result = CreateParams();
  result->SetValue("answer", "yes");
  EXPECT_TRUE(game->CloseScreen(S("GS_Dialog"), result));
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Main"}));
  EXPECT_TRUE(S("GS_Main")->active);
  EXPECT_EQ(S("GS_Main")->log.back(), "slaveclosed:GS_Dialog");
  ASSERT_TRUE(S("GS_Main")->closedResult);
  EXPECT_EQ(S("GS_Main")->closedResult->GetValue("answer", Variant()).ToString(), "yes");
  // A screen that hides by itself answers nothing, not the answer of the last close.
  game->ShowScreen("GS_Dialog", nullptr);
  S("GS_Dialog")->Hide();
  Frame(10);
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Main"}));
  EXPECT_FALSE(S("GS_Main")->closedResult);

  // Only the top screen gets time and input.
  game->ShowScreen("GS_Dialog", nullptr);
  const int mainUpdates = S("GS_Main")->updates;
  Frame(10);
  EXPECT_EQ(S("GS_Main")->updates, mainUpdates);
  game->KeyEvent(WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(S("GS_Dialog")->log.back(), "key");
}

TEST_F(GameStack, AnAnswerGoesOnlyWithTheScreenItWasClosedWith) {
  Start("maings=\"GS_Main\"", Screen("GS_Main", 0, 0, 800, 600) +
                                  Screen("GS_Dialog", 200, 150, 400, 300, "hidetime=\"20\"") +
                                  Screen("GS_Popup", 300, 200, 100, 100));
  Frame(10);
  ParamsRef answer = CreateParams("answer=yes");
  // The dialog closes with an answer and takes 20 ms to go; a popup shown meanwhile hides itself.
  game->ShowScreen("GS_Dialog", nullptr);
  ASSERT_TRUE(game->CloseScreen(S("GS_Dialog"), answer));
  game->ShowScreen("GS_Popup", nullptr);
  S("GS_Popup")->Hide();
  Frame(10);
  EXPECT_EQ(S("GS_Dialog")->log.back(), "slaveclosed:GS_Popup");
  EXPECT_FALSE(S("GS_Dialog")->closedResult) << "the dialog's answer is not the popup's";
  for (int i = 0; i < 3; ++i) Frame(10);
  ASSERT_EQ(StackNames(), (std::vector<std::string>{"GS_Main"}));
  EXPECT_EQ(S("GS_Main")->log.back(), "slaveclosed:GS_Dialog");
  ASSERT_TRUE(S("GS_Main")->closedResult) << "the answer reaches the screen below the dialog";
  EXPECT_EQ(S("GS_Main")->closedResult->GetValue("answer", Variant()).ToString(), "yes");

  // The bottom screen closed with an answer has no one to hand it to: a later closing gets none.
  ASSERT_TRUE(game->CloseScreen(S("GS_Main"), answer));
  EXPECT_TRUE(StackNames().empty());
  game->ShowScreen("GS_Main", nullptr);
  game->ShowScreen("GS_Popup", nullptr);
  S("GS_Popup")->Hide();
  Frame(10);
  EXPECT_EQ(S("GS_Main")->log.back(), "slaveclosed:GS_Popup");
  EXPECT_FALSE(S("GS_Main")->closedResult);
}

// Closing a screen and showing the next at once: the closed one disappears below the new one
// instead of standing frozen on the stack.
TEST_F(GameStack, AScreenClosedJustBeforeAnotherIsShownStillLeaves) {
  Start("maings=\"GS_Main\"", Screen("GS_Main", 0, 0, 800, 600) +
                                  Screen("GS_Dialog", 200, 150, 400, 300, "hidetime=\"20\"") +
                                  Screen("GS_Popup", 300, 200, 100, 100));
  Frame(10);
  game->ShowScreen("GS_Dialog", nullptr);
  ASSERT_TRUE(game->CloseScreen(S("GS_Dialog"), CreateParams("answer=yes")));
  game->ShowScreen("GS_Popup", nullptr);
  const int mainUpdates = S("GS_Main")->updates;
  for (int i = 0; i < 3; ++i) Frame(10);
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Main", "GS_Popup"}));
  EXPECT_EQ(S("GS_Main")->updates, mainUpdates) << "a screen merely covered stands still";
}

TEST_F(GameStack, ScreensFullyCoveredAreNotDrawn) {
  Start("maings=\"GS_Main\"", Screen("GS_Main", 100, 100, 200, 200) + Screen("GS_Partial", 150, 150, 200, 100) +
                                  Screen("GS_Cover", 0, 0, 800, 600));
  Frame(10);
  game->ShowScreen("GS_Partial", nullptr);
  Frame(10);
  EXPECT_GT(S("GS_Main")->draws, 0);
  const int mainDraws = S("GS_Main")->draws;
  const int partialDraws = S("GS_Partial")->draws;
  Frame(10);  // nothing changed: nothing drawn by the engine, but Draw still skips nothing here
  game->ShowScreen("GS_Cover", nullptr);
  game->Draw(engine->back);
  EXPECT_EQ(S("GS_Main")->draws, mainDraws + 1) << "partly covered by the screen above it: drawn";
  EXPECT_EQ(S("GS_Partial")->draws, partialDraws + 1);
  const int coverMain = S("GS_Main")->draws;
  game->CloseScreen(S("GS_Cover"), nullptr);
  game->ShowScreen("GS_Cover", nullptr);
  game->Draw(engine->back);
  EXPECT_EQ(S("GS_Main")->draws, coverMain) << "inside a larger screen above it: skipped";
}

TEST_F(GameStack, CloseIsRefusedWhileLoadingThenQueriedThenAllowed) {
  Start(
      "splashlogosgs=\"GS_Logos\" closequerygs=\"GS_Query\" maings=\"GS_Main\"",
      Screen("GS_Logos", 0, 0, 800, 600) + Screen("GS_Main", 0, 0, 800, 600) + Screen("GS_Query", 300, 250, 200, 100));
  EXPECT_TRUE(game->IsLogosShown());
  EXPECT_FALSE(game->CanClose());
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Logos"})) << "refused silently";
  game->CloseScreen(S("GS_Logos"), nullptr);
  Frame(10);  // the logos have gone: this update only notices it
  EXPECT_TRUE(game->IsLoading());
  Frame(10);
  EXPECT_FALSE(game->IsLoading());
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Main"}));
  EXPECT_FALSE(game->CanClose());
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Main", "GS_Query"}));
  EXPECT_TRUE(game->CanClose()) << "a second request while the query shows closes";
}

TEST_F(GameStack, TheLoadingScreenShowsItsFinishedStateEvenWhenItLeavesSlowly) {
  Start("splashgs=\"GS_Splash\" maings=\"GS_Main\"",
        Screen("GS_Splash", 0, 0, 800, 600, "hidetime=\"30\"") + Screen("GS_Main", 0, 0, 800, 600),
        "<resourcefiles><resourcefile name=\"late\" filename=\"late.res\" loadmode=\"asynch\"/>"
        "<resourcefile name=\"early\" filename=\"early.res\" loadmode=\"synch\"/></resourcefiles>");
  EXPECT_EQ(engine->loadedFiles, (std::vector<std::string>{"early.res|early|nopump"}));
  Frame(10);
  EXPECT_EQ(engine->loadedFiles.back(), "late.res|late|pump");
  // The loading screen is closing (it takes 30 ms to disappear), so its finished state waits.
  EXPECT_TRUE(game->IsLoadCompletePending());
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Splash"}));
  for (int i = 0; i < 4; ++i) Frame(10);
  EXPECT_FALSE(game->IsLoadCompletePending());
  ASSERT_EQ(StackNames(), (std::vector<std::string>{"GS_Splash"}));
  auto splash = S("GS_Splash");
  ASSERT_TRUE(splash->shownParams);
  EXPECT_TRUE(splash->shownParams->GetValue("LoadComplete", false).ToBool());
  EXPECT_TRUE(splash->IsShown());
}

TEST_F(GameStack, AltKeysFlipTheirSettingsAndFullScreenIsPersisted) {
  engine->config->SetValue("FullScreenMode", "no");
  engine->config->SetValue("ShowFPS", "no");
  Start("maings=\"GS_Main\"", Screen("GS_Main", 0, 0, 800, 600),
        "<params><param name=\"FullScreenMode\" value=\"no\"/><param name=\"ShowFPS\" value=\"no\"/></params>");
  Frame(10);
  EXPECT_TRUE(game->KeyEvent(WM_CHAR, '\r', kAltContextBit));
  EXPECT_EQ(engine->config->GetValue("FullScreenMode", "").ToString(), "yes");
  EXPECT_EQ(engine->applySettings, 1);
  EXPECT_TRUE(game->KeyEvent(WM_CHAR, '\r', kAltContextBit));
  EXPECT_EQ(engine->config->GetValue("FullScreenMode", "").ToString(), "no");
  std::string persisted;
  ASSERT_TRUE(GetGlobalOption("FullScreenMode", persisted));
  EXPECT_EQ(persisted, "no");
  EXPECT_TRUE(game->KeyEvent(WM_CHAR, 'f', kAltContextBit));
  EXPECT_EQ(engine->config->GetValue("ShowFPS", "").ToString(), "yes");
  EXPECT_FALSE(game->KeyEvent(WM_CHAR, 'f', 0)) << "without Alt the screen decides";
}

}  // namespace
}  // namespace kestrelle
