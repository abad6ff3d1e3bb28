#pragma once
// The game object ("Game"): everything that is not the engine. It owns the game settings, the
// screens and the stack of shown screens, the resource files, the cursors, the profiles, level
// records and high scores; it receives the engine's callbacks and runs the start sequence: logos
// screen, asynchronous loading behind the loading screen, main screen; and the close query.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/engine_interface.h"
#include "app/game_interface.h"
#include "app/game_screen_interface.h"
#include "app/gs_collection.h"
#include "app/resources.h"
#include "app/widget_interfaces.h"
#include "data/object.h"
#include "data/params.h"

namespace kestrelle {

class TCustomSettingsCollection;
class THighScores;
class TLevelRecords;
class TUserProfileCollection;

// The game's view of its cursors: the current cursor's widget and hot spot.
struct GameCursorAccess {
  virtual ~GameCursorAccess() = default;
  virtual void AttachWidgets(const WidgetOwnerRef& owner) = 0;
  virtual void DetachWidgets() = 0;
  virtual bool MakeDefaultCurrent() = 0;
  virtual WidgetRef CurrentWidget() = 0;
  virtual TPoint CurrentHotspot() = 0;
};

// Told of every screen the game puts on its stack, by the screen's name (the headless runner lists
// the screens a run showed). None: nobody is told.
using GameScreenShownTap = std::function<void(const std::string& screenName)>;
void SetGameScreenShownTap(GameScreenShownTap tap);

class TGame : public TPersistObject,
              public virtual IGame,
              public virtual IGameScreenOwner,
              public virtual IWidgetOwner {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  // IGame
  void StartGame(const EngineRef& engine) override;
  void EndGame() override;
  void Update(uint32_t elapsedMs) override;
  void Draw(const SurfaceRef& surface) override;
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keyFlags) override;
  bool KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void FocusChanged(bool focused) override;
  bool CanClose() override;
  void SetOption(const std::string& name, const std::string& value) override;
  void AfterUpdate() override;

  // IGameScreenOwner
  void SetSetting(const std::string& name, const Variant& value) override;
  Variant GetSetting(const std::string& name) override;
  EngineRef GetEngine() override { return engine_; }
  GameScreenOwnerRef GetGameOwner() override { return SelfAs<IGameScreenOwner>(); }
  bool ShowScreen(const std::string& name, const ParamsRef& params) override;
  bool CloseScreen(const GameScreenRef& screen, const ParamsRef& result) override;
  GameScreenCollectionRef GetScreens() override { return screens_; }
  std::shared_ptr<IHighScores> GetHighScores() override;
  std::shared_ptr<IUserProfileCollection> GetProfiles() override;
  std::shared_ptr<ILevelRecords> GetLevelRecords() override;
  std::shared_ptr<ICursorCollection> GetCursors() override { return cursors_; }
  void ShowMainScreen() override;

  // IWidgetOwner (the owner of the cursor widgets)
  WindowRef GetWindow() override { return nullptr; }
  EventHandlerRef GetEventHandler() override { return nullptr; }
  TPoint ScreenToClient(const TPoint& point) override { return point; }
  WidgetRef CreateWidget(const std::string& factoryName, const ParamsRef& params) override { return nullptr; }
  WidgetRef FindWidget(const std::string& path) override { return nullptr; }
  std::string GetPath() override { return {}; }
  void InvalidateRect(const TRect& rect) override;

  // Walks the stack from the top: every screen no longer shown is flushed, removed, and the
  // screen below it is activated and told.
  void ProcessClosedScreens();
  // Runs once after the logos: loading screen, asynchronous resource files, then the main
  // screen (or the loading screen's finished state).
  void LoadAsync();

  // State, for the tests and the diagnostics.
  const std::shared_ptr<TGSCollection>& GetStack() const { return stack_; }
  bool IsLoading() const { return loading_; }
  bool IsLogosShown() const { return logosShown_; }
  bool IsLoadCompletePending() const { return loadCompletePending_; }
  ParamsRef GetSettings() const { return settings_; }
  // The answer the screen of that name gave to the screen below it when it last left the stack
  // (none before, or when it closed without one).
  ParamsRef GetLastAnswer(const std::string& name) const {
    const auto answer = lastAnswers_.find(name);
    return answer == lastAnswers_.end() ? nullptr : answer->second;
  }
  std::shared_ptr<TResourceFileCollection> GetResourceFiles() const { return resourceFiles_; }
  const std::string& GetLogosScreenName() const { return logosScreen_; }
  const std::string& GetSplashScreenName() const { return splashScreen_; }
  const std::string& GetCloseQueryScreenName() const { return closeQueryScreen_; }
  const std::string& GetMainScreenName() const { return mainScreen_; }
  // Tests and other cursor sources install how the game reaches its cursors.
  void SetCursorAccess(std::shared_ptr<GameCursorAccess> access) { cursorAccess_ = std::move(access); }

  // The custom settings' commands, read from their files and applied once, after the logos
  // screen is shown.
  virtual void ApplyCustomSettings();
  std::shared_ptr<TCustomSettingsCollection> GetCustomSettings() const { return customSettings_; }

 private:
  bool PushToEngine(const std::string& name, const Variant& value);
  bool IsOnStack(const std::string& name) const;
  GameScreenRef Top() const;
  // The loading screen's finished state, shown as soon as the screen has left the stack.
  void ShowLoadComplete();

  std::string logosScreen_;
  std::string splashScreen_;
  std::string closeQueryScreen_;
  std::string mainScreen_;
  std::shared_ptr<TCustomSettingsCollection> customSettings_;
  std::shared_ptr<ICursorCollection> cursors_;
  std::shared_ptr<GameCursorAccess> cursorAccess_;
  std::shared_ptr<TResourceFileCollection> resourceFiles_;
  ParamsRef settings_;
  std::shared_ptr<TGSCollection> screens_;
  std::shared_ptr<TGSCollection> stack_;
  std::shared_ptr<THighScores> highScores_;
  std::shared_ptr<TUserProfileCollection> profiles_;
  std::shared_ptr<TLevelRecords> levelRecords_;
  EngineRef engine_;
  bool loading_ = true;
  bool firstUpdatePending_ = true;
  bool logosShown_ = false;
  bool loadCompletePending_ = false;
  bool splashCloseRequested_ = false;  // the loading screen was asked to close for its finished state
  // The answers of the screens closed with CloseScreen that have not left the stack yet, by
  // screen name.
  std::map<std::string, ParamsRef> closingResults_;
  std::map<std::string, ParamsRef> lastAnswers_;
};

}  // namespace kestrelle
