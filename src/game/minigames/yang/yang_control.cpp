#include "game/minigames/yang/yang_control.h"

#include "game/minigames/widget_children.h"

namespace kestrelle {

namespace {

const char* TileFactory(int32_t row, int32_t col) {
  if (row == 0 && col == 0) return "yang_element_bottom_right";
  if (row == 0 && col == 3) return "yang_element_bottom_left";
  if (row == 3 && col == 0) return "yang_element_top_right";
  if (row == 3 && col == 3) return "yang_element_top_left";
  return "yang_element";
}

}  // namespace

void TKestrelleControlGameYang::Initialize() {
  TKestrelleBoardMinigameControl::Initialize();
  board_ = YangBoard();
}

void TKestrelleControlGameYang::SetUp() {
  board_ = YangBoard();
  WidgetRef cells = PieceGroup();
  EmptyGroup(cells);
  const int64_t startX = DefinitionInt("start_x");
  const int64_t startY = DefinitionInt("start_y");
  const int64_t cellWidth = DefinitionInt("cell_width");
  for (int32_t row = 0; row < YangBoard::kSize; ++row) {
    for (int32_t col = 0; col < YangBoard::kSize; ++col) {
      if (row == 2 && col == 2) continue;
      ParamsRef params = CreateParams();
      params->SetValue("name", Variant(std::to_string(row) + "_" + std::to_string(col)));
      params->SetValue("anchor_left", Variant(startX + col * cellWidth));
      params->SetValue("anchor_top", Variant(startY + row * cellWidth));
      params->SetValue("row", Variant(row));
      params->SetValue("col", Variant(col));
      // A tile the factory cannot make leaves its cell free.
      if (WidgetRef tile = CreateChildWidget(cells, TileFactory(row, col), params))
        board_.Occupy({row, col}, PieceText(tile, "type"));
    }
  }
  StartWithLevelName();
}

bool TKestrelleControlGameYang::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrelleBoardMinigameControl::MouseDown(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  WidgetRef tile = FirstChildUnderMouse(PieceGroup());
  if (!tile || PieceText(tile, "state") == "moving") return handled;
  const YangCell from{static_cast<int32_t>(PieceInt(tile, "row")), static_cast<int32_t>(PieceInt(tile, "col"))};
  if (const auto to = board_.FreeNeighbour(from)) {
    const int64_t cellWidth = DefinitionInt("cell_width");
    StartMove("scenario_element_move", "cells", tile->GetName(),
              static_cast<double>(cellWidth * to->col + DefinitionInt("start_x")),
              static_cast<double>(cellWidth * to->row + DefinitionInt("start_y")));
    tile->SetProperty("state", Variant("moving"));
    tile->SetProperty("row", Variant(to->row));
    tile->SetProperty("col", Variant(to->col));
    board_.Free(from);
    board_.Occupy(*to, PieceText(tile, "type"));
    PlayScreenSound("sound_minigame_move");
  }
  PlayScreenSound("sound_minigame_click");
  return handled;
}

void TKestrelleControlGameYang::OtherScenarioFinished(const std::string& name, const ParamsRef& params) {
  if (name.find("scenario_element_move") == std::string::npos) return;
  if (WidgetRef tile = MoveReported(name, params, PieceGroup())) tile->SetProperty("state", Variant("fixed"));
  // Like Square and Hurdle, only a board still in play finishes: a second move that arrives after
  // the picture was completed must not report at once and pass over the close button.
  if (board_.IsSolved() && state_ == kStatePlaying) Finish();
}

}  // namespace kestrelle
