#pragma once
// "KestrelleGameScreenMain": the game's main menu. It greets the current player by name and, when
// nobody plays yet, asks for a name before anything else; the new name becomes the current player.
// Its buttons lead to the story or the town map, and to the close query.

#include <string>

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenMain : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"welcome_message"};

  void OnShowing(const ParamsRef& params) override;
  void OnShown(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;

 private:
  // "welcome_message" greets the current player; nothing without one.
  void ShowWelcome();
};

}  // namespace kestrelle
