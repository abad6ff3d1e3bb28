#include "game/minigames/square/square_control.h"

#include <vector>

#include "game/minigames/widget_children.h"

namespace kestrelle {

void TKestrelleControlGameSquare::Initialize() {
  TKestrelleBoardMinigameControl::Initialize();
  grid_ = {};
  selection_ = SwapSelection();
}

void TKestrelleControlGameSquare::SetUp() {
  grid_ = {};
  selection_.Clear();
  WidgetRef cells = PieceGroup();
  EmptyGroup(cells);
  const int64_t startX = DefinitionInt("start_x");
  const int64_t startY = DefinitionInt("start_y");
  const int64_t cellWidth = DefinitionInt("cell_width");
  for (int32_t row = 0; row < 3; ++row) {
    for (int32_t col = 0; col < 3; ++col) {
      const int32_t digit = 3 * row + col + 1;
      ParamsRef params = CreateParams();
      params->SetValue("name", Variant(std::to_string(digit)));
      params->SetValue("anchor_left", Variant(startX + col * cellWidth));
      params->SetValue("anchor_top", Variant(startY + row * cellWidth));
      params->SetValue("digit", Variant(digit));
      params->SetValue("row", Variant(row));
      params->SetValue("col", Variant(col));
      params->SetValue("resourcename", Variant("img_Square" + std::to_string(digit)));
      // A tile the factory cannot make leaves its cell at 0: the grid cannot be solved.
      if (!CreateChildWidget(cells, "square_element", params)) continue;
      grid_[row][col] = digit;
    }
  }
  StartWithLevelName();
}

bool TKestrelleControlGameSquare::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrelleBoardMinigameControl::MouseDown(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  const std::vector<WidgetRef> tiles = ChildrenOf(PieceGroup());
  size_t clicked = 0;
  while (clicked < tiles.size() && !tiles[clicked]->ContainsPoint(tiles[clicked]->ScreenToOwner(ScreenPoint()), false))
    ++clicked;
  if (clicked == tiles.size()) return handled;
  const auto outcome = selection_.Click(clicked, PieceText(tiles[clicked], "state") == "moving");
  if (outcome.kind == SwapSelection::Kind::kIgnored) return handled;
  if (outcome.kind == SwapSelection::Kind::kSwap) {
    const WidgetRef& first = tiles[outcome.first];
    const WidgetRef& second = tiles[outcome.second];
    const Variant row = second->GetProperty("row");
    const Variant col = second->GetProperty("col");
    const double secondX = second->GetAnchorLeft();
    const double secondY = second->GetAnchorTop();
    StartMove("scenario_element_move", "cells", second->GetName(), first->GetAnchorLeft(), first->GetAnchorTop());
    second->SetProperty("state", Variant("moving"));
    second->SetProperty("row", first->GetProperty("row"));
    second->SetProperty("col", first->GetProperty("col"));
    StartMove("scenario_element_move", "cells", first->GetName(), secondX, secondY);
    first->SetProperty("state", Variant("moving"));
    first->SetProperty("row", row);
    first->SetProperty("col", col);
    PlayScreenSound("sound_minigame_move");
  }
  if (outcome.kind == SwapSelection::Kind::kSelected)
    tiles[outcome.second]->SetProperty("on", Variant(-1));
  else
    tiles[outcome.first]->SetProperty("on", Variant(0));
  PlayScreenSound("sound_minigame_click");
  return handled;
}

void TKestrelleControlGameSquare::OtherScenarioFinished(const std::string& name, const ParamsRef& params) {
  if (name.find("scenario_element_move") == std::string::npos) return;
  WidgetRef tile = MoveReported(name, params, PieceGroup());
  if (!tile) return;
  tile->SetProperty("state", Variant("fixed"));
  const int64_t row = PieceInt(tile, "row");
  const int64_t col = PieceInt(tile, "col");
  if (row >= 0 && row < 3 && col >= 0 && col < 3) {
    grid_[row][col] = static_cast<int32_t>(PieceInt(tile, "digit"));
  }
  if (IsSquareSolved(grid_) && state_ == kStatePlaying) Finish();
}

}  // namespace kestrelle
