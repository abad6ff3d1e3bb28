// Game screens on the real game object: show and hide order with sounds and cursor, results
// handed to the screen below, a lower screen that stops and flushes once, Tab order, capture.

#include "app/game_screen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "app/cursors.h"
#include "app/game.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "platform/messages.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"
#include "widgets/visual_widget.h"

namespace kestrelle {
namespace {

// A screen that logs its hooks.
class TRecordingScreen : public TGameScreen {
 public:
  std::vector<std::string> log;
  void OnShowing(const ParamsRef&) override { log.push_back("showing"); }
  void OnShow() override {
    log.push_back("show");
    TGameScreen::OnShow();
  }
  void OnShown(const ParamsRef&) override { log.push_back("shown"); }
  void OnHide() override {
    log.push_back("hide");
    TGameScreen::OnHide();
  }
  void SlaveClosed(const std::string& name, const ParamsRef& result) override {
    log.push_back("closed:" + name + "=" + (result ? result->GetValue("answer", Null{}).ToString() : ""));
  }
};

// A box that can be a tab stop and records focus, capture and mouse events.
class TInputProbe : public TSingleWidget {
 public:
  bool tabStop = false;
  std::vector<std::string> log;
  void LoadProperties(const StorageRef& storage) override {
    TSingleWidget::LoadProperties(storage);
    tabStop = ReadBool(storage, "tabstop", false);
  }
  bool GetTabStop() override { return tabStop; }
  void FocusGained() override { log.push_back("focus"); }
  void FocusLost() override { log.push_back("blur"); }
  void CaptureLost() override { log.push_back("capturelost"); }
  bool MouseEvent(uint32_t message, const TPoint&, uint32_t) override {
    log.push_back("mouse" + std::to_string(message));
    return true;
  }
};

constexpr const char* kGame = R"(<game type="Game" name="g" splashlogosgs="GS_Main">
  <cursors>
    <cursor name="arrow"><widget type="rect_widget" name="a" width="2" height="2"/></cursor>
    <cursor name="hand"><widget type="rect_widget" name="h" width="2" height="2"/></cursor>
  </cursors>
  <gamescreens>
    <gamescreen type="recording_screen" name="GS_Main">
      <window left="0" top="0">
        <widgets>
          <widget type="input_probe" name="b1" visible="yes" mousestop="yes" tabstop="yes" width="10" height="10"/>
          <widget type="input_probe" name="b2" tabstop="yes" width="10" height="10"/>
          <widget type="input_probe" name="b3" visible="yes" anchor_left="20" width="10" height="10"/>
          <widget type="input_probe" name="b4" visible="yes" mousestop="yes" tabstop="yes" anchor_left="40"
                  width="10" height="10"/>
        </widgets>
        <sounds><sound name="sound_show_window" resourcename="whoosh"/></sounds>
      </window>
    </gamescreen>
    <gamescreen type="recording_screen" name="GS_Dialog" cursor_name="hand">
      <window left="100" top="50">
        <widgets><widget type="input_probe" name="ok" visible="yes" width="30" height="20"/></widgets>
        <sounds>
          <sound name="sound_show_window" resourcename="open"/>
          <sound name="sound_hide_window" resourcename="close"/>
        </sounds>
      </window>
    </gamescreen>
    <gamescreen type="recording_screen" name="GS_Bare"/>
    <gamescreen type="recording_screen" name="GS_Fading">
      <window left="100" top="50">
        <widgets><widget type="input_probe" name="ok" visible="yes" mousestop="yes" width="30" height="20"/></widgets>
        <effects><widgets>
          <widget type="func_appearance_effect" name="show_effect" durationtime="50"/>
          <widget type="func_appearance_effect" name="hide_effect" durationtime="100"/>
        </widgets></effects>
      </window>
    </gamescreen>
  </gamescreens>
</game>)";

class GameScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureClassesRegistered();
    auto& registry = ClassRegistry::Instance();
    if (!registry.IsRegistered("recording_screen")) RegisterObjectClass<TRecordingScreen>("recording_screen");
    if (!registry.IsRegistered("input_probe")) RegisterObjectClass<TInputProbe>("input_probe");
    engine = std::make_shared<testing::FakeEngine>();
    engine->Initialize();
    game = Create<TGame>();
    game->LoadFromStorage(LoadStorageFromString(kGame));
    game->StartGame(engine);
    main = Screen("GS_Main");
    dialog = Screen("GS_Dialog");
    ASSERT_TRUE(main && dialog);
  }
  void TearDown() override {
    if (game) game->EndGame();
  }
  std::shared_ptr<TRecordingScreen> Screen(const std::string& name) {
    return std::dynamic_pointer_cast<TRecordingScreen>(game->GetScreens()->Get(Variant(name)));
  }
  std::shared_ptr<TInputProbe> Probe(const std::string& path) {
    return std::dynamic_pointer_cast<TInputProbe>(main->FindWidget(path));
  }
  std::string CurrentCursor() {
    CursorRef current = game->GetCursors()->GetCurrent();
    return current ? current->GetName() : "";
  }

  testing::ScopedUserFolder userFolder{"game-screens"};  // first: removed after everything else
  std::shared_ptr<testing::FakeEngine> engine;
  std::shared_ptr<TGame> game;
  std::shared_ptr<TRecordingScreen> main, dialog;
};

