#include "game/minigames/redundant/redundant_control.h"

#include <ranges>

#include "game/minigames/redundant/redundant_round.h"
#include "game/minigames/variant_numbers.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

void TKestrelleControlGameRedundant::Initialize() {
  TKestrelleMinigameControl::Initialize();
  round_ = 1;
  rounds_ = 0;
  board_.clear();
}

void TKestrelleControlGameRedundant::OtherScenarioFinished(const std::string& name, const ParamsRef&) {
  if (name == "scenario_start_level" || name == "scenario_redundant_end_round")
    SetUpRound();
  else if (name == "scenario_redundant_failed_round")
    Reshuffle();
}

void TKestrelleControlGameRedundant::SetUp() {
  EmptyGroup(PieceGroup());
  board_.clear();
  round_ = 1;
  rounds_ = static_cast<int32_t>(DefinitionInt("rounds_cnt"));
  StartWithSkipHeld();
}

void TKestrelleControlGameRedundant::SetUpRound() {
  WidgetRef elements = PieceGroup();
  EmptyGroup(elements);
  board_.clear();
  auto rounds = definition_ ? definition_->GetRounds() : nullptr;
  auto definition = rounds ? rounds->GetItemByName(std::to_string(round_)) : nullptr;
  if (!definition) return;
  RedundantRound round;
  round.places = static_cast<int32_t>(IntOf(definition->GetProperty("places")));
  round.normalResource = definition->GetProperty("normal_resource").ToString();
  round.redundantResource = definition->GetProperty("redundant_resource").ToString();
  round.angleRange = static_cast<int32_t>(IntOf(definition->GetProperty("angle_range"), 360));
  if (auto places = definition->GetPlaces()) {
    for (int i = 0; i < places->GetCount(); ++i) {
      auto place = places->GetItem(i);
      if (place)
        round.placesByName[place->GetName()] = {RealOf(place->GetProperty("x")), RealOf(place->GetProperty("y"))};
    }
  }
  const int64_t width = IntOf(definition->GetProperty("width"));
  const int64_t height = IntOf(definition->GetProperty("height"));
  for (const RedundantElement& element : GenerateRedundantRound(round)) {
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(element.name));
    params->SetValue("type", Variant(element.type));
    params->SetValue("resourcename", Variant(element.resourceName));
    params->SetValue("width", Variant(width));
    params->SetValue("height", Variant(height));
    params->SetValue("angle", Variant(element.angle));
    params->SetValue("centerx", Variant(static_cast<double>(width) / 2));
    params->SetValue("centery", Variant(static_cast<double>(height) / 2));
    params->SetValue("anchor_left", Variant(element.left));
    params->SetValue("anchor_top", Variant(element.top));
    WidgetRef widget = CreateChildWidget(elements, "element", params);
    if (!widget) continue;
    widget->Restart();
    FindPairsElement placed;
    placed.name = element.name;
    placed.left = element.left;
    placed.top = element.top;
    board_.push_back(std::move(placed));
  }
}

void TKestrelleControlGameRedundant::Reshuffle() {
  ReshuffleFindPairs(board_);
  WidgetRef elements = PieceGroup();
  WidgetCollectionRef children = elements ? elements->GetWidgets() : nullptr;
  for (const FindPairsElement& element : board_) {
    WidgetRef widget = children ? children->GetByName(element.name) : nullptr;
    if (!widget) continue;
    widget->SetAnchorLeft(element.left);
    widget->SetAnchorTop(element.top);
    widget->SetProperty("show", Variant(-1));
    widget->Restart();
  }
}

void TKestrelleControlGameRedundant::EndPlay() { StartScenario("scenario_end_level"); }

bool TKestrelleControlGameRedundant::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrelleMinigameControl::MouseDown(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  const std::vector<WidgetRef> pictures = ChildrenOf(PieceGroup());
  WidgetRef clicked;
  for (const WidgetRef& picture : std::views::reverse(pictures)) {
    if (!picture->ContainsPoint(picture->ScreenToOwner(ScreenPoint()), false)) continue;
    clicked = picture;
    break;
  }
  if (!clicked) return handled;
  for (const WidgetRef& picture : pictures) {
    picture->SetProperty("show", Variant(0));
    picture->Restart();
  }
  if (clicked->GetProperty("type").ToString() == "normal") {
    StartScenario("scenario_redundant_failed_round");
    PlayScreenSound("sound_minigame_click");
    return handled;
  }
  PlayScreenSound("sound_minigame_correct_click");
  if (round_ != rounds_) {
    StartScenario("scenario_redundant_end_round");
    ++round_;
  } else {
    Finish();
  }
  return handled;
}

}  // namespace kestrelle
