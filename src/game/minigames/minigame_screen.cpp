#include "game/minigames/minigame_screen.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/variant_values.h"
#include "game/minigames/minigame_codes.h"
#include "records/user_profiles.h"

namespace kestrelle {

namespace {

std::string Text(const ParamsRef& params, const std::string& name) {
  return screens::ParamValue(params, name).ToString();
}

// Shown and placed; nothing without the widget.
void PlaceWidget(const WidgetRef& widget, double left, double top, bool horizontal) {
  if (!widget) return;
  screens::ShowWidget(widget, true);
  if (horizontal)
    widget->SetAnchorLeft(left);
  else
    widget->SetAnchorTop(top);
}

}  // namespace

void TKestrelleMinigameScreen::SetOwner(const GameScreenOwnerRef& owner) {
  TGameScreen::SetOwner(owner);
  control_ = FindWidget(controlName_);
}

void TKestrelleMinigameScreen::Show(const ParamsRef& params) {
  TGameScreen::Show(params);
  definition_.reset();
  GameScreenOwnerRef owner = GetOwner();
  if (auto definitions = owner ? owner->GetSetting("minigame_defs").As<IMinigameDefCollection>() : nullptr)
    definition_ = definitions->FindByName(Text(params, "Minigame"));
  skipped_ = false;
  LayOutFrame();
  SendToControl(minigame_codes::kStart, params);
}

void TKestrelleMinigameScreen::LayOutFrame() {
  screens::ShowWidget(FindWidget("button_close"), false);
  if (WidgetRef menu = FindWidget("button_menu")) PlaceWidget(menu, -menu->GetWidth(), 0, true);
  if (WidgetRef skip = FindWidget("button_skip")) {
    PlaceWidget(skip, 1024, 0, true);
    skip->Restart();
  }
  if (WidgetRef panel = FindWidget("panel")) PlaceWidget(panel, 0, -panel->GetHeight(), false);
}

void TKestrelleMinigameScreen::FocusChanged(bool focused) {
  TGameScreen::FocusChanged(focused);
  if (!focused && IsActive()) Open("GS_MiniMenuBrief");
}

void TKestrelleMinigameScreen::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  const std::string name = screens::WidgetName(sender);
  if (name.empty()) return;
  if (name == controlName_) {
    if (code == minigame_codes::kFinished)
      Open("GS_MinigameCompleted", params);
    else if (code == minigame_codes::kShowHelp)
      Open("GS_MinigameHelp", params);
    else if (code == minigame_codes::kShowLevelInfo && frame_.showsLevelInfo)
      Open("GS_LevelInfo", params);
  } else if (name == "button_menu") {
    Open("GS_MiniMenuBrief");
  } else if (name == "button_close") {
    SendToControl(minigame_codes::kClosePressed);
  } else if (name == "button_skip") {
    skipped_ = true;
    SendToControl(minigame_codes::kSkip);
  }
}

void TKestrelleMinigameScreen::SlaveClosed(const std::string& name, const ParamsRef& result) {
  TGameScreen::SlaveClosed(name, result);
  if (name == "GS_MinigameCompleted") {
    ParamsRef answer = CreateParams();
    answer->SetValue("level_completed", Variant(std::string("yes")));
    int64_t bonus = 0;
    if (!skipped_ && definition_ && !VariantToInt(definition_->GetProperty("minigame_bonus"), bonus)) bonus = 0;
    answer->SetValue("minigame_bonus", Variant(bonus));
    CloseWith(answer);
  } else if (name == "GS_MiniMenuBrief") {
    MenuClosed(result);
  } else if (name == "GS_QueryMainMenu") {
    if (!result || Text(result, "Button") != "button_yes") return;
    result->SetValue("force_quit", Variant(std::string("yes")));
    CloseWith(result);
  } else if (name == "GS_MinigameHelp") {
    HelpClosed();
  }
}

void TKestrelleMinigameScreen::MenuClosed(const ParamsRef& result) {
  // Escape or a click beside the menu answers nothing: the minigame goes on.
  if (!result || result->GetCount() == 0) return;
  ParamRef first = result->GetParam(Variant(0));
  const std::string button = first ? first->GetValue().ToString() : std::string();
  if (button == "button_options") {
    Open("GS_Options");
  } else if (button == "button_rules") {
    Open("GS_MinigameHelp");
  } else if (button == "button_main_menu") {
    if (Open("GS_QueryMainMenu")) return;
    // Nobody to ask: the player leaves at once.
    result->SetValue("force_quit", Variant(std::string("yes")));
    CloseWith(result);
  }
}

// The hint about the skip button follows the first help a player closes, once per player: the
// profile remembers that it was shown.
void TKestrelleMinigameScreen::HelpClosed() {
  if (!frame_.showsSkipHint) return;
  GameScreenOwnerRef owner = GetOwner();
  UserProfilesRef profiles = owner ? owner->GetProfiles() : nullptr;
  UserProfileRef profile = profiles ? profiles->GetCurrent() : nullptr;
  ParamsRef values = profile ? profile->GetParams() : nullptr;
  if (values && values->GetValue("show_skip_hint", Variant(std::string("no"))).ToString() != "no") return;
  if (!Open("GS_SkipHint") || !values) return;
  values->SetValue("show_skip_hint", Variant(std::string("yes")));
  profiles->SaveToFile();
}

void TKestrelleMinigameScreen::SendToControl(int32_t code, const ParamsRef& params) {
  if (control_) control_->HandleEvent(code, params);
}

bool TKestrelleMinigameScreen::Open(const std::string& screen, const ParamsRef& params) {
  GameScreenOwnerRef owner = GetOwner();
  return owner && owner->ShowScreen(screen, params);
}

void TKestrelleMinigameScreen::CloseWith(const ParamsRef& result) {
  if (GameScreenOwnerRef owner = GetOwner()) owner->CloseScreen(SelfAs<IGameScreenSlave>(), result);
}

}  // namespace kestrelle
