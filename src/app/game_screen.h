#pragma once
// The game screen: one page or dialog of the game. It owns a window widget (the root of its
// widget tree, created by registered name and loaded from the "window" element), routes the
// mouse to the captured widget or the one under the pointer and the keyboard to the focused
// control (Tab moves the focus on key-up), plays its sounds and music by name, and tells the
// game when its window has finished disappearing.
//
//   <gamescreen type="GameScreen" name="GS_Main" cursor_name="hand">
//     <window left="0" top="0"> ...widgets of the root...
//       <musics><music name="music_background" resourcename="theme"/></musics>
//       <sounds><sound name="sound_show_window" resourcename="whoosh"/></sounds>
//     </window>
//   </gamescreen>

#include <memory>
#include <string>

#include "app/game_screen_interface.h"
#include "app/widget_interfaces.h"
#include "data/object.h"
#include "data/params.h"

namespace kestrelle {

class ISound;
class IMusic;
class ISoundCollection;
class IMusicCollection;

// Registered name of the screen root's class (an appearance-effect group).
inline constexpr const char* kScreenWindowClassName = "appearance_effect_widget";

class TGameScreen : public TPropertyObject,
                    public virtual IWidgetOwner,
                    public virtual IWindow,
                    public virtual IEventHandler,
                    public virtual IGameScreenSlave {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void Reset() override;

  // Hooks of the screens of the game.
  virtual void OnShow();
  virtual void OnHide();
  virtual void OnShowing(const ParamsRef& params) {}
  virtual void OnShown(const ParamsRef& params) {}
  virtual void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {}

  // IGameScreenSlave
  void SetOwner(const GameScreenOwnerRef& owner) override;
  void Finalize() override;
  void Show(const ParamsRef& params) override;
  void Hide() override;
  void Activate() override { active_ = true; }
  // Also takes the mouse capture away.
  void Deactivate() override;
  void Update(int32_t elapsedMs) override;
  void Draw(const SurfaceRef& surface) override;
  TRect GetWindowRect() override;
  void FocusChanged(bool focused) override {}
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keyFlags) override;
  bool KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override {}
  WindowRef GetWindowInterface() override;
  WidgetRef GetWindowWidget() override { return window_; }
  bool FlushChanges() override;
  bool IsShown() override;

  // IWindow
  void SetCapture(const WidgetRef& widget) override;
  void ReleaseCapture() override;
  WidgetRef GetCapture() override { return captured_; }
  void SetFocus(const WidgetRef& widget) override;
  void ClearFocus() override;
  WidgetRef GetFocus() override { return focused_; }
  WidgetCollectionRef GetWidgets() override;
  void ResetInput() override;
  WidgetRef WidgetAtPoint(const TPoint& point) override;
  WidgetRef FindWidget(const std::string& path) override;
  AudioHandle PlaySound(const std::string& name) override;
  void StopSound(const std::string& name) override;

  // IWidgetOwner (the window's owner) and IEventHandler
  EngineRef GetEngine() override;
  WindowRef GetWindow() override;
  EventHandlerRef GetEventHandler() override;
  TPoint ScreenToClient(const TPoint& point) override { return point; }
  WidgetRef CreateWidget(const std::string& factoryName, const ParamsRef& params) override { return nullptr; }
  std::string GetPath() override { return GetName(); }
  void InvalidateRect(const TRect& rect) override;
  void HandleWidgetEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  GameScreenOwnerRef GetGameOwner() override;

  // Music of the screen's list by name; unknown names do nothing.
  void PlayMusic(const std::string& name);
  void StopMusic(const std::string& name);

  GameScreenOwnerRef GetOwner() const { return owner_.lock(); }
  const ParamsRef& GetParams() const { return params_; }
  bool IsActive() const { return active_; }
  bool IsShowing() const { return showing_; }
  const std::string& GetCursorName() const { return cursorName_; }
  int32_t GetLeft() const { return left_; }
  int32_t GetTop() const { return top_; }

 protected:
  // The next tab stop among the window's direct children after index `position` (-1: from the
  // start), wrapping round up to and including `position`; none when there is no visible tab stop.
  WidgetRef NextTabStop(int position);
  void CheckShown();
  std::shared_ptr<ICursorCollection> GameCursors();

  std::string cursorName_;
  WidgetRef window_;
  int32_t left_ = 0;
  int32_t top_ = 0;
  std::shared_ptr<IMusicCollection> musics_;
  std::shared_ptr<ISoundCollection> sounds_;
  std::weak_ptr<IGameScreenOwner> owner_;
  bool active_ = false;
  bool wasActive_ = false;
  bool showing_ = false;
  // Hidden since the last Show: what IsShown reports for a screen without a window, which would
  // otherwise never leave the stack.
  bool hidden_ = false;
  ParamsRef params_;
  WidgetRef captured_;
  WidgetRef focused_;
  std::string previousCursor_;
};

// "GameScreen".
void RegisterScreenClasses();

}  // namespace kestrelle
