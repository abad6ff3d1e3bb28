#include "game/minigames/remove_items/remove_items_control.h"

#include <vector>

#include "game/content/action_defs.h"
#include "game/level/profile_access.h"
#include "game/minigames/minigame_codes.h"
#include "game/minigames/remove_items/room_drawing.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

void TKestrelleControlGameRemoveItems::SetOwner(const WidgetOwnerRef& owner) {
  TKestrellePatchMinigameControl::SetOwner(owner);
  removeItems_ = FindWidget("remove_items");
  roomItems_ = FindWidget("room_items");
}

void TKestrelleControlGameRemoveItems::ClearOwner() {
  removeItems_.reset();
  roomItems_.reset();
  TKestrellePatchMinigameControl::ClearOwner();
}

// The screen is asked to show the help.
void TKestrelleControlGameRemoveItems::ShowHelp() {
  ParamsRef help = CreateParams();
  help->SetValue("minigame_person", DefinitionValue("minigame_person"));
  help->SetValue("start_text", DefinitionValue("start_text"));
  Notify(minigame_codes::kShowHelp, help);
}

void TKestrelleControlGameRemoveItems::OtherScenarioFinished(const std::string& name, const ParamsRef&) {
  if (name == "scenario_remove_find_diff") PatchFound();
}

std::vector<WidgetRef> TKestrelleControlGameRemoveItems::Patches() { return ChildrenOf(removeItems_.lock()); }

void TKestrelleControlGameRemoveItems::SetUp() {
  EmptyGroup(removeItems_.lock());
  EmptyGroup(roomItems_.lock());
  if (WidgetRef hint = FrameWidget("button_hint")) hint->SetEnabled(true);
  if (DefinitionValue("create_items").ToString() == "yes") DrawRoom();

  if (WidgetRef original = FindWidget("original_image"))
    original->SetProperty("resourcename", DefinitionValue("resourcename"));
  CreatePatches([this](TMinigameDefDiff&) { return removeItems_.lock(); });

  ResetCount();
  if (WidgetRef counter = FrameWidget("panel/counter")) counter->SetProperty("text", Variant(std::to_string(total_)));
  StartWithLevelName();
}

// The player's room under the picture: the bought items and the trophies the profile holds.
void TKestrelleControlGameRemoveItems::DrawRoom() {
  GameScreenOwnerRef game = GameOwner();
  auto items = game ? game->GetSetting("room_item_defs").As<IRoomItemDefCollection>() : nullptr;
  if (!items) return;
  const ProfileValues profile = SnapshotProfile(CurrentProfileOf(game));
  for (int i = 0; i < items->GetCount(); ++i) {
    auto item = items->GetItem(i);
    if (!item) continue;
    const std::string name = item->GetName();
    if (!RoomItemIsDrawn(item->GetProperty("type").ToString(), name, item->GetProperty("paramname").ToString(),
                         profile))
      continue;
    const Variant z = item->GetProperty("z");
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(name));
    params->SetValue("anchor_left", item->GetProperty("x"));
    params->SetValue("anchor_top", item->GetProperty("y"));
    params->SetValue("width", item->GetProperty("w"));
    params->SetValue("height", item->GetProperty("h"));
    params->SetValue("resourcename", item->GetProperty("res"));
    params->SetValue("z", z.IsEmptyOrNull() || z.ToString().empty() ? Variant(1) : z);
    CreateChildWidget(roomItems_.lock(), "item", params);
  }
}

bool TKestrelleControlGameRemoveItems::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrellePatchMinigameControl::MouseDown(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  for (const WidgetRef& item : ChildrenOf(removeItems_.lock())) {
    if (item->GetDead() || !item->ContainsPoint(item->ScreenToOwner(ScreenPoint()), false)) continue;
    PlayScreenSound("sound_minigame_correct_click");
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant(item->GetName()));
    params->SetValue("diff_name", Variant("remove_items/" + item->GetName()));
    StartScenario("scenario_find_diff", params);
    return handled;
  }
  PlayScreenSound("sound_minigame_click");
  if (WidgetRef cross = FindWidget("cross")) {
    // The marker's own point sits on the miss.
    cross->SetAnchorLeft(point.x - 17);
    cross->SetAnchorTop(point.y - 15);
    cross->Restart();
  }
  return handled;
}

}  // namespace kestrelle
