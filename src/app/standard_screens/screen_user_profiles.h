#pragma once
// Chooses, creates and deletes players. Row 0 of "listbox_profiles" creates a new player
// ("GS_NewUser"); row i + 1 is profile i. OK or a double click makes the selected player current
// and saves the profiles; "button_delete" asks "GS_QueryDeleteProfile" first. When the last
// player is deleted, a new one must be created before anything else.

#include "app/game_screen.h"
#include "app/list_box_interface.h"

namespace kestrelle {

// "GameScreenUserProfiles"
class TGameScreenUserProfiles : public TGameScreen {
 public:
  void OnShowing(const ParamsRef& params) override;
  void SetOwner(const GameScreenOwnerRef& owner) override;
  void Finalize() override;
  void Hide() override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

  const std::string& GetSelectedName() const { return selectedName_; }

 private:
  void CloseProfiles(bool ok);

  ListBoxRef listBox_;
  std::string selectedName_;
};

}  // namespace kestrelle
