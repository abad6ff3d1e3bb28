#pragma once
// "KestrelleGameScreenNewAward" ("GS_NewAward"): shown after a level with the level results; one
// medal per trophy won appears in "awards". "button_ok" closes it.

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenNewAward : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"awards"};

  void SetOwner(const GameScreenOwnerRef& owner) override;
  void Finalize() override;
  void OnShowing(const ParamsRef& params) override;
  void Show(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

 private:
  WidgetRef scenarioGroup_;
};

}  // namespace kestrelle
