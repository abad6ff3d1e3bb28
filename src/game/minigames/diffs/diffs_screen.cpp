#include "game/minigames/diffs/diffs_screen.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/variant_values.h"
#include "game/minigames/minigame_codes.h"

namespace kestrelle {

namespace {

void ForwardHint(const WidgetRef& sender, const WidgetRef& control) {
  if (control && screens::WidgetName(sender) == "button_hint") control->HandleEvent(minigame_codes::kHint, nullptr);
}

}  // namespace

void TKestrelleGameScreenGameFindDiffs::LayOutFrame() {
  TKestrelleMinigameScreen::LayOutFrame();
  if (WidgetRef hint = FindWidget("button_hint")) hint->SetAnchorLeft(800);
  for (const char* path : {"control_game_diffs/group1", "control_game_diffs/group2"}) {
    WidgetRef picture = FindWidget(path);
    if (!picture) continue;
    double left = 0;
    if (VariantToReal(picture->GetProperty("init_x"), left)) picture->SetAnchorLeft(left);
    picture->SetAnchorTop(600);
  }
}

void TKestrelleGameScreenGameFindDiffs::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TKestrelleMinigameScreen::OnEvent(sender, code, params);
  ForwardHint(sender, GetControl());
}

void TKestrelleGameScreenGameRemoveItems::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TKestrelleMinigameScreen::OnEvent(sender, code, params);
  ForwardHint(sender, GetControl());
}

}  // namespace kestrelle
