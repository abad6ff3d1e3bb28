#include "game/minigames/puzzle/puzzle_screen.h"

#include <string>

#include "app/standard_screens/screen_helpers.h"

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

}  // namespace kestrelle
