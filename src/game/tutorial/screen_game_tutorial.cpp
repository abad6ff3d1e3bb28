#include "game/tutorial/screen_game_tutorial.h"

#include "game/level/level_codes.h"
#include "records/user_profiles.h"

namespace kestrelle {

void TKestrelleGameScreenGameTutorial::OnShowing(const ParamsRef& params) {
  TKestrelleGameScreenGameMain::OnShowing(params);
  GameScreenOwnerRef owner = GetOwner();
  UserProfilesRef profiles = owner ? owner->GetProfiles() : nullptr;
  UserProfileRef profile = profiles ? profiles->GetCurrent() : nullptr;
  if (ParamsRef values = profile ? profile->GetParams() : nullptr) {
    values->SetValue("show_tutorial", Variant(std::string("yes")));
    profiles->SaveToFile();
  }
}

void TKestrelleGameScreenGameTutorial::LevelNotified(int32_t code, const ParamsRef& params) {
  using namespace level_codes;
  // The tool tips, the bonus hint and the coin hint belong to ordinary levels.
  if (code == kShowLevelResults || code == kChooseToolsBeforeLevel || code == kChooseToolsForSlots ||
      code == kShowResultsWithAward)
    TKestrelleGameScreenGameMain::LevelNotified(code, params);
}

void TKestrelleGameScreenGameTutorial::WidgetNotified(const std::string& sender, int32_t /*code*/,
                                                      const ParamsRef& /*params*/) {
  if (sender == "button_menu")
    Open("GS_MiniMenu", nullptr);
  else if (sender == "button_skip")
    Open("GS_SkipTutorial", nullptr);
  else if (sender == "button_ok")
    SendToLevel(level_codes::kAdvanceStep, CreateParams());
}

void TKestrelleGameScreenGameTutorial::SlaveClosed(const std::string& name, const ParamsRef& result) {
  // Whatever the player chose on it, the skip screen ends the guided level.
  if (name == "GS_SkipTutorial") {
    TGameScreen::SlaveClosed(name, result);
    CloseWithResults(nullptr);
    return;
  }
  TKestrelleGameScreenGameMain::SlaveClosed(name, result);
}

}  // namespace kestrelle
