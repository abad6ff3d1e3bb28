#include "game/minigames/diffs/diffs_screen.h"

#include <optional>

#include "app/standard_screens/screen_helpers.h"
#include "data/variant_values.h"
#include "game/minigames/minigame_codes.h"

namespace kestrelle {

namespace {

void ForwardHint(const WidgetRef& sender, const WidgetRef& control) {
  if (control && screens::WidgetName(sender) == "button_hint") control->HandleEvent(minigame_codes::kHint, nullptr);
}

// The widget's own "init_x", when it has one that reads as a number.
std::optional<double> InitX(const WidgetRef& widget) {
  double left = 0;
  if (widget && VariantToReal(widget->GetProperty("init_x"), left)) return left;
  return std::nullopt;
}

}  // namespace

void TKestrelleGameScreenGameFindDiffs::LayOutFrame() {
  TKestrelleMinigameScreen::LayOutFrame();
  // 800 is the hint's place in a picture 1024 wide; a narrower screen gives its button an
  // "init_x", since the control enables and disables the button itself and it cannot sit in a
  // group that would move it into sight.
  if (WidgetRef hint = FindWidget("button_hint")) hint->SetAnchorLeft(InitX(hint).value_or(800));
  for (const char* path : {"control_game_diffs/group1", "control_game_diffs/group2"}) {
    WidgetRef picture = FindWidget(path);
    if (!picture) continue;
    if (const std::optional<double> left = InitX(picture)) picture->SetAnchorLeft(*left);
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
