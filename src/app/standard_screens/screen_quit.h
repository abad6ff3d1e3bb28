#pragma once
// The close query of the game: "button_exit" closes the application, "button_cancel" the query.
// Any screen shown above it and closed again closes the application too.

#include "app/game_screen.h"

namespace kestrelle {

// "GameScreenQuit"
class TGameScreenQuit : public TGameScreen {
 public:
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
};

}  // namespace kestrelle
