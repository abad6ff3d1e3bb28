// The game's cursor: made current at start, placed at the pointer minus its hot spot every frame,
// drawn last, restarted by handled button presses.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/cursors.h"
#include "app/game.h"
#include "cursor_probe.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "media/surface.h"
#include "platform/messages.h"
#include "support/scoped_user_folder.h"

namespace kestrelle {
namespace {

using cursortest::Probe;

// Only what the game asks of the engine here: the pointer, the system cursor and redraws.
class TPointerEngine : public TAbstractObject, public virtual IEngine {
 public:
  TPoint pointer;
  bool systemCursorHidden = false;
  std::vector<TRect> invalidated;

  std::string GetAppPath() override { return "."; }
  std::string GetUserDataPath() override { return "."; }
  void SaveUserTextFile(const std::string&, const std::string&) override {}
  void SaveAppTextFile(const std::string&, const std::string&) override {}
  void SetConfigValue(const std::string&, const Variant&) override {}
  Variant GetConfigValue(const std::string&) override { return Null{}; }
  void ApplySettings() override {}
  std::string LoadTextFile(const std::string&, const std::string&) override { return {}; }
  void LoadResources(const StorageRef&, const std::string&, bool) override {}
  void LoadResourceFile(const std::string&, const std::string&, bool) override {}
  void UnloadResources(const std::string&) override {}
  ResourceRef GetResource(const std::string&) override { return nullptr; }
  void RemoveResource(const std::string&) override {}
  TPoint GetCursorPos() override { return pointer; }
  void SetCursorPos(const TPoint& point) override { pointer = point; }
  void HideSystemCursor() override { systemCursorHidden = true; }
  void ShowSystemCursor() override { systemCursorHidden = false; }
  void PlayMusic(const std::shared_ptr<IMusic>&) override {}
  void StopMusic(const std::shared_ptr<IMusic>&) override {}
  AudioHandle PlaySound(const std::shared_ptr<ISound>&) override { return 0; }
  void StopSound(const std::shared_ptr<ISound>&) override {}
  void StopAllSounds() override {}
  void SetMusicVolume(const Variant&) override {}
  void Close() override {}
  void RunFile(const std::string&) override {}
  void OpenURL(const std::string&) override {}
  SurfaceRef CreateSurface() override { return Create<TSurface>(); }
  std::shared_ptr<IGame> GetGame() override { return nullptr; }
  void InvalidateRect(const TRect& rect) override { invalidated.push_back(rect); }
  void ValidateAll() override {}
  IVideoDevice* GetWindowHandle() override { return nullptr; }
  void SetMessageHook(MessageHook) override {}
  void ClearMessageHook() override {}
  void UpdateGame(uint32_t) override {}
};

// A screen without a window that says whether it handled a mouse message.
class TProbeScreen : public TPersistObject, public virtual IGameScreenSlave {
 public:
  static inline bool handlesMouse = true;
  bool shown = false;

  void SetOwner(const GameScreenOwnerRef&) override {}
  void Finalize() override {}
  void Show(const ParamsRef&) override { shown = true; }
  void Hide() override { shown = false; }
  void Activate() override {}
  void Deactivate() override {}
  void Update(int32_t) override {}
  void Draw(const SurfaceRef&) override {}
  TRect GetWindowRect() override { return {}; }
  void FocusChanged(bool) override {}
  bool MouseEvent(uint32_t, const TPoint&, uint32_t) override { return handlesMouse; }
  bool KeyEvent(uint32_t, uintptr_t, intptr_t) override { return false; }
  void SlaveClosed(const std::string&, const ParamsRef&) override {}
  WindowRef GetWindowInterface() override { return nullptr; }
  WidgetRef GetWindowWidget() override { return nullptr; }
  bool FlushChanges() override { return false; }
  bool IsShown() override { return shown; }
};

constexpr const char* kGame = R"(<game type="Game" name="test" maings="GS_Main">
  <cursors default_cursor_name="hand">
    <cursor name="arrow"><widget type="cursor_probe_widget" width="2" height="2" color="$FFFF0000"/></cursor>
    <cursor name="hand" hotspotx="3" hotspoty="2">
      <widget type="cursor_probe_widget" width="4" height="3" color="$FF00FF00"/>
    </cursor>
  </cursors>
  <gamescreens><gamescreen type="cursor_probe_screen" name="GS_Main"/></gamescreens>
</game>)";

class GameCursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cursortest::RegisterProbeWidget();
    if (!ClassRegistry::Instance().IsRegistered("cursor_probe_screen"))
      RegisterObjectClass<TProbeScreen>("cursor_probe_screen");
    TProbeScreen::handlesMouse = true;