TEST_F(GameScreenTest, ShowingAndClosingADialogHandsItsResultToTheScreenBelow) {
  // The first screen: hooks in order, its sound, the first tab stop focused, the default cursor.
  EXPECT_EQ(main->log, (std::vector<std::string>{"showing", "show", "shown"}));
  EXPECT_EQ(engine->playedSounds, (std::vector<std::string>{"whoosh@-101/-1"}));
  EXPECT_EQ(main->GetFocus(), main->FindWidget("b1"));
  EXPECT_EQ(Probe("b1")->log, (std::vector<std::string>{"focus"}));
  EXPECT_EQ(CurrentCursor(), "arrow");
  EXPECT_TRUE(main->GetWindowWidget()->GetMouseStop());

  ASSERT_TRUE(game->ShowScreen("GS_Dialog", CreateParams("question=1")));
  EXPECT_FALSE(main->IsActive());
  EXPECT_TRUE(dialog->IsActive());
  EXPECT_EQ(dialog->GetParams()->GetValue("question", Null{}).ToString(), "1");
  EXPECT_EQ(dialog->GetWindowRect(), (TRect{100, 50, 130, 70}));
  EXPECT_EQ(CurrentCursor(), "hand");
  // Showing a screen that is already up does nothing.
  EXPECT_FALSE(game->ShowScreen("GS_Dialog", nullptr));

  // Only the top screen closes.
  EXPECT_FALSE(game->CloseScreen(main, nullptr));
  EXPECT_EQ(game->GetStack()->GetCount(), 2);

  ASSERT_TRUE(game->CloseScreen(dialog, CreateParams("answer=42")));
  EXPECT_EQ(dialog->log, (std::vector<std::string>{"showing", "show", "shown", "hide"}));
  EXPECT_EQ(engine->playedSounds, (std::vector<std::string>{"whoosh@-101/-1", "open@-101/-1", "close@-101/-1"}));
  EXPECT_EQ(game->GetStack()->GetCount(), 1);
  EXPECT_TRUE(main->IsActive());
  EXPECT_EQ(main->log.back(), "closed:GS_Dialog=42");
  EXPECT_EQ(CurrentCursor(), "arrow");
  EXPECT_EQ(dialog->GetParams(), nullptr);
}

