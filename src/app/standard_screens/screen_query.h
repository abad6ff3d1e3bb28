#pragma once
// Query dialogs: a generic dialog whose texts the caller fills by widget name, closed by any of
// its buttons with {"Button" = the button's name}; and the variant that asks before a player
// profile is deleted, showing the player's name in "label_user_profile_name".

#include "app/game_screen.h"

namespace kestrelle {

// "GameScreenQueryDialog"
class TGameScreenQueryDialog : public TGameScreen {
 public:
  // Each parameter fills the "text_utf8" of the widget of its name.
  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
};

// "GameScreenQueryDeleteProfile"
class TGameScreenQueryDeleteProfile : public TGameScreenQueryDialog {
 public:
  void OnShowing(const ParamsRef& params) override;
};

}  // namespace kestrelle
