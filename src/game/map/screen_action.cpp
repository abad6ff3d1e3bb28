#include "game/map/screen_action.h"

#include <optional>

#include "app/standard_screens/screen_helpers.h"
#include "controls/control_widget.h"
#include "game/level/profile_access.h"
#include "game/map/action_world.h"

namespace kestrelle {

namespace {

constexpr const char* kIconGroup = "action_items";
// The action whose result is the end of the game.
constexpr const char* kFinalAction = "careers_6";

void SetText(const WidgetRef& widget, const std::string& text) {
  if (widget) widget->SetProperty("text", Variant(text));
}

}  // namespace

void TKestrelleGameScreenAction::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  actionId_ = screens::ParamValue(params, "action_id").ToString();
  hover_.Reset();
  screens::ShowWidget(FindWidget("popup"), false);
  GameScreenOwnerRef game = GetOwner();
  std::shared_ptr<IActionDefCollection> actions = PublishedActionDefs(game);
  std::shared_ptr<TActionDef> action = actions ? actions->FindByActionId(actionId_) : nullptr;
  if (WidgetRef image = FindWidget("action_image"); image && action)
    image->SetProperty("resourcename", Variant(DefinitionText(*action, "resourcename")));
  SetText(FindWidget("action_text"), "%" + actionId_ + "%");
  CreateIcons(PublishedActionRules(game));
  Refresh();
}

void TKestrelleGameScreenAction::CreateIcons(const ActionRules& rules) {
  WidgetRef group = FindWidget(kIconGroup);
  auto creator = std::dynamic_pointer_cast<IWidgetOwner>(group);
  if (!group || !creator || !group->GetWidgets()) return;
  group->GetWidgets()->Clear();
  const ActionRule* action = rules.FindAction(actionId_);
  std::shared_ptr<IActionItemDefCollection> items = PublishedActionItemDefs(GetOwner());
  if (!action || !items) return;
  // Each number of icons has its own layout in the group's data.
  const std::string count = std::to_string(action->items.size());
  double left = group->GetProperty("startX" + count).ToDouble();
  const double shift = group->GetProperty("shift" + count).ToDouble();
  for (const std::string& itemId : action->items) {
    std::shared_ptr<TActionItemDef> item = items->FindByItemId(itemId);
    if (!item) continue;
    ParamsRef iconParams = CreateParams();
    iconParams->SetValue("name", Variant(itemId));
    iconParams->SetValue("item_id", Variant(itemId));
    WidgetRef icon = CreateWidgetInto(*creator, group, DefinitionText(*item, "factory_name"), iconParams);
    if (!icon) continue;
    icon->SetAnchorLeft(left);
    left += icon->GetWidth() + shift;
  }
}

void TKestrelleGameScreenAction::Refresh() {
  GameScreenOwnerRef game = GetOwner();
  const ActionRules rules = PublishedActionRules(game);
  const ProfileValues profile = SnapshotProfile(CurrentProfileOf(game));
  WidgetRef group = FindWidget(kIconGroup);
  WidgetCollectionRef icons = group ? group->GetWidgets() : nullptr;
  for (int i = 0; icons && i < icons->GetCount(); ++i) {
    WidgetRef icon = icons->GetByIndex(i);
    const ActionItemRule* item = icon ? rules.FindItem(icon->GetName()) : nullptr;
    if (item) icon->SetEnabled(!rules.IsItemOwned(*item, profile));
  }
  // Only the track's next action can be done, and only once.
  const ActionRule* action = rules.FindAction(actionId_);
  const bool canDo = action && rules.NextAction(action->track, profile) == action && rules.CanDo(*action, profile);
  if (WidgetRef execute = FindWidget("button_execute")) execute->SetEnabled(canDo);
  SetText(FindWidget("money"), std::to_string(profile.Integer("total_money")));
}

bool TKestrelleGameScreenAction::IsIcon(const WidgetRef& widget) {
  WidgetRef group = FindWidget(kIconGroup);
  return widget && group && std::dynamic_pointer_cast<IWidget>(widget->GetOwner()) == group;
}

