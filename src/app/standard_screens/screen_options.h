#pragma once
// The options screen: music and sound volume track bars, full-screen and hint check boxes,
// filled from the engine's configuration and the game's settings when shown; every change goes
// through the game's SetOption (stored, persisted, applied). A control whose value the engine
// does not know is hidden. The wide-screen variant adds "checkbox_widescreen".

#include "app/game_screen.h"

namespace kestrelle {

// "GameScreenOptions"
class TGameScreenOptions : public TGameScreen {
 public:
  void OnShowing(const ParamsRef& params) override;
  void SetOwner(const GameScreenOwnerRef& owner) override;
  void Finalize() override;
  bool KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

 protected:
  // A check box filled from a yes/no value: hidden when the value is Null.
  static void FillCheckBox(const WidgetRef& checkBox, const Variant& value);

  WidgetRef showHints_;
  WidgetRef screenMode_;
  WidgetRef soundVolume_;
  WidgetRef musicVolume_;
};

// "GameScreenOptionsWideScreen"
class TGameScreenOptionsWideScreen : public TGameScreenOptions {
 public:
  void OnShowing(const ParamsRef& params) override;
  void SetOwner(const GameScreenOwnerRef& owner) override;
  void Finalize() override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

 private:
  WidgetRef wideScreen_;
};

}  // namespace kestrelle
