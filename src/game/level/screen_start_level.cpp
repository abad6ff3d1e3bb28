#include "game/level/screen_start_level.h"

#include "app/standard_screens/screen_helpers.h"
#include "controls/control_widget.h"
#include "game/content/kestrelle_level_def.h"

namespace kestrelle {

namespace {

std::string ItemValue(const std::shared_ptr<TLevelItem>& item, const std::string& name) {
  const Variant value = item->GetProperty(name);
  return value.IsEmptyOrNull() ? std::string() : value.ToString();
}

int64_t ItemInteger(const std::shared_ptr<TLevelItem>& item, const std::string& name) {
  const Variant value = item->GetProperty(name);
  return value.IsEmptyOrNull() ? 0 : value.ToInt();
}

}  // namespace

void TKestrelleGameScreenStartLevel::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  level_ = screens::ParamValue(params, "level").ToInt();
  profileTools_ = screens::ParamValue(params, "profile_tools").ToString();
  ListNewItems();
  screens::ShowWidget(FindWidget("hint_group"), level_ == kToolHintLevel);
}

void TKestrelleGameScreenStartLevel::ListNewItems() {
  WidgetRef group = FindWidget("items");
  auto creator = std::dynamic_pointer_cast<IWidgetOwner>(group);
  if (!group || !creator || !group->GetWidgets()) return;
  group->GetWidgets()->Clear();
  GameScreenOwnerRef game = GetOwner();
  auto levels = game ? game->GetSetting("level_def_refs").As<ILevelDefRefCollection>() : nullptr;
  auto levelDef = levels ? std::dynamic_pointer_cast<IKestrelleLevelDef>(levels->LoadLevelDef(level_)) : nullptr;
  auto newItems = levelDef ? levelDef->GetNewItems() : nullptr;
  if (!newItems) return;
  const int64_t totalWidth = group->GetProperty("total_width").ToInt();
  for (int i = 0; i < newItems->GetCount(); ++i) {
    std::shared_ptr<TLevelItem> item = newItems->GetItem(i);
    if (!item) continue;
    ParamsRef itemParams = CreateParams();
    itemParams->SetValue("name", Variant(item->GetName()));
    itemParams->SetValue("text", Variant(ItemValue(item, "item_desc")));
    itemParams->SetValue("anchor_left", Variant(ItemValue(item, "x")));
    itemParams->SetValue("anchor_top", Variant(ItemValue(item, "y")));
    itemParams->SetValue("width", Variant(ItemValue(item, "w")));
    itemParams->SetValue("height", Variant(ItemValue(item, "h")));
    itemParams->SetValue("resourcename", Variant(ItemValue(item, "res")));
    WidgetRef widget = CreateWidgetInto(*creator, group, "item", itemParams);
    if (!widget) continue;
    // The description, "total_width" wide, is centred under the item.
    if (WidgetRef text = widget->FindWidget("text")) {
      const int64_t left = (ItemInteger(item, "w") - totalWidth) / 2;  // whole pixels, truncated
      text->SetAnchorLeft(static_cast<double>(left));
      text->SetAnchorTop(static_cast<double>(ItemInteger(item, "h")));
    }
  }
}

void TKestrelleGameScreenStartLevel::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  if (code != screens::kEventClicked || screens::WidgetName(sender) != "button_ok") return;
  if (GameScreenOwnerRef game = GetOwner())
    game->CloseScreen(SelfAs<IGameScreenSlave>(), screens::OneParam("selected_tools", Variant(profileTools_)));
}

}  // namespace kestrelle
