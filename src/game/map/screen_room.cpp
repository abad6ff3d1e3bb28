#include "game/map/screen_room.h"

#include "app/standard_screens/screen_helpers.h"
#include "controls/control_widget.h"
#include "game/content/action_defs.h"
#include "game/level/profile_access.h"

namespace kestrelle {

bool RoomItemOwned(const std::string& type, const std::string& name, const std::string& paramName,
                   const ProfileValues& profile) {
  if (type == "money") return profile.IsYes("item_exists_" + name);
  if (type == "logic") return profile.Text(paramName, "no") != "no";
  return false;
}

void TKestrelleGameScreenRoom::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  hover_.Reset();
  screens::ShowWidget(FindWidget("popup"), false);
  FillItems();
}

void TKestrelleGameScreenRoom::FillItems() {
  WidgetRef group = FindWidget("items");
  auto creator = std::dynamic_pointer_cast<IWidgetOwner>(group);
  if (!group || !creator || !group->GetWidgets()) return;
  group->GetWidgets()->Clear();
  GameScreenOwnerRef game = GetOwner();
  auto items = game ? game->GetSetting("room_item_defs").As<IRoomItemDefCollection>() : nullptr;
  if (!items) return;
  const ProfileValues profile = SnapshotProfile(CurrentProfileOf(game));
  for (int i = 0; i < items->GetCount(); ++i) {
    std::shared_ptr<TRoomItemDef> item = items->GetItem(i);
    if (!item) continue;
    const std::string name = item->GetName();
    const std::string z = DefinitionText(*item, "z");
    ParamsRef itemParams = CreateParams();
    itemParams->SetValue("name", Variant(name));
    itemParams->SetValue("anchor_left", Variant(DefinitionText(*item, "x")));
    itemParams->SetValue("anchor_top", Variant(DefinitionText(*item, "y")));
    itemParams->SetValue("width", Variant(DefinitionText(*item, "w")));
    itemParams->SetValue("height", Variant(DefinitionText(*item, "h")));
    itemParams->SetValue("resourcename", Variant(DefinitionText(*item, "res")));
    itemParams->SetValue("z", Variant(z.empty() ? std::string("1") : z));
    WidgetRef widget = CreateWidgetInto(*creator, group, "item", itemParams);
    if (!widget) continue;
    const bool owned = RoomItemOwned(DefinitionText(*item, "type"), name, DefinitionText(*item, "paramname"), profile);
    screens::ShowWidget(widget->FindWidget("off"), !owned);
  }
}

void TKestrelleGameScreenRoom::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  GameScreenOwnerRef game = GetOwner();
  if (game && code == screens::kEventClicked && screens::WidgetName(sender) == "button_close")
    game->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
}

void TKestrelleGameScreenRoom::Update(int32_t elapsedMs) {
  TGameScreen::Update(elapsedMs);
  if (!IsActive()) return;
  WidgetRef item = ChildUnderPointer(GetEngine(), FindWidget("items"));
  if (!hover_.Moved(item)) return;
  WidgetRef popup = FindWidget("popup");
  if (!popup) return;
  if (item) {
    WidgetRef off = item->FindWidget("off");
    const bool unavailable = off && off->GetVisible();
    popup->SetProperty("text",
                       Variant(unavailable ? std::string("%desc_not_available%") : "%desc_" + item->GetName() + "%"));
  }
  screens::ShowWidget(popup, item != nullptr);
}

}  // namespace kestrelle
