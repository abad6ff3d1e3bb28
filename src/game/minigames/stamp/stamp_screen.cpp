#include "game/minigames/stamp/stamp_screen.h"

namespace kestrelle {

void TKestrelleGameScreenGameStamp::LayOutFrame() {
  TKestrelleMinigameScreen::LayOutFrame();
  WidgetRef control = GetControl();
  if (!control) return;
  if (WidgetRef picture = control->FindWidget("stamp_picture")) {
    const std::shared_ptr<TMinigameDef> definition = GetDefinition();
    const Variant name = definition ? definition->GetProperty("resourcename") : Variant();
    picture->SetProperty("resourcename", Variant(name.IsEmptyOrNull() ? std::string() : name.ToString()));
    picture->SetVisible(false);
    picture->SetTransparentLevel(0);
  }
  if (WidgetRef elements = control->FindWidget("elements")) {
    elements->SetAnchorLeft(0);
    elements->SetAnchorTop(0);
  }
  if (WidgetRef frame = control->FindWidget("fixed/frame")) {
    frame->SetVisible(true);
    frame->SetTransparentLevel(255);
  }
}

}  // namespace kestrelle