void TKestrelleGameScreenAction::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  GameScreenOwnerRef game = GetOwner();
  if (!game || !sender || code != screens::kEventClicked) return;
  if (IsIcon(sender)) {
    Buy(sender->GetName());
  } else if (sender->GetName() == "button_execute") {
    Execute();
  } else if (sender->GetName() == "button_close") {
    game->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
  }
}

void TKestrelleGameScreenAction::Buy(const std::string& itemId) {
  GameScreenOwnerRef game = GetOwner();
  if (!BuyActionItem(game, PublishedActionRules(game), itemId)) return;
  Refresh();
  PlaySound("sound_buy_item");
  WidgetRef execute = FindWidget("button_execute");
  if (execute && execute->GetEnabled()) Execute();
}

void TKestrelleGameScreenAction::Execute() {
  GameScreenOwnerRef game = GetOwner();
  const ActionRules rules = PublishedActionRules(game);
  UserProfileRef profile = CurrentProfileOf(game);
  const ProfileValues values = SnapshotProfile(profile);
  const ActionRule* action = rules.FindAction(actionId_);
  if (!profile || !action || rules.NextAction(action->track, values) != action || !rules.CanDo(*action, values)) return;
  WriteProfile(profile, rules.Do(*action, values));
  Refresh();
  PlaySound("sound_execute_action");
  SaveProfiles(game);
  game->ShowScreen(actionId_ == kFinalAction ? "GS_GameFinal" : "GS_ActionResult",
                   screens::OneParam("action_id", Variant(actionId_)));
}

void TKestrelleGameScreenAction::SlaveClosed(const std::string& name, const ParamsRef& result) {
  TGameScreen::SlaveClosed(name, result);
  if (name == "GS_ItemDesc") {
    Refresh();
  } else if (name == "GS_ActionResult" || name == "GS_GameFinal") {
    if (GameScreenOwnerRef game = GetOwner()) game->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
  }
}

void TKestrelleGameScreenAction::Describe(const WidgetRef& icon) {
  WidgetRef popup = FindWidget("popup");
  if (!popup) return;
  screens::ShowWidget(popup, icon != nullptr);
  if (!icon) return;
  GameScreenOwnerRef game = GetOwner();
  const ActionRules rules = PublishedActionRules(game);
  const ProfileValues profile = SnapshotProfile(CurrentProfileOf(game));
  const std::string itemId = icon->GetName();
  const ActionItemRule* item = rules.FindItem(itemId);
  const bool logic = item && item->type == "logic";
  const bool money = item && !logic;
  SetText(popup, "%item_desc_" + itemId + "%");
  // Earned items: what their achievement still waits for.
  const std::optional<int64_t> missing = logic ? AchievementStillMissing(itemId, game, profile) : std::nullopt;
  screens::ShowWidget(popup->FindWidget("title_trophy"), logic);
  WidgetRef count = popup->FindWidget("count");
  SetText(count, missing ? std::to_string(*missing) : std::string());
  screens::ShowWidget(count, missing.has_value());
  // Bought items: the price and whether the money reaches.
  const bool affordable = money && profile.Integer("total_money") >= item->cost;
  WidgetRef cost = popup->FindWidget("cost");
  SetText(cost, money ? std::to_string(item->cost) : std::string());
  screens::ShowWidget(cost, money);
  screens::ShowWidget(popup->FindWidget("click_to_buy_text"), money && affordable);
  screens::ShowWidget(popup->FindWidget("not_enough_money_text"), money && !affordable);
}

void TKestrelleGameScreenAction::Update(int32_t elapsedMs) {
  TGameScreen::Update(elapsedMs);
  if (!IsActive()) return;
  WidgetRef icon = ChildUnderPointer(GetEngine(), FindWidget(kIconGroup));
  if (hover_.Moved(icon)) Describe(icon);
}

}  // namespace kestrelle
