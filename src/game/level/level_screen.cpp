#include "game/level/level_screen.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/variant_values.h"
#include "game/level/level_codes.h"
#include "records/user_profiles.h"

namespace kestrelle {

namespace {

std::string Text(const ParamsRef& params, const std::string& name) {
  return screens::ParamValue(params, name).ToString();
}

ParamsRef CopyOrNew(const ParamsRef& params) { return params ? CopyParams(params) : CreateParams(); }

// Moves the widget to the top its own "init_y" gives.
void MoveToInitialTop(const WidgetRef& widget) {
  double top = 0;
  if (widget && VariantToReal(widget->GetProperty("init_y"), top)) widget->SetAnchorTop(top);
}

}  // namespace

ControlGameMainRef TKestrelleGameScreenGameMain::GetLevelControl() {
  return std::dynamic_pointer_cast<IControlGameMain>(FindWidget("control_game_main"));
}

WidgetRef TKestrelleGameScreenGameMain::GetToolPanel() { return FindWidget("control_tools"); }

void TKestrelleGameScreenGameMain::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  ResetVisuals();
  int64_t level = 0;
  level_ = VariantToInt(screens::ParamValue(params, "level"), level) ? level : 0;
}

void TKestrelleGameScreenGameMain::Show(const ParamsRef& params) {
  TGameScreen::Show(params);
  SendToLevel(level_codes::kStartLevel, CopyOrNew(params));
}

void TKestrelleGameScreenGameMain::ResetVisuals() {
  if (WidgetRef frame = FindWidget("frame_black")) {
    int64_t time = 0;
    if (VariantToInt(frame->GetProperty("init_t"), time)) frame->SetProperty("currenttime", Variant(time));
  }
  for (const char* name : {"timer_control", "tools_mat", "control_tools"}) MoveToInitialTop(FindWidget(name));
  if (WidgetRef control = FindWidget("control_game_main")) {
    MoveToInitialTop(control->FindWidget("client_counter"));
    MoveToInitialTop(control->FindWidget("money_counter"));
  }
  // Stopped where they are, as a flash run is stopped: pausing one through Pause would end its run
  // and apply its targets.
  for (const char* name : {"fade_out", "fade_in"}) {
    if (WidgetRef fade = FindWidget(name)) {
      fade->SetPaused(true);
      fade->SetVisible(false);
    }
  }
}

void TKestrelleGameScreenGameMain::FocusChanged(bool focused) {
  TGameScreen::FocusChanged(focused);
  if (!focused && IsActive() && PausesWhenFocusLost()) Open("GS_MiniMenu", nullptr);
}

void TKestrelleGameScreenGameMain::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  const std::string name = screens::WidgetName(sender);
  if (name == "control_game_main")
    LevelNotified(code, params);
  else
    WidgetNotified(name, code, params);
}

void TKestrelleGameScreenGameMain::LevelNotified(int32_t code, const ParamsRef& params) {
  using namespace level_codes;
  switch (code) {
    case kShowLevelResults:
      Open(ResultsScreenName(), params);
      break;
    case kShowResultsWithAward:
      Open("GS_NewAward", params);
      break;
    case kChooseToolsBeforeLevel:
      Open("GS_StartLevel", params);
      break;
    case kChooseToolsForSlots:
      Open("GS_StartToolLevel", params);
      break;
    case kShowToolTip:
      Open("GS_ToolTips", params);
      break;
    case kShowBonusHint:
      Open("GS_BonusHint", params);
      break;
    case kShowCoinHint:
      Open("GS_CoinHint", nullptr);
      break;
    default:
      break;
  }
}

void TKestrelleGameScreenGameMain::WidgetNotified(const std::string& sender, int32_t code, const ParamsRef& params) {
  if (sender == "button_menu" && code == screens::kEventClicked) {
    Open("GS_MiniMenu", nullptr);
  } else if (sender == "timer_control" && code == level_codes::kShowExpertTimeHint) {
    // Once per player, and only once the levels are hard enough for the expert time to matter.
    GameScreenOwnerRef owner = GetOwner();
    UserProfilesRef profiles = owner ? owner->GetProfiles() : nullptr;
    UserProfileRef profile = profiles ? profiles->GetCurrent() : nullptr;
    ParamsRef values = profile ? profile->GetParams() : nullptr;
    if (!values || level_ < kExpertTimeHintLevel) return;
    if (values->GetValue("show_experttime_hine", Variant(std::string("no"))).ToString() != "no") return;
    values->SetValue("show_experttime_hine", Variant(std::string("yes")));
    Open("GS_ExpertTimeHint", nullptr);
  }
}