// The window's show effect holds OnShown back and the mouse off; its hide effect keeps the screen
// on the stack until it is over.
TEST_F(GameScreenTest, ShowAndHideWaitForTheWindowsEffects) {
  auto fading = Screen("GS_Fading");
  auto frame = [&](uint32_t ms) {
    game->Update(ms);
    game->AfterUpdate();
  };
  ASSERT_TRUE(game->ShowScreen("GS_Fading", nullptr));
  EXPECT_EQ(fading->log, (std::vector<std::string>{"showing", "show"}));
  fading->MouseEvent(WM_LBUTTONDOWN, TPoint{110, 60}, 0);
  EXPECT_TRUE(std::dynamic_pointer_cast<TInputProbe>(fading->FindWidget("ok"))->log.empty());
  frame(50);
  EXPECT_EQ(fading->log.back(), "shown");

  ASSERT_TRUE(game->CloseScreen(fading, nullptr));
  frame(60);
  EXPECT_EQ(game->GetStack()->GetCount(), 2);
  EXPECT_TRUE(fading->IsShown());
  frame(40);
  EXPECT_EQ(game->GetStack()->GetCount(), 1);
  EXPECT_EQ(main->log.back(), "closed:GS_Fading=");

  // Closed just before another screen is shown, it still plays its hide effect to the end below.
  ASSERT_TRUE(game->ShowScreen("GS_Fading", nullptr));
  frame(50);
  ASSERT_TRUE(game->CloseScreen(fading, nullptr));
  ASSERT_TRUE(game->ShowScreen("GS_Dialog", nullptr));
  for (int i = 0; i < 10; ++i) frame(10);
  EXPECT_EQ(game->GetStack()->GetCount(), 2);
  EXPECT_FALSE(fading->IsShown());
}

TEST_F(GameScreenTest, AScreenBelowStopsAndReportsItsChangesOnceMore) {
  // What was reported left of the dialog (at 100, 50).
  const auto reportedBelow = [&] {
    TRect bounds;
    for (const TRect& r : engine->invalidated)
      if (r.right <= 100) bounds = bounds.IsEmpty() ? r : BoundingBox(bounds, r);
    return bounds;
  };
  game->AfterUpdate();
  ASSERT_TRUE(game->ShowScreen("GS_Dialog", nullptr));
  engine->ClearInvalidated();

  // A change on the lower screen right after it lost the top is still reported once...
  main->FindWidget("b3")->SetAnchorTop(5);
  game->Update(10);
  game->AfterUpdate();
  const TRect below = reportedBelow();  // b3's old and new places (and the root's box around them)
  EXPECT_EQ(BoundingBox(below, TRect{20, 0, 30, 15}), below);
  EXPECT_FALSE(below.IsEmpty());
  // ... and then the screen stands still: no update, no report.
  engine->ClearInvalidated();
  main->FindWidget("b3")->SetAnchorTop(9);
  const int32_t time = main->FindWidget("b1")->GetProperty("currenttime").ToInt();
  game->Update(10);
  game->AfterUpdate();
  EXPECT_TRUE(reportedBelow().IsEmpty());
  EXPECT_EQ(main->FindWidget("b1")->GetProperty("currenttime").ToInt(), time);
}

TEST_F(GameScreenTest, TabOnKeyUpMovesTheFocusToTheNextVisibleTabStopAndWraps) {
  struct Step {
    uint32_t message;
    uintptr_t key;
    bool handled;
    const char* focus;
  };
  // b2 is a tab stop but hidden; b3 is visible but no tab stop.
  const Step steps[] = {
      {WM_KEYDOWN, VK_TAB, false, "b1"},  // Tab moves on key-up only
      {WM_KEYUP, VK_TAB, true, "b4"},
      {WM_KEYUP, VK_TAB, true, "b1"},  // wraps
      {WM_KEYUP, 'A', false, "b1"},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(main->KeyEvent(step.message, step.key, 0), step.handled) << step.focus;
    EXPECT_EQ(main->GetFocus(), main->FindWidget(step.focus)) << step.focus;
  }
  EXPECT_EQ(Probe("b4")->log, (std::vector<std::string>{"focus", "blur"}));

  // A screen without tab stops does not handle Tab, and one without a window takes no input.
  std::shared_ptr<TRecordingScreen> bare = Screen("GS_Bare");
  EXPECT_FALSE(dialog->KeyEvent(WM_KEYUP, VK_TAB, 0));
  EXPECT_FALSE(bare->KeyEvent(WM_KEYUP, VK_TAB, 0));
  EXPECT_FALSE(bare->MouseEvent(WM_LBUTTONDOWN, TPoint{1, 1}, 0));
  EXPECT_TRUE(bare->IsShown());
  EXPECT_EQ(bare->GetWindowRect(), TRect{});
}

