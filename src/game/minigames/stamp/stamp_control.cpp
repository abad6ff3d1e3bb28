#include "game/minigames/stamp/stamp_control.h"

#include <algorithm>
#include <map>
#include <ranges>
#include <vector>

#include "app/standard_screens/screen_helpers.h"
#include "data/text_lists.h"
#include "data/variant_values.h"
#include "game/minigames/stamp/stamp_rules.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

void TKestrelleControlGameStamp::Initialize() {
  TKestrelleBoardMinigameControl::Initialize();
  grabX_ = grabY_ = 0;
  topZ_ = 0;
  carried_.reset();
}

void TKestrelleControlGameStamp::ClearOwner() {
  carried_.reset();
  TKestrelleBoardMinigameControl::ClearOwner();
}

void TKestrelleControlGameStamp::SetUp() {
  carried_.reset();
  WidgetRef elements = PieceGroup();
  EmptyGroup(elements);
  if (elements) elements->SetVisible(false);
  auto definitions = definition_ ? definition_->GetElements() : nullptr;
  const int count = definitions ? definitions->GetCount() : 0;
  for (int i = 0; i < count; ++i) {
    auto element = definitions->GetItem(i);
    if (!element) continue;
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(element->GetName()));
    params->SetValue("resourcename", element->GetProperty("resourcename"));
    params->SetValue("anchor_left", element->GetProperty("x"));
    params->SetValue("anchor_top", element->GetProperty("y"));
    for (const char* name : {"width", "height", "drag_width", "drag_height", "neigbours"})
      params->SetValue(name, element->GetProperty(name));
    params->SetValue("links", Variant(element->GetName() + ","));
    params->SetValue("z", Variant(i + 2));
    CreateChildWidget(elements, "stamp_element", params);
  }
  topZ_ = count + 2;
  StartWithSkipHeld();
}

WidgetRef TKestrelleControlGameStamp::PieceNamed(const std::string& name) {
  WidgetRef elements = PieceGroup();
  WidgetCollectionRef pieces = elements ? elements->GetWidgets() : nullptr;
  return pieces && !name.empty() ? pieces->GetByName(name) : nullptr;
}

void TKestrelleControlGameStamp::SetGroupZ(const WidgetRef& piece, int32_t z) {
  piece->SetZ(z);
  for (const std::string& name : LinkNames(PieceText(piece, "links")))
    if (WidgetRef member = PieceNamed(name)) member->SetZ(z);
}

bool TKestrelleControlGameStamp::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrelleBoardMinigameControl::MouseDown(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  if (GetCarried()) {
    PutDown();
    return handled;
  }
  // The mouse message's own point is compared with the pieces (the board lies at the origin).
  const TPoint at = ScreenPoint();
  const std::vector<WidgetRef> pieces = ChildrenOf(PieceGroup());
  for (const WidgetRef& piece : std::views::reverse(pieces)) {
    if (PieceText(piece, "state") != "normal" || !piece->ContainsPoint(at, false)) continue;
    grabX_ = piece->GetAnchorLeft() - at.x;
    grabY_ = piece->GetAnchorTop() - at.y;
    carried_ = piece;
    SetGroupZ(piece, topZ_);
    PlayScreenSound("sound_minigame_click");
    break;
  }
  return handled;
}

bool TKestrelleControlGameStamp::MouseMove(const TPoint& point, uint32_t keys) {
  const bool handled = TKestrelleBoardMinigameControl::MouseMove(point, keys);
  WidgetRef carried = GetCarried();
  if (!carried) return handled;
  const TPoint at = ScreenPoint();
  const double dx = at.x + grabX_ - carried->GetAnchorLeft();
  const double dy = at.y + grabY_ - carried->GetAnchorTop();
  std::vector<std::string> group = LinkNames(PieceText(carried, "links"));
  if (std::ranges::find(group, carried->GetName()) == group.end()) group.push_back(carried->GetName());
  for (const std::string& name : group) {
    if (WidgetRef piece = PieceNamed(name)) {
      piece->SetAnchorLeft(piece->GetAnchorLeft() + dx);
      piece->SetAnchorTop(piece->GetAnchorTop() + dy);
    }
  }
  return handled;
}

void TKestrelleControlGameStamp::PutDown() {
  WidgetRef carried = GetCarried();
  for (const std::string& name : SplitTopLevel(PieceText(carried, "links"), ','))
    if (WidgetRef piece = PieceNamed(name)) JoinTest(piece);
  carried->SetProperty("state", Variant("normal"));
  SetGroupZ(carried, static_cast<int32_t>(ChildrenOf(PieceGroup()).size()));
  carried_.reset();
  PlayScreenSound("sound_minigame_click");
}

void TKestrelleControlGameStamp::JoinTest(const WidgetRef& piece) {
  auto definitions = definition_ ? definition_->GetElements() : nullptr;
  auto own = definitions ? definitions->GetItemByName(piece->GetName()) : nullptr;
  if (!own) return;
  auto stamp = [](const WidgetRef& widget, TMinigameDefElement& definition) {
    double x = 0, y = 0;
    VariantToReal(definition.GetProperty("stamp_x"), x);
    VariantToReal(definition.GetProperty("stamp_y"), y);
    return StampPiece{widget->GetName(), widget->GetAnchorLeft(), widget->GetAnchorTop(), x, y};
  };
  for (const std::string& name : SplitTopLevel(PieceText(piece, "neigbours"), ',')) {
    const std::vector<std::string> group = LinkNames(PieceText(piece, "links"));
    if (name.empty() || std::ranges::find(group, name) != group.end()) continue;
    WidgetRef neighbour = PieceNamed(name);
    auto other = definitions->GetItemByName(name);
    if (!neighbour || !other || PieceText(neighbour, "state") == "moving") continue;
    const auto target = StampJoinTarget(stamp(piece, *own), stamp(neighbour, *other));
    if (!target) continue;
    ParamsRef params = CreateParams();
    params->SetValue("move1", Variant(piece->GetName()));
    params->SetValue("move2", Variant(name));
    StartMove("scenario_moving", "elements", name, target->first, target->second, params);
    piece->SetProperty("state", Variant("normal"));
    neighbour->SetProperty("state", Variant("moving"));
  }
}

void TKestrelleControlGameStamp::OtherScenarioFinished(const std::string& name, const ParamsRef& params) {
  if (name == "scenario_show_image") {
    screens::ShowWidget(FrameWidget("button_close"), true);
    return;
  }
  if (name != "scenario_element_move") return;
  const std::string first = screens::ParamValue(params, "move1").ToString();
  const std::string second = screens::ParamValue(params, "move2").ToString();
  const std::vector<WidgetRef> pieces = ChildrenOf(PieceGroup());
  std::map<std::string, std::string> links;
  for (const WidgetRef& piece : pieces) links[piece->GetName()] = PieceText(piece, "links");
  if (!links.contains(first) || !links.contains(second)) return;
  MergeStampLinks(links, first, second);
  std::map<std::string, std::string> present;
  for (const WidgetRef& piece : pieces) {
    piece->SetProperty("links", Variant(links[piece->GetName()]));
    present[piece->GetName()] = links[piece->GetName()];
  }
  if (IsStampSolved(present) && state_ == kStatePlaying) Finish();
}

void TKestrelleControlGameStamp::EndPlay() { StartScenario("scenario_stamp_show_image"); }

}  // namespace kestrelle