void TKestrelleGameScreenGameMain::SlaveClosed(const std::string& name, const ParamsRef& result) {
  TGameScreen::SlaveClosed(name, result);
  if (name == "GS_StartLevel" || name == "GS_StartToolLevel") {
    SetUpTools(result);
  } else if (name == "GS_NewAward") {
    Open(ResultsScreenName(), ComputeResults());
  } else if (name == ResultsScreenName()) {
    ResultsClosed(result);
  } else if (name.find("GS_MiniGame_") != std::string::npos) {
    MinigameClosed(result);
  } else if (name == "GS_MiniMenu") {
    MiniMenuClosed(result);
  } else if (name == "GS_QueryRestart") {
    if (Text(result, "Button") != "button_yes") return;
    ResetVisuals();
    SendToLevel(level_codes::kRestartLevel, CreateParams());
  } else if (name == "GS_QueryMainMenu") {
    if (Text(result, "Button") == "button_yes") LeaveLevel(result);
  }
}

void TKestrelleGameScreenGameMain::MiniMenuClosed(const ParamsRef& result) {
  const std::string button = Text(result, "Button");
  if (button == "button_main_menu") {
    if (!Open("GS_QueryMainMenu", nullptr)) LeaveLevel(result);
  } else if (button == "button_options") {
    Open("GS_Options", nullptr);
  } else if (button == "button_rules") {
    ShowRules();
  } else if (button == "button_restart") {
    if (!Open("GS_QueryRestart", nullptr)) SendToLevel(level_codes::kRestartLevel, CreateParams());
  }
}

void TKestrelleGameScreenGameMain::ShowRules() {
  ParamsRef params = CreateParams();
  params->SetValue("level", Variant(kRulesLevel));
  params->SetValue("replay", Variant(std::string("no")));
  params->SetValue("shop_name", Variant(std::string("ShopGarden")));
  Open("GS_GameTutorial", params);
}

void TKestrelleGameScreenGameMain::SendToLevel(int32_t code, const ParamsRef& params) {
  if (WidgetRef control = FindWidget("control_game_main")) control->HandleEvent(code, params);
}

void TKestrelleGameScreenGameMain::SetUpTools(const ParamsRef& choice) {
  ParamsRef params = CopyOrNew(choice);
  params->SetValue("level", Variant(level_));
  if (WidgetRef tools = GetToolPanel()) tools->HandleEvent(level_codes::kSetUpToolSlots, params);
}

ParamsRef TKestrelleGameScreenGameMain::ComputeResults() {
  ControlGameMainRef control = GetLevelControl();
  ParamsRef results = control ? control->ComputeResults() : nullptr;
  return results ? results : CreateParams();
}

void TKestrelleGameScreenGameMain::ResultsClosed(const ParamsRef& result) {
  if (Text(result, "restart_level") == "yes") {
    SendToLevel(level_codes::kRestartLevel, CreateParams());
    return;
  }
  ParamsRef results = ComputeResults();
  const std::string minigame = Text(results, "Minigame");
  if (!minigame.empty() && Text(results, "Replay") != "yes" &&
      Open("GS_MiniGame_" + minigame, screens::OneParam("Minigame", Variant(minigame))))
    return;
  // No minigame follows, or its screen is missing: the map gets the level's results all the same.
  CloseWithResults(results);
}

void TKestrelleGameScreenGameMain::MinigameClosed(const ParamsRef& result) {
  ParamsRef results = ComputeResults();
  const Variant bonus = screens::ParamValue(result, "minigame_bonus");
  results->SetValue("minigame_bonus", bonus.IsEmptyOrNull() ? Variant(0) : bonus);
  if (Text(result, "force_quit") == "yes") results->SetValue("level_completed", Variant(std::string("no")));
  CloseWithResults(results);
}

void TKestrelleGameScreenGameMain::LeaveLevel(const ParamsRef& result) {
  ParamsRef results = CopyOrNew(result);
  results->SetValue("level_completed", Variant(std::string("no")));
  CloseWithResults(results);
}

void TKestrelleGameScreenGameMain::CloseWithResults(const ParamsRef& results) {
  if (GameScreenOwnerRef owner = GetOwner()) owner->CloseScreen(SelfAs<IGameScreenSlave>(), results);
}

bool TKestrelleGameScreenGameMain::Open(const std::string& name, const ParamsRef& params) {
  GameScreenOwnerRef owner = GetOwner();
  return owner && owner->ShowScreen(name, params);
}

}  // namespace kestrelle
