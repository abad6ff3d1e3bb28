#include "game/minigames/path/path_control.h"

#include "data/random.h"
#include "data/variant_values.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

void TKestrelleControlGamePath::Initialize() {
  TKestrelleBoardMinigameControl::Initialize();
  board_ = PathBoard(0, 0);
}

void TKestrelleControlGamePath::SetLamp(bool on) {
  if (WidgetRef lamp = FindWidget("fixed/lamp")) {
    lamp->SetProperty("on", Variant(on));
    lamp->SetProperty("off", Variant(!on));
  }
}

WidgetRef TKestrelleControlGamePath::Piece(int32_t row, int32_t col) {
  WidgetRef cells = PieceGroup();
  WidgetCollectionRef pieces = cells ? cells->GetWidgets() : nullptr;
  return pieces ? pieces->GetByName(std::to_string(row) + "_" + std::to_string(col)) : nullptr;
}

void TKestrelleControlGamePath::SetUp() {
  // Starting already, so a board that happens to be complete is judged only at the first turn.
  state_ = kStateStarting;
  WidgetRef cells = PieceGroup();
  EmptyGroup(cells);
  SetLamp(false);
  const auto rows = static_cast<int32_t>(DefinitionInt("rows"));
  const auto cols = static_cast<int32_t>(DefinitionInt("cols"));
  board_ = PathBoard(rows, cols);
  auto paths = definition_ ? definition_->GetPaths() : nullptr;
  for (int32_t row = 0; row < rows; ++row) {
    for (int32_t col = 0; col < cols; ++col) {
      const bool corner = (row == 0 && col == 0) || (row == rows - 1 && col == cols - 1);
      const int32_t angle = corner ? 90 : Random(4) * 90;
      auto path = paths ? paths->FindByCell(row, col) : nullptr;
      std::string type;
      if (path)
        type = path->GetProperty("path_type").ToString();
      else
        type = Random(2) != 0 ? "turn" : "line";
      ParamsRef params = CreateParams();
      params->SetValue("row", Variant(row));
      params->SetValue("col", Variant(col));
      params->SetValue("angle", Variant(angle));
      params->SetValue("anchor_left", Variant(DefinitionInt("start_x") + col * DefinitionInt("width")));
      params->SetValue("anchor_top", Variant(DefinitionInt("start_y") + row * DefinitionInt("height")));
      CreateChildWidget(cells, "path_element_" + type, params);
    }
  }
  // The ends come from the pieces as made; a cell without a piece never connects.
  for (int32_t row = 0; row < rows; ++row) {
    for (int32_t col = 0; col < cols; ++col) {
      WidgetRef piece = Piece(row, col);
      board_.SetPiece(row, col, PieceText(piece, "path_type"), static_cast<int32_t>(PieceInt(piece, "angle")));
    }
  }
  Evaluate();
  if (WidgetRef timer = FindWidget("fixed/timer")) {
    timer->SetProperty("currenttime", Variant(0));
    timer->SetPaused(true);
  }
  StartWithLevelName();
}

void TKestrelleControlGamePath::Evaluate() {
  board_.Evaluate(static_cast<int32_t>(DefinitionInt("first_out")));
  for (int32_t row = 0; row < board_.Rows(); ++row) {
    for (int32_t col = 0; col < board_.Cols(); ++col)
      if (WidgetRef piece = Piece(row, col))
        piece->SetProperty("state", Variant(board_.IsConnected(row, col) ? "correct" : "normal"));
  }
  if (!board_.IsComplete(static_cast<int32_t>(DefinitionInt("path_out")))) return;
  SetLamp(true);
  Finish();
}

bool TKestrelleControlGamePath::MouseUp(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrelleBoardMinigameControl::MouseUp(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  for (const WidgetRef& piece : ChildrenOf(PieceGroup())) {
    WidgetRef contour = piece->FindWidget("contour");
    if (!contour || !contour->ContainsPoint(contour->ScreenToOwner(ScreenPoint()), true)) continue;
    // The piece is named after its cell, "row_col".
    const std::string name = piece->GetName();
    const size_t split = name.find('_');
    int64_t row = -1, col = -1;
    if (split != std::string::npos) {
      VariantToInt(Variant(name.substr(0, split)), row);
      VariantToInt(Variant(name.substr(split + 1)), col);
    }
    piece->SetProperty("angle", Variant((PieceInt(piece, "angle") + 90) % 360));
    board_.SetPiece(static_cast<int32_t>(row), static_cast<int32_t>(col), PieceText(piece, "path_type"),
                    static_cast<int32_t>(PieceInt(piece, "angle")));
    PlayScreenSound("sound_minigame_click");
    Evaluate();
    break;
  }
  return handled;
}

void TKestrelleControlGamePath::OtherScenarioFinished(const std::string& name, const ParamsRef&) {
  if (name != "scenario_start_level") return;
  if (WidgetRef timer = FindWidget("fixed/timer")) timer->SetPaused(false);
}

void TKestrelleControlGamePath::EndPlay() {
  for (const WidgetRef& piece : ChildrenOf(PieceGroup()))
    if (PieceText(piece, "state") != "correct") piece->SetVisible(false);
  TKestrelleBoardMinigameControl::EndPlay();
}

}  // namespace kestrelle
