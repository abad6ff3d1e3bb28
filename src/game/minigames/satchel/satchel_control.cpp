#include "game/minigames/satchel/satchel_control.h"

#include "game/minigames/element_move_scenario.h"
#include "game/minigames/minigame_codes.h"
#include "game/minigames/variant_numbers.h"

namespace kestrelle {

namespace {

void SetState(IWidget& piece, const char* state) { piece.SetProperty("state", Variant(std::string(state))); }

}  // namespace

void TKestrelleControlGameSatchel::Initialize() {
  TKestrelleMinigameControl::Initialize();
  replay_ = "no";
  topZ_ = 0;
  grid_ = SatchelGrid(0, 0, 0, 0, 0, 0);
  carrier_ = PieceCarrier();
}

void TKestrelleControlGameSatchel::ClearOwner() {
  carrier_.Release();
  TKestrelleMinigameControl::ClearOwner();
}

void TKestrelleControlGameSatchel::ReadStartParameters(const ParamsRef& params) {
  replay_ = params ? params->GetValue("replay", Variant(std::string("no"))).ToString() : std::string("no");
}

void TKestrelleControlGameSatchel::OtherCommand(int32_t code, const ParamsRef&) {
  if (code == minigame_codes::kReset) ResetPieces();
}

void TKestrelleControlGameSatchel::PlayBegins() {
  if (WidgetRef timer = FindWidget("timer")) timer->SetPaused(false);
}

void TKestrelleControlGameSatchel::SetUp() {
  carrier_.Release();
  WidgetRef pieces = PieceGroup();
  EmptyGroup(pieces);
  const auto rows = static_cast<int32_t>(DefinitionInt("rows"));
  const auto cols = static_cast<int32_t>(DefinitionInt("cols"));
  const auto cellWidth = static_cast<int32_t>(DefinitionInt("width"));
  const auto cellHeight = static_cast<int32_t>(DefinitionInt("height"));

  auto satchels = definition_ ? definition_->GetSatchels() : nullptr;
  const int count = satchels ? satchels->GetCount() : 0;
  for (int i = 0; i < count; ++i) {
    auto satchel = satchels->GetItem(i);
    if (!satchel) continue;
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(satchel->GetName()));
    params->SetValue("anchor_left", satchel->GetProperty("x"));
    params->SetValue("anchor_top", satchel->GetProperty("y"));
    for (const char* name :
         {"resourcename", "structure", "width", "height", "drag_width", "drag_height", "place_width", "place_height"})
      params->SetValue(name, satchel->GetProperty(name));
    params->SetValue("z", Variant(i + 2));
    CreateChildWidget(pieces, "satchel_element", params);
  }
  topZ_ = count + 2;
  grid_ = SatchelGrid(rows, cols, cellWidth, cellHeight, static_cast<int32_t>(DefinitionInt("init_x")),
                      static_cast<int32_t>(DefinitionInt("init_y")));

  if (WidgetRef timer = FindWidget("timer")) {
    timer->SetProperty("currenttime", Variant(0));
    timer->SetPaused(true);
    timer->SetVisible(false);
  }
  StartWithLevelName();
}

bool TKestrelleControlGameSatchel::IsGliding(IWidget& piece) {
  if (!SatchelPieceCanBePickedUp(PieceState(piece))) return true;
  return TScenarioElementMove::Moves(GetScenarioGroup(), piece);
}

void TKestrelleControlGameSatchel::MarkCells(IWidget& piece, bool occupied) {
  const int64_t row = IntOf(piece.GetProperty("row"), -1);
  const int64_t col = IntOf(piece.GetProperty("col"), -1);
  if (row < 0 || col < 0) return;
  const std::vector<SatchelCell> shape = SatchelShape(piece.GetProperty("structure").ToString());
  const SatchelCell at{static_cast<int32_t>(row), static_cast<int32_t>(col)};
  if (occupied)
    grid_.Occupy(shape, at);
  else
    grid_.Free(shape, at);
}

