#include "game/minigames/puzzle/puzzle_screen.h"

#include <string>

#include "app/standard_screens/screen_helpers.h"
#include "game/minigames/minigame_codes.h"

namespace kestrelle {

void TKestrelleGameScreenGamePuzzle::LayOutFrame() {
  TKestrelleMinigameScreen::LayOutFrame();
  WidgetRef control = GetControl();
  if (!control) return;
  const std::shared_ptr<TMinigameDef> definition = GetDefinition();
  const std::string picture = definition ? definition->GetProperty("resourcename").ToString() : std::string();
  if (WidgetRef whole = control->FindWidget("puzzle_picture")) {
    whole->SetProperty("resourcename", Variant(picture));
    screens::ShowWidget(whole, false);
    whole->SetTransparentLevel(0);
  }
  if (WidgetRef under = control->FindWidget("puzzle_picture_under")) {
    under->SetProperty("resourcename", Variant(picture + "Under"));
    screens::ShowWidget(under, true);
  }
  if (WidgetRef frame = control->FindWidget("fixed/frame")) {
    screens::ShowWidget(frame, true);
    frame->SetTransparentLevel(255);
  }
}

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
