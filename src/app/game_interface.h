#pragma once
// What the engine calls on the game object.

#include <cstdint>
#include <memory>
#include <string>

#include "data/object.h"
#include "media/geometry.h"
#include "media/surface.h"

namespace kestrelle {

class IEngine;

class IGame : public virtual IInterface {
 public:
  // Once, right after the game object was made and loaded.
  virtual void StartGame(const std::shared_ptr<IEngine>& engine) = 0;
  // At shutdown. The game drops its engine here (the two hold each other until then).
  virtual void EndGame() = 0;
  // Every frame, with the milliseconds since the previous frame.
  virtual void Update(uint32_t elapsedMs) = 0;
  // Every frame in which something was invalidated; the surface clips to the invalidated area.
  virtual void Draw(const SurfaceRef& surface) = 0;
  // Mouse messages (WM_MOUSEMOVE .. WM_MBUTTONDBLCLK) with the picture position and the MK_*
  // flags. True when handled.
  virtual bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keyFlags) = 0;
  // WM_KEYDOWN, WM_KEYUP, WM_CHAR; a menu character arrives as WM_CHAR with kAltContextBit set
  // in lParam. True when handled.
  virtual bool KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  virtual void FocusChanged(bool focused) = 0;
  // Asked when the window is to be closed; false keeps it open.
  virtual bool CanClose() = 0;
  // Not called by the engine; the game's own option setter.
  virtual void SetOption(const std::string& name, const std::string& value) = 0;
  // Every frame, right after Update.
  virtual void AfterUpdate() = 0;
};
using GameRef = std::shared_ptr<IGame>;

}  // namespace kestrelle
