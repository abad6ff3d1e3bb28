#include "game/minigames/puzzle/puzzle_control.h"

#include <algorithm>

#include "app/standard_screens/screen_helpers.h"
#include "game/minigames/minigame_codes.h"
#include "game/minigames/puzzle/puzzle_rules.h"
#include "game/minigames/variant_numbers.h"

namespace kestrelle {

void TKestrelleControlGamePuzzle::Initialize() {
  TKestrelleMinigameControl::Initialize();
  replay_ = "no";
  topZ_ = 0;
  glides_ = 0;
  carrier_ = PieceCarrier();
}

void TKestrelleControlGamePuzzle::ClearOwner() {
  carrier_.Release();
  TKestrelleMinigameControl::ClearOwner();
}

void TKestrelleControlGamePuzzle::Command(int32_t code, const ParamsRef& params) {
  // Started without show parameters, the puzzle waits for a start that has them.
  if (code == minigame_codes::kStart && !params) return;
  TKestrelleMinigameControl::Command(code, params);
}

void TKestrelleControlGamePuzzle::ReadStartParameters(const ParamsRef& params) {
  replay_ = params->GetValue("Replay", Variant(std::string("no"))).ToString();
}

void TKestrelleControlGamePuzzle::OtherScenarioFinished(const std::string& name, const ParamsRef&) {
  if (name == "scenario_element_move") {
    glides_ = std::max(glides_ - 1, 0);
    FinishWhenAllPlaced();
  } else if (name == "scenario_show_image") {
    screens::ShowWidget(FrameWidget("button_close"), true);
  }
}

void TKestrelleControlGamePuzzle::SetUp() {
  carrier_.Release();
  glides_ = 0;
  WidgetRef pieces = PieceGroup();
  EmptyGroup(pieces);
  screens::ShowWidget(pieces, false);
  auto elements = definition_ ? definition_->GetElements() : nullptr;
  const int count = elements ? elements->GetCount() : 0;
  for (int i = 0; i < count; ++i) {
    auto element = elements->GetItem(i);
    if (!element) continue;
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(element->GetName()));
    params->SetValue("anchor_left", element->GetProperty("x"));
    params->SetValue("anchor_top", element->GetProperty("y"));
    for (const char* name : {"resourcename", "width", "height", "drag_width", "drag_height"})
      params->SetValue(name, element->GetProperty(name));
    params->SetValue("z", Variant(i + 2));
    CreateChildWidget(pieces, "puzzle_element", params);
  }
  topZ_ = count + 2;
  StartWithSkipHeld();
}

bool TKestrelleControlGamePuzzle::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrelleMinigameControl::MouseDown(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  if (WidgetRef carried = carrier_.Carried()) {
    Drop(carried);
    return handled;
  }
  // Placed, gliding and carried pieces stay where they are.
  WidgetRef piece = PieceCarrier::PieceAt(PieceGroup(), ScreenPoint(),
                                          [](IWidget& candidate) { return PieceState(candidate) == "normal"; });
  if (!piece) return handled;
  carrier_.PickUp(piece, ScreenPoint(), topZ_);
  PlayScreenSound("sound_minigame_click");
  return handled;
}

bool TKestrelleControlGamePuzzle::MouseMove(const TPoint& point, uint32_t keys) {
  const bool handled = TKestrelleMinigameControl::MouseMove(point, keys);
  carrier_.Follow(ScreenPoint());
  return handled;
}

void TKestrelleControlGamePuzzle::Drop(const WidgetRef& piece) {
  auto elements = definition_ ? definition_->GetElements() : nullptr;
  auto element = elements ? elements->GetItemByName(piece->GetName()) : nullptr;
  const double placeX = element ? RealOf(element->GetProperty("puzzle_x")) : 0;
  const double placeY = element ? RealOf(element->GetProperty("puzzle_y")) : 0;
  if (element && PuzzlePieceSnaps(piece->GetAnchorLeft(), piece->GetAnchorTop(), placeX, placeY)) {
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(piece->GetName()));
    params->SetValue("element_name", Variant("../elements/" + piece->GetName()));
    params->SetValue("final_x", Variant(placeX));
    params->SetValue("final_y", Variant(placeY));
    if (StartScenario("scenario_moving", params)) ++glides_;
    piece->SetProperty("state", Variant(std::string("moving")));
    piece->SetProperty("state", Variant(std::string("placed")));
    piece->SetZ(1);
  } else {
    piece->SetProperty("state", Variant(std::string("normal")));
    WidgetRef pieces = PieceGroup();
    WidgetCollectionRef children = pieces ? pieces->GetWidgets() : nullptr;
    piece->SetZ(children ? children->GetCount() : 0);
  }
  carrier_.Release();
  PlayScreenSound("sound_minigame_click");
  // Without a glide to wait for, the last piece ends the game at once.
  if (glides_ == 0) FinishWhenAllPlaced();
}

void TKestrelleControlGamePuzzle::FinishWhenAllPlaced() {
  if (glides_ > 0 || state_ != kStatePlaying) return;
  const std::vector<WidgetRef> pieces = ChildrenOf(PieceGroup());
  if (pieces.empty()) return;
  if (std::ranges::all_of(pieces, [](const WidgetRef& piece) { return PieceState(*piece) == "placed"; })) Finish();
}

void TKestrelleControlGamePuzzle::EndPlay() {
  carrier_.Release();
  StartScenario("scenario_show_image");
}

}  // namespace kestrelle