    game = Create<TGame>();
    game->LoadFromStorage(LoadStorageFromString(kGame));
    engine = Create<TPointerEngine>();
    game->StartGame(engine);
    cursors = std::dynamic_pointer_cast<TCursorCollection>(game->GetCursors());
    ASSERT_TRUE(cursors);
    CursorRef handCursor = cursors->Get(Variant("hand"));
    CursorRef arrowCursor = cursors->Get(Variant("arrow"));
    ASSERT_TRUE(handCursor && arrowCursor) << "the game read no cursors";
    hand = Probe(handCursor->GetWidget());
    arrow = Probe(arrowCursor->GetWidget());
    ASSERT_TRUE(hand && arrow);
  }
  void TearDown() override {
    if (game) game->EndGame();
  }

  testing::ScopedUserFolder userFolder{"game-cursors"};  // first: removed after everything else
  std::shared_ptr<TGame> game;
  std::shared_ptr<TPointerEngine> engine;
  std::shared_ptr<TCursorCollection> cursors;
  std::shared_ptr<cursortest::TProbeWidget> hand;
  std::shared_ptr<cursortest::TProbeWidget> arrow;
};

TEST_F(GameCursorTest, StartMakesTheDefaultCursorCurrentAndEndDetachesIt) {
  EXPECT_TRUE(engine->systemCursorHidden);
  EXPECT_EQ(cursors->GetCurrent()->GetName(), "hand");
  EXPECT_TRUE(hand->visible);
  EXPECT_FALSE(arrow->visible);
  // Every cursor widget has the game as its owner, so its redraws reach the engine.
  EXPECT_EQ(std::dynamic_pointer_cast<TGame>(hand->GetOwner()), game);
  EXPECT_EQ(std::dynamic_pointer_cast<TGame>(arrow->GetOwner()), game);

  game->EndGame();
  game.reset();
  EXPECT_EQ(hand->GetOwner(), nullptr);
  EXPECT_EQ(arrow->GetOwner(), nullptr);
}

TEST_F(GameCursorTest, DrawnLastAtThePointerMinusTheHotspot) {
  engine->pointer = TPoint{10, 8};
  game->Update(16);
  game->Update(17);
  EXPECT_EQ(hand->elapsed, 33);
  game->AfterUpdate();
  EXPECT_EQ(hand->dirtyPasses, 1);

  auto surface = Create<TSurface>();
  surface->SetSize(24, 16);
  surface->Clear();
  game->Draw(surface);
  // The 4 x 3 hand with its hot spot (3, 2) under the pointer (10, 8) covers x 7..10, y 6..8.
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 24; ++x) {
      const bool inside = x >= 7 && x <= 10 && y >= 6 && y <= 8;
      ASSERT_EQ(surface->GetPixel(x, y), inside ? 0xFF00FF00u : 0u) << x << "," << y;
    }

  // After switching, the arrow (hot spot 0, 0) follows the pointer and the hand is gone.
  ASSERT_TRUE(cursors->SetCurrent("arrow"));
  engine->pointer = TPoint{0, 15};
  game->Update(10);
  surface->Clear();
  game->Draw(surface);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 24; ++x) {
      const bool inside = x <= 1 && y == 15;  // clipped at the bottom edge
      ASSERT_EQ(surface->GetPixel(x, y), inside ? 0xFFFF0000u : 0u) << x << "," << y;
    }
  EXPECT_EQ(hand->elapsed, 33) << "only the current cursor advances";
}

TEST_F(GameCursorTest, HandledButtonPressesRestartTheCursor) {
  game->Update(10);  // shows the main screen
  struct Case {
    uint32_t message;
    bool handled;
    int restarts;
  };
  const Case cases[] = {
      {WM_LBUTTONDOWN, true, 1}, {WM_RBUTTONDOWN, true, 1}, {WM_MBUTTONDOWN, true, 1},
      {WM_LBUTTONUP, true, 0},   {WM_MOUSEMOVE, true, 0},   {WM_LBUTTONDOWN, false, 0},
  };
  for (const Case& c : cases) {
    TProbeScreen::handlesMouse = c.handled;
    const int before = hand->restarts;
    EXPECT_EQ(game->MouseEvent(c.message, TPoint{5, 5}, 0), c.handled);
    EXPECT_EQ(hand->restarts - before, c.restarts) << std::hex << c.message << " handled " << c.handled;
  }
  EXPECT_EQ(arrow->restarts, 0);
}

}  // namespace
}  // namespace kestrelle
