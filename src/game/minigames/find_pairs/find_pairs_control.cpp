#include "game/minigames/find_pairs/find_pairs_control.h"

#include <ranges>

#include "game/minigames/minigame_codes.h"
#include "game/minigames/variant_numbers.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

namespace {

// The rules' view of a round of the definition.
FindPairsRound RoundOf(TMinigameDefRound& definition) {
  FindPairsRound round;
  round.places = static_cast<int32_t>(IntOf(definition.GetProperty("places")));
  round.specificResource = definition.GetProperty("specific_resource").ToString() == "yes";
  round.resourceName = definition.GetProperty("resourcename").ToString();
  round.width = static_cast<int32_t>(IntOf(definition.GetProperty("width")));
  round.height = static_cast<int32_t>(IntOf(definition.GetProperty("height")));
  round.angleRange = static_cast<int32_t>(IntOf(definition.GetProperty("angle_range"), 360));
  if (auto places = definition.GetPlaces()) {
    for (int i = 0; i < places->GetCount(); ++i) {
      auto place = places->GetItem(i);
      if (place) round.placeList.emplace_back(RealOf(place->GetProperty("x")), RealOf(place->GetProperty("y")));
    }
  }
  return round;
}

void SetLook(const WidgetRef& widget, const char* property, int32_t value) {
  if (widget) widget->SetProperty(property, Variant(value));
}

}  // namespace

void TKestrelleControlGameFindPairs::Initialize() {
  TKestrelleMinigameControl::Initialize();
  board_ = FindPairsBoard();
}

void TKestrelleControlGameFindPairs::Command(int32_t code, const ParamsRef& params) {
  // A skip reports at once, without the end scenario.
  if (code == minigame_codes::kSkip) state_ = kStateOver;
  TKestrelleMinigameControl::Command(code, params);
}

void TKestrelleControlGameFindPairs::OtherScenarioFinished(const std::string& name, const ParamsRef&) {
  if (name == "scenario_start_level" || name == "scenario_pairs_end_round")
    SetUpRound();
  else if (name == "scenario_pairs_failed_round")
    Reshuffle();
}

void TKestrelleControlGameFindPairs::SetUp() {
  EmptyGroup(PieceGroup());
  board_.Start(static_cast<int32_t>(DefinitionInt("rounds_cnt")));
  StartWithSkipHeld();
}

void TKestrelleControlGameFindPairs::SetUpRound() {
  WidgetRef elements = PieceGroup();
  EmptyGroup(elements);
  board_.SetElements({});
  auto rounds = definition_ ? definition_->GetRounds() : nullptr;
  auto definition = rounds ? rounds->GetItemByName(std::to_string(board_.Round())) : nullptr;
  if (!definition) return;
  const FindPairsRound round = RoundOf(*definition);
  std::vector<FindPairsElement> onBoard;
  for (FindPairsElement& element : GenerateFindPairsRound(round)) {
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(element.name));
    params->SetValue("resourcename", Variant(element.resourceName));
    params->SetValue("width", Variant(round.width));
    params->SetValue("height", Variant(round.height));
    params->SetValue("angle", Variant(element.angle));
    params->SetValue("idx", Variant(element.idx));
    params->SetValue("centerx", Variant(round.width / 2.0));
    params->SetValue("centery", Variant(round.height / 2.0));
    params->SetValue("anchor_left", Variant(element.left));
    params->SetValue("anchor_top", Variant(element.top));
    // A picture the factory cannot make is simply not on the board.
    WidgetRef widget = CreateChildWidget(elements, "element", params);
    if (!widget) continue;
    widget->Restart();
    onBoard.push_back(std::move(element));
  }
  board_.SetElements(std::move(onBoard));
}

void TKestrelleControlGameFindPairs::Reshuffle() {
  ReshuffleFindPairs(board_.Elements());
  for (size_t i = 0; i < board_.Elements().size(); ++i) {
    WidgetRef widget = ElementWidget(i);
    if (!widget) continue;
    widget->SetAnchorLeft(board_.Elements()[i].left);
    widget->SetAnchorTop(board_.Elements()[i].top);
    SetLook(widget, "show", -1);
    widget->Restart();
  }
}

WidgetRef TKestrelleControlGameFindPairs::ElementWidget(size_t index) {
  WidgetRef elements = PieceGroup();
  WidgetCollectionRef children = elements ? elements->GetWidgets() : nullptr;
  if (!children || index >= board_.Elements().size()) return nullptr;
  return children->GetByName(board_.Elements()[index].name);
}

bool TKestrelleControlGameFindPairs::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrelleMinigameControl::MouseDown(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  // The topmost picture under the pointer: the last one in child order.
  std::vector<WidgetRef> pictures = ChildrenOf(PieceGroup());
  for (auto it = pictures.rbegin(); it != pictures.rend(); ++it) {
    const WidgetRef& picture = *it;
    if (!picture->ContainsPoint(picture->ScreenToOwner(ScreenPoint()), false)) continue;
    const auto& elements = board_.Elements();
    for (size_t i = 0; i < elements.size(); ++i) {
      if (elements[i].name != picture->GetName()) continue;
      Select(i);
      return handled;
    }
    return handled;
  }
  const std::optional<size_t> selected = board_.Selected();
  if (board_.ClickBeside()) {
    PlayScreenSound("sound_minigame_click");
    if (selected) SetLook(ElementWidget(*selected), "on", 0);
  }
  return handled;
}

void TKestrelleControlGameFindPairs::Select(size_t index) {
  const std::optional<size_t> selected = board_.Selected();
  const std::string first = selected ? board_.Elements()[*selected].name : std::string();
  const std::string second = board_.Elements()[index].name;
  const FindPairsBoard::Outcome outcome = board_.Click(index);
  auto pairNames = [&] {
    ParamsRef params = CreateParams();
    params->SetValue("name1", Variant(first));
    params->SetValue("name2", Variant(second));
    return params;
  };
  switch (outcome) {
    case FindPairsBoard::Outcome::kSelected:
      SetLook(ElementWidget(index), "on", -1);
      break;
    case FindPairsBoard::Outcome::kRoundWon:
      HideElements(*selected, index);
      StartScenario("scenario_pairs_end_round", pairNames());
      PlayScreenSound("sound_minigame_correct_click");
      break;
    case FindPairsBoard::Outcome::kGameWon:
      HideElements(*selected, index);
      StartScenario("scenario_end_level", pairNames());
      Finish();
      PlayScreenSound("sound_minigame_correct_click");
      break;
    case FindPairsBoard::Outcome::kWrongPair:
      HideElements(board_.Elements().size(), board_.Elements().size());
      StartScenario("scenario_pairs_failed_round");
      break;
    case FindPairsBoard::Outcome::kDeselected:
      break;
  }
  if (outcome != FindPairsBoard::Outcome::kSelected && selected) SetLook(ElementWidget(*selected), "on", 0);
  PlayScreenSound("sound_minigame_click");
}

void TKestrelleControlGameFindPairs::HideElements(size_t keep1, size_t keep2) {
  for (size_t i = 0; i < board_.Elements().size(); ++i) {
    if (i == keep1 || i == keep2) continue;
    WidgetRef widget = ElementWidget(i);
    if (!widget) continue;
    SetLook(widget, "show", 0);
    widget->Restart();
  }
}

}  // namespace kestrelle
