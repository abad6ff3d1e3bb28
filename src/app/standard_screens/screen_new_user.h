#pragma once
// Asks for the name of a new player. OK (or Enter) hands {"user_name" = the name without
// surrounding blanks} to the screen below when no profile has that name yet (letter case
// ignored); an empty or taken name opens "GS_QueryNotUniqueName" and the screen stays. Cancel
// (or Escape) closes without a result unless the caller made a name "Necessary".

#include "app/game_screen.h"

namespace kestrelle {

// "GameScreenNewUser"
class TGameScreenNewUser : public TGameScreen {
 public:
  void OnShowing(const ParamsRef& params) override;
  bool KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

  const std::string& GetTypedName() const { return name_; }

 private:
  void Confirm(bool ok);
  bool IsNameFree(const std::string& name);

  std::string name_;
  bool cancelAllowed_ = true;
};

}  // namespace kestrelle
