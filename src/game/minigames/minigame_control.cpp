#include "game/minigames/minigame_control.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/variant_values.h"
#include "game/minigames/minigame_codes.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

void TKestrelleMinigameControl::Initialize() {
  TControlGameWidget::Initialize();
  state_ = kStateOver;
  skipped_ = false;
  skipHeld_ = false;
  definition_.reset();
}

const TPropertyTable& TKestrelleMinigameControl::GetPropertyTable() const {
  using T = TKestrelleMinigameControl;
  static const TPropertyTable table(TControlGameWidget::GetPropertyTable(),
                                    {
                                        Property("state", &T::state_).NotStored().ReadOnly(),
                                        Property("skipped", &T::skipped_).NotStored().ReadOnly(),
                                    });
  return table;
}

GameScreenOwnerRef TKestrelleMinigameControl::GameOwner() {
  WidgetOwnerRef owner = GetOwner();
  EventHandlerRef handler = owner ? owner->GetEventHandler() : nullptr;
  return handler ? handler->GetGameOwner() : nullptr;
}

bool TKestrelleMinigameControl::LookUpDefinition(const ParamsRef& params) {
  GameScreenOwnerRef game = GameOwner();
  auto definitions = game ? game->GetSetting("minigame_defs").As<IMinigameDefCollection>() : nullptr;
  if (!definitions) return false;
  const std::string name = params ? params->GetValue("Minigame", Variant(std::string())).ToString() : std::string();
  definition_ = definitions->FindByName(name);
  return true;
}

Variant TKestrelleMinigameControl::DefinitionValue(const std::string& name, const Variant& fallback) const {
  if (!definition_) return fallback;
  Variant value = definition_->GetProperty(name);
  return value.IsEmptyOrNull() ? fallback : value;
}

int64_t TKestrelleMinigameControl::DefinitionInt(const std::string& name, int64_t fallback) const {
  int64_t value = 0;
  return VariantToInt(DefinitionValue(name, Variant(fallback)), value) ? value : fallback;
}

WidgetRef TKestrelleMinigameControl::StartScenario(const std::string& factoryName, const ParamsRef& params) {
  return CreateScenario(factoryName, params ? params : CreateParams(), false);
}

WidgetRef TKestrelleMinigameControl::FrameWidget(const std::string& name) {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->FindWidget(name) : nullptr;
}

void TKestrelleMinigameControl::PlayScreenSound(const std::string& name) {
  if (WindowRef window = OwnerWindow()) window->PlaySound(name);
}

void TKestrelleMinigameControl::ReportFinished() {
  ParamsRef report = CreateParams();
  report->SetValue("minigame_skipped", Variant(std::string(skipped_ ? "yes" : "no")));
  report->SetValue("level_completed", Variant(std::string("yes")));
  report->SetValue("minigame_bonus", Variant(DefinitionInt("minigame_bonus")));
  report->SetValue("minigame_person", DefinitionValue("minigame_person", Variant(0)));
  report->SetValue("end_text", DefinitionValue("end_text"));
  Notify(minigame_codes::kFinished, report);
}

void TKestrelleMinigameControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlGameWidget::SetOwner(owner);
  const std::string pieces = PieceGroupName();
  if (!pieces.empty()) pieceGroup_ = FindWidget(pieces);
}

void TKestrelleMinigameControl::ClearOwner() {
  pieceGroup_.reset();
  TControlGameWidget::ClearOwner();
}

bool TKestrelleMinigameControl::MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) {
  screenPoint_ = point;
  return TControlGameWidget::MouseEvent(message, point, keys);
}

void TKestrelleMinigameControl::Command(int32_t code, const ParamsRef& params) {
  const bool replayAndClose = AnswersReplayAndClose();
  switch (code) {
    case minigame_codes::kStart:
      if (!LookUpDefinition(params)) break;
      ReadStartParameters(params);
      SetUpAnew();
      break;
    case minigame_codes::kSetUpAgain:
      if (replayAndClose) SetUpAnew();
      break;
    case minigame_codes::kClosePressed:
      if (!replayAndClose) break;
      screens::ShowWidget(FrameWidget("button_close"), false);
      StartScenario("scenario_end_level");
      break;
    case minigame_codes::kSkip:
      // While the board comes in a skip finishes nothing; marking the minigame skipped then would
      // take the bonus of a game the player goes on to win.
      if (state_ == kStateStarting) break;
      skipped_ = true;
      Finish();
      break;
    default:
      OtherCommand(code, params);
      break;
  }
}

void TKestrelleMinigameControl::SetUpAnew() {
  skipped_ = false;
  EmptyGroup(GetScenarioGroup());
  SetUp();
}

void TKestrelleMinigameControl::ScenarioFinalized(const std::string& name, const ParamsRef& params) {
  if (name == "scenario_start_level") {
    state_ = kStatePlaying;
    // A skip held during the start may be used once the board is in play.
    if (skipHeld_)
      if (WidgetRef skip = FrameWidget("button_skip")) skip->SetEnabled(true);
    skipHeld_ = false;
    PlayBegins();
    ShowHelp();
  } else if (name == "scenario_end_level") {
    Finish();
  }
  OtherScenarioFinished(name, params);
}

void TKestrelleMinigameControl::ShowHelp() {
  GameScreenOwnerRef game = GameOwner();
  if (!game) return;
  ParamsRef help = CreateParams();
  help->SetValue("minigame_person", DefinitionValue("minigame_person"));
  help->SetValue("start_text", DefinitionValue("start_text"));
  game->ShowScreen("GS_MinigameHelp", help);
}

void TKestrelleMinigameControl::Finish() {
  if (state_ == kStatePlaying) {
    PlayScreenSound("sound_minigame_completed");
    state_ = kStateOver;
    EndPlay();
  } else if (state_ == kStateOver) {
    ReportFinished();
  }
}

void TKestrelleMinigameControl::EndPlay() {
  if (WidgetRef close = FrameWidget("button_close"))
    screens::ShowWidget(close, true);
  else
    StartScenario("scenario_end_level");
}

void TKestrelleMinigameControl::StartWithLevelName() {
  ParamsRef params = CreateParams();
  params->SetValue("LevelName", Variant("%%\n" + DefinitionValue("LevelName").ToString()));
  StartScenario("scenario_start_level", params);
  state_ = kStateStarting;
}

void TKestrelleMinigameControl::StartWithSkipHeld() {
  if (WidgetRef skip = FrameWidget("button_skip")) {
    skip->SetEnabled(false);
    skip->Restart();
  }
  skipHeld_ = true;
  StartScenario("scenario_start_level");
  state_ = kStateStarting;
}

WidgetRef TKestrelleMinigameControl::FirstChildUnderMouse(const WidgetRef& group) {
  for (const WidgetRef& child : ChildrenOf(group))
    if (child->ContainsPoint(child->ScreenToOwner(screenPoint_), false)) return child;
  return nullptr;
}

}  // namespace kestrelle
