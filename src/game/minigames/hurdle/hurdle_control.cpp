#include "game/minigames/hurdle/hurdle_control.h"

#include <map>
#include <utility>
#include <vector>

#include "game/minigames/hurdle/hurdle_rules.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

void TKestrelleControlGameHurdle::Initialize() {
  TKestrelleBoardMinigameControl::Initialize();
  selection_ = SwapSelection();
}

void TKestrelleControlGameHurdle::SetUp() {
  selection_.Clear();
  WidgetRef cells = PieceGroup();
  EmptyGroup(cells);
  auto objects = definition_ ? definition_->GetObjects() : nullptr;
  auto places = definition_ ? definition_->GetPlaces() : nullptr;
  for (int i = 0; objects && i < objects->GetCount(); ++i) {
    auto object = objects->GetItem(i);
    if (!object) continue;
    const std::string place = object->GetProperty("init_place").ToString();
    const Variant width = object->GetProperty("width");
    const Variant height = object->GetProperty("height");
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(object->GetName()));
    params->SetValue("width", width);
    params->SetValue("height", height);
    params->SetValue("resourcename", object->GetProperty("resourcename"));
    params->SetValue("place", Variant(place));
    // An object whose place is missing gets no position.
    if (auto where = places ? places->GetItemByName(place) : nullptr) {
      params->SetValue("anchor_left", where->GetProperty("x"));
      params->SetValue("anchor_top", where->GetProperty("y"));
    }
    params->SetValue("centerx", Variant(static_cast<double>(width.ToInt()) / 2));
    params->SetValue("centery", Variant(static_cast<double>(height.ToInt()) / 2));
    CreateChildWidget(cells, "flower", params);
  }
  StartWithLevelName();
}

bool TKestrelleControlGameHurdle::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrelleBoardMinigameControl::MouseDown(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  const std::vector<WidgetRef> pictures = ChildrenOf(PieceGroup());
  size_t clicked = 0;
  while (clicked < pictures.size() &&
         !pictures[clicked]->ContainsPoint(pictures[clicked]->ScreenToOwner(ScreenPoint()), false))
    ++clicked;
  if (clicked == pictures.size()) return handled;
  const auto outcome = selection_.Click(clicked, PieceText(pictures[clicked], "state") == "moving");
  switch (outcome.kind) {
    case SwapSelection::Kind::kIgnored:
      return handled;
    case SwapSelection::Kind::kSwap: {
      const WidgetRef& selected = pictures[outcome.first];
      const WidgetRef& picture = pictures[outcome.second];
      const Variant place = picture->GetProperty("place");
      const double x = picture->GetAnchorLeft();
      const double y = picture->GetAnchorTop();
      StartMove("scenario_element_move", "cells", picture->GetName(), selected->GetAnchorLeft(),
                selected->GetAnchorTop());
      picture->SetProperty("state", Variant("moving"));
      picture->SetProperty("place", selected->GetProperty("place"));
      StartMove("scenario_element_move", "cells", selected->GetName(), x, y);
      selected->SetProperty("state", Variant("moving"));
      selected->SetProperty("place", place);
      PlayScreenSound("sound_minigame_move");
      selected->SetProperty("on", Variant(0));
      break;
    }
    case SwapSelection::Kind::kDeselected:
      pictures[outcome.first]->SetProperty("on", Variant(0));
      break;
    case SwapSelection::Kind::kSelected:
      pictures[outcome.second]->Restart();
      pictures[outcome.second]->SetProperty("on", Variant(-1));
      break;
  }
  PlayScreenSound("sound_minigame_click");
  return handled;
}

bool TKestrelleControlGameHurdle::IsSolved() {
  std::vector<std::pair<std::string, std::string>> standing;
  for (const WidgetRef& picture : ChildrenOf(PieceGroup()))
    standing.emplace_back(picture->GetName(), PieceText(picture, "place"));
  std::map<std::string, std::string> goals;
  if (auto places = definition_ ? definition_->GetPlaces() : nullptr) {
    for (int i = 0; i < places->GetCount(); ++i)
      if (auto place = places->GetItem(i)) goals[place->GetName()] = place->GetProperty("goal").ToString();
  }
  return IsHurdleSolved(standing, goals);
}

void TKestrelleControlGameHurdle::OtherScenarioFinished(const std::string& name, const ParamsRef& params) {
  if (name.find("scenario_element_move") == std::string::npos) return;
  WidgetRef picture = MoveReported(name, params, PieceGroup());
  if (!picture) return;
  picture->SetProperty("state", Variant("fixed"));
  if (IsSolved() && state_ == kStatePlaying) Finish();
}

}  // namespace kestrelle