TEST_F(GameScreenTest, AScreenWithoutAWindowLeavesTheStackWhenClosed) {
  std::shared_ptr<TRecordingScreen> bare = Screen("GS_Bare");
  ASSERT_TRUE(game->ShowScreen("GS_Bare", nullptr));
  EXPECT_TRUE(bare->IsShown());
  ASSERT_TRUE(game->CloseScreen(bare, CreateParams("answer=7")));
  EXPECT_FALSE(bare->IsShown());
  EXPECT_EQ(game->GetStack()->GetCount(), 1);
  EXPECT_EQ(main->log.back(), "closed:GS_Bare=7");
  ASSERT_TRUE(game->ShowScreen("GS_Bare", nullptr)) << "and can be shown again";
  EXPECT_TRUE(bare->IsShown());
}

TEST_F(GameScreenTest, SavingWritesTheWindowSoundsOnce) {
  StorageRootRef saved = CreateStorage("gamescreen");
  dialog->SaveToStorage(saved->GetRoot());
  StorageRef window = saved->GetRoot()->GetChild("window", 0);
  ASSERT_TRUE(window);
  EXPECT_EQ(window->GetChildCount("sounds"), 1) << saved->SaveToString();
  EXPECT_EQ(ReadInt(window, "left", 0), 100);

  auto copy = Create<TRecordingScreen>();
  copy->LoadFromStorage(saved->GetRoot());
  copy->SetOwner(game);
  copy->OnShow();
  EXPECT_EQ(engine->playedSounds.back(), "open@-101/-1");
}

TEST_F(GameScreenTest, TheCapturedWidgetGetsTheMouseWhereverThePointerIs) {
  EXPECT_TRUE(main->MouseEvent(WM_MOUSEMOVE, TPoint{45, 5}, 0));
  EXPECT_EQ(Probe("b4")->log, (std::vector<std::string>{"mouse512"}));
  // b3 has no mouse stop: nothing under the pointer takes it.
  EXPECT_FALSE(main->MouseEvent(WM_MOUSEMOVE, TPoint{25, 5}, 0));

  main->SetCapture(main->FindWidget("b1"));
  EXPECT_TRUE(main->MouseEvent(WM_MOUSEMOVE, TPoint{45, 5}, 0));
  EXPECT_TRUE(main->MouseEvent(WM_LBUTTONUP, TPoint{25, 5}, 0));
  EXPECT_EQ(Probe("b4")->log.size(), 1u);
  EXPECT_EQ(Probe("b1")->log, (std::vector<std::string>{"focus", "mouse512", "mouse514"}));
  main->ReleaseCapture();
  EXPECT_EQ(Probe("b1")->log.back(), "capturelost");
  EXPECT_EQ(main->GetCapture(), nullptr);
}

TEST_F(GameScreenTest, AScreenThatGoesOrLosesTheTopTakesTheCaptureAway) {
  struct Case {
    const char* name;
    std::function<void()> act;  // on the game of the case; b4 is pressed in each
  };
  const Case cases[] = {
      {"another screen shown over it",
       [this] {
         main->SetCapture(main->FindWidget("b4"));
         game->ShowScreen("GS_Dialog", nullptr);
       }},
      {"closed",
       [this] {
         main->SetCapture(main->FindWidget("b4"));
         game->CloseScreen(main, nullptr);
       }},
      {"pressed while it disappears, then shown anew",
       [this] {
         main->Hide();
         main->SetCapture(main->FindWidget("b4"));
         main->Show(nullptr);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();  // a fresh game for every case
    SetUp();
    c.act();
    // Told through the normal path, so a control stops being pressed.
    EXPECT_EQ(Probe("b4")->log, (std::vector<std::string>{"capturelost"}));
    EXPECT_EQ(main->GetCapture(), nullptr);
  }
}

}  // namespace
}  // namespace kestrelle
