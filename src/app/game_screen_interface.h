#pragma once
// The game's screen stack as seen from both sides:
//   IGameScreenOwner   what screens, controls and widgets ask of the game (settings, options,
//                      the engine, showing and closing screens, profiles, records, cursors)
//   IGameScreenSlave   what the game calls on a screen (IGameScreen for short)
//   IGameScreenCollection   screens by name ("gamescreens" of the game definition)

#include <cstdint>
#include <memory>
#include <string>

#include "app/engine_interface.h"
#include "app/widget_interfaces.h"
#include "data/object.h"
#include "data/params.h"
#include "media/geometry.h"
#include "media/surface.h"

namespace kestrelle {

class IGameScreenSlave;
class IGameScreenCollection;
class IHighScores;
class IUserProfileCollection;
class ILevelRecords;
class ICursorCollection;  // the cursors of the resources (app/resources.h)

using GameScreenRef = std::shared_ptr<IGameScreenSlave>;
using GameScreenCollectionRef = std::shared_ptr<IGameScreenCollection>;
using GameScreenOwnerRef = std::shared_ptr<IGameScreenOwner>;

class IGameScreenOwner : public virtual IInterface {
 public:
  // Sets the setting, persists it when it is a global option, and pushes it to the engine
  // (applying the display settings when the engine's value changed).
  virtual void SetOption(const std::string& name, const std::string& value) = 0;
  // Sets the setting and pushes it to the engine, without applying or persisting.
  virtual void SetSetting(const std::string& name, const Variant& value) = 0;
  // Null when there is no such setting.
  virtual Variant GetSetting(const std::string& name) = 0;
  virtual EngineRef GetEngine() = 0;
  virtual GameScreenOwnerRef GetGameOwner() = 0;
  // False when a screen of that name is already shown or none exists.
  virtual bool ShowScreen(const std::string& name, const ParamsRef& params) = 0;
  // Only the top screen closes; `result` goes to the screen below (SlaveClosed).
  virtual bool CloseScreen(const GameScreenRef& screen, const ParamsRef& result) = 0;
  virtual GameScreenCollectionRef GetScreens() = 0;
  virtual std::shared_ptr<IHighScores> GetHighScores() = 0;
  virtual std::shared_ptr<IUserProfileCollection> GetProfiles() = 0;
  virtual std::shared_ptr<ILevelRecords> GetLevelRecords() = 0;
  virtual std::shared_ptr<ICursorCollection> GetCursors() = 0;
  // Closes the loading screen when it is on top, then shows the main screen.
  virtual void ShowMainScreen() = 0;
};

class IGameScreenSlave : public virtual INamedObject {
 public:
  // Keeps the owner (without keeping it alive) and gives the window the screen as its owner.
  virtual void SetOwner(const GameScreenOwnerRef& owner) = 0;
  // At game end: drops parameters, capture, focus, the window's owner and the game.
  virtual void Finalize() = 0;
  virtual void Show(const ParamsRef& params) = 0;
  // Starts the disappearing; the screen stays on the stack until IsShown is false.
  virtual void Hide() = 0;
  virtual void Activate() = 0;
  virtual void Deactivate() = 0;
  virtual void Update(int32_t elapsedMs) = 0;
  virtual void Draw(const SurfaceRef& surface) = 0;
  // The window's bounds in picture coordinates; (0, 0, 0, 0) without a window.
  virtual TRect GetWindowRect() = 0;
  virtual void FocusChanged(bool focused) = 0;
  virtual bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keyFlags) = 0;
  virtual bool KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  // A screen shown above this one was closed with `result`.
  virtual void SlaveClosed(const std::string& name, const ParamsRef& result) = 0;
  virtual WindowRef GetWindowInterface() = 0;
  virtual WidgetRef GetWindowWidget() = 0;
  // Reports what changed (when active now or at the previous call); returns active.
  virtual bool FlushChanges() = 0;
  // The window is visible (its disappearing has not finished); without a window, not hidden
  // since the last Show.
  virtual bool IsShown() = 0;
};
using IGameScreen = IGameScreenSlave;

class IGameScreenCollection : public virtual ICollection {
 public:
  // By index (a number) or name (a string).
  virtual GameScreenRef Get(const Variant& key) = 0;
  // Keyed by the screen's name; false when the name is taken.
  virtual bool Add(const GameScreenRef& screen) = 0;
};

}  // namespace kestrelle
