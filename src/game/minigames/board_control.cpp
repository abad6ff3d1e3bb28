#include "game/minigames/board_control.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/variant_values.h"
#include "game/minigames/minigame_codes.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

std::string PieceText(const WidgetRef& widget, const std::string& name) {
  if (!widget) return {};
  const Variant value = widget->GetProperty(name);
  return value.IsEmptyOrNull() ? std::string() : value.ToString();
}

int64_t PieceInt(const WidgetRef& widget, const std::string& name) {
  int64_t value = 0;
  return widget && VariantToInt(widget->GetProperty(name), value) ? value : 0;
}

double PieceReal(const WidgetRef& widget, const std::string& name) {
  double value = 0;
  return widget && VariantToReal(widget->GetProperty(name), value) ? value : 0;
}

bool TKestrelleBoardMinigameControl::MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) {
  screenPoint_ = point;
  return TKestrelleMinigameControl::MouseEvent(message, point, keys);
}

void TKestrelleBoardMinigameControl::Command(int32_t code, const ParamsRef& params) {
  switch (code) {
    case minigame_codes::kStart:
      if (LookUpDefinition(params)) SetUp();
      break;
    case minigame_codes::kSetUpAgain:
      SetUp();
      break;
    case minigame_codes::kClosePressed:
      screens::ShowWidget(FrameWidget("button_close"), false);
      StartScenario("scenario_end_level");
      break;
    case minigame_codes::kSkip:
      skipped_ = true;
      Finish();
      break;
    default:
      break;
  }
}

void TKestrelleBoardMinigameControl::ScenarioFinalized(const std::string& name, const ParamsRef& params) {
  if (name == "scenario_start_level") {
    state_ = kStatePlaying;
    if (GameScreenOwnerRef game = GameOwner()) {
      ParamsRef help = CreateParams();
      help->SetValue("minigame_person", DefinitionValue("minigame_person"));
      help->SetValue("start_text", DefinitionValue("start_text"));
      game->ShowScreen("GS_MinigameHelp", help);
    }
  } else if (name == "scenario_end_level") {
    Finish();
  }
  OtherScenarioFinished(name, params);
}

void TKestrelleBoardMinigameControl::Finish() {
  if (state_ == kStatePlaying) {
    PlayScreenSound("sound_minigame_completed");
    state_ = kStateOver;
    EndPlay();
  } else if (state_ == kStateOver) {
    ReportFinished();
  }
}

void TKestrelleBoardMinigameControl::EndPlay() {
  if (WidgetRef close = FrameWidget("button_close"))
    screens::ShowWidget(close, true);
  else
    StartScenario("scenario_end_level");
}

void TKestrelleBoardMinigameControl::StartWithLevelName() {
  ParamsRef params = CreateParams();
  params->SetValue("LevelName", Variant("%%\n" + DefinitionValue("LevelName").ToString()));
  StartScenario("scenario_start_level", params);
  state_ = kStateStarting;
}

WidgetRef TKestrelleBoardMinigameControl::StartMove(const std::string& factory, const std::string& group,
                                                    const std::string& piece, double x, double y,
                                                    const ParamsRef& extra) {
  ParamsRef params = extra ? extra : CreateParams();
  params->SetValue("name", Variant(piece));
  params->SetValue("element_name", Variant("../" + group + "/" + piece));
  params->SetValue("final_x", Variant(x));
  params->SetValue("final_y", Variant(y));
  return StartScenario(factory, params);
}

WidgetRef TKestrelleBoardMinigameControl::MoveReported(const std::string& name, const ParamsRef& params,
                                                       const WidgetRef& pieces) {
  if (WidgetRef group = GetScenarioGroup()) {
    WidgetCollectionRef scenarios = group->GetWidgets();
    if (WidgetRef scenario = scenarios ? scenarios->GetByName(name) : nullptr) scenario->SetDead(true);
    if (scenarios) scenarios->RemoveDead();
  }
  const std::string path = screens::ParamValue(params, "element_name").ToString();
  const std::string piece = path.substr(path.rfind('/') + 1);
  WidgetCollectionRef children = pieces ? pieces->GetWidgets() : nullptr;
  return children && !piece.empty() ? children->GetByName(piece) : nullptr;
}

WidgetRef TKestrelleBoardMinigameControl::FirstChildUnderMouse(const WidgetRef& group) {
  for (const WidgetRef& child : ChildrenOf(group))
    if (child->ContainsPoint(child->ScreenToOwner(screenPoint_), false)) return child;
  return nullptr;
}

}  // namespace kestrelle
