#include "game/minigames/satchel/satchel_screen.h"

#include "app/standard_screens/screen_helpers.h"
#include "game/minigames/minigame_codes.h"

namespace kestrelle {

void TKestrelleGameScreenGameSatchel::LayOutFrame() {
  TKestrelleMinigameScreen::LayOutFrame();
  if (WidgetRef control = GetControl()) screens::ShowWidget(control->FindWidget("fixed"), false);
  if (WidgetRef reset = FindWidget("button_reset")) reset->SetAnchorLeft(-reset->GetWidth());
}

void TKestrelleGameScreenGameSatchel::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TKestrelleMinigameScreen::OnEvent(sender, code, params);
  if (WidgetRef control = GetControl(); control && screens::WidgetName(sender) == "button_reset")
    control->HandleEvent(minigame_codes::kReset, nullptr);
}

}  // namespace kestrelle