bool TKestrelleControlGameSatchel::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrelleMinigameControl::MouseDown(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  if (WidgetRef carried = carrier_.Carried()) {
    Drop(carried);
    return handled;
  }
  // A gliding piece is left alone: taken now, it would land in the grid twice.
  if (WidgetRef piece = PieceCarrier::PieceAt(PieceGroup(), ScreenPoint(),
                                              [this](IWidget& candidate) { return !IsGliding(candidate); }))
    PickUp(piece);
  return handled;
}

bool TKestrelleControlGameSatchel::MouseMove(const TPoint& point, uint32_t keys) {
  const bool handled = TKestrelleMinigameControl::MouseMove(point, keys);
  carrier_.Follow(ScreenPoint());
  return handled;
}

void TKestrelleControlGameSatchel::PickUp(const WidgetRef& piece) {
  if (PieceState(*piece) == "placed") MarkCells(*piece, false);
  carrier_.PickUp(piece, ScreenPoint(), topZ_);
  PlayScreenSound("sound_minigame_click");
}

void TKestrelleControlGameSatchel::Drop(const WidgetRef& piece) {
  const std::vector<SatchelCell> shape = SatchelShape(piece->GetProperty("structure").ToString());
  const std::optional<SatchelCell> target = grid_.TargetCell(shape, piece->GetAnchorLeft(), piece->GetAnchorTop());
  WidgetRef glide;
  if (target) {
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(piece->GetName()));
    params->SetValue("element_name", Variant("../elements/" + piece->GetName()));
    params->SetValue("final_x", Variant(grid_.CellX(target->col)));
    params->SetValue("final_y", Variant(grid_.CellY(target->row)));
    glide = StartScenario("scenario_moving", params);
  }
  carrier_.Release();
  if (glide) {
    SetState(*piece, "moving");
    piece->SetExtraParam("row", Variant(target->row));
    piece->SetExtraParam("col", Variant(target->col));
    MarkCells(*piece, true);
    SetState(*piece, "placed");
    piece->SetZ(1);
  } else {
    SetState(*piece, "normal");
    // It lies on top of the free pieces: those after it step down.
    const std::vector<WidgetRef> pieces = ChildrenOf(PieceGroup());
    bool after = false;
    for (const WidgetRef& other : pieces) {
      if (after) other->SetZ(other->GetZ() - 1);
      after = after || other == piece;
    }
    piece->SetZ(static_cast<int32_t>(pieces.size()));
  }
  PlayScreenSound("sound_minigame_click");
  if (glide && grid_.IsFull()) Finish();
}

void TKestrelleControlGameSatchel::ResetPieces() {
  if (state_ != kStatePlaying) return;
  carrier_.Release();
  auto satchels = definition_ ? definition_->GetSatchels() : nullptr;
  for (const WidgetRef& piece : ChildrenOf(PieceGroup())) {
    auto satchel = satchels ? satchels->GetItemByName(piece->GetName()) : nullptr;
    const double homeX = satchel ? RealOf(satchel->GetProperty("x")) : piece->GetAnchorLeft();
    const double homeY = satchel ? RealOf(satchel->GetProperty("y")) : piece->GetAnchorTop();
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(piece->GetName()));
    params->SetValue("element_name", Variant("../elements/" + piece->GetName()));
    params->SetValue("final_x", Variant(homeX));
    params->SetValue("final_y", Variant(homeY));
    // A glide still on its way into the satchel stops: the piece goes home alone.
    TScenarioElementMove::StopMoves(GetScenarioGroup(), *piece);
    const bool started = StartScenario("scenario_reset_element", params) != nullptr;
    if (PieceState(*piece) == "placed") MarkCells(*piece, false);
    piece->SetExtraParam("row", Variant(-1));
    piece->SetExtraParam("col", Variant(-1));
    if (started) {
      SetState(*piece, "moving");
    } else {
      // Nothing to move it: it is back at once.
      piece->SetAnchorLeft(homeX);
      piece->SetAnchorTop(homeY);
      SetState(*piece, "normal");
    }
  }
}

void TKestrelleControlGameSatchel::EndPlay() {
  carrier_.Release();
  TKestrelleMinigameControl::EndPlay();
}

}  // namespace kestrelle
