#include "game/map/screen_item_desc.h"

#include "app/standard_screens/screen_helpers.h"
#include "game/level/profile_access.h"
#include "game/map/action_world.h"

namespace kestrelle {

void TKestrelleGameScreenItemDesc::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  itemId_ = screens::ParamValue(params, "item_id").ToString();
  if (WidgetRef desc = FindWidget("desc")) desc->SetProperty("text", Variant("%item_desc_" + itemId_ + "%"));
  Refresh();
}

void TKestrelleGameScreenItemDesc::Refresh() {
  GameScreenOwnerRef game = GetOwner();
  const ActionRules rules = PublishedActionRules(game);
  const ProfileValues profile = SnapshotProfile(CurrentProfileOf(game));
  const ActionItemRule* item = rules.FindItem(itemId_);
  const bool money = item && item->type != "logic";
  const bool affordable = money && profile.Integer("total_money") >= item->cost;
  WidgetRef buy = FindWidget("button_buy");
  screens::ShowWidget(buy, money);
  if (buy) buy->SetEnabled(affordable && !rules.IsItemOwned(*item, profile));
  screens::ShowWidget(FindWidget("warning"), money && !affordable);
}

void TKestrelleGameScreenItemDesc::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  GameScreenOwnerRef game = GetOwner();
  if (!game || !sender || code != screens::kEventClicked) return;
  if (sender->GetName() == "button_buy") {
    if (!BuyActionItem(game, PublishedActionRules(game), itemId_)) return;
    PlaySound("sound_buy_item");
    Refresh();
  } else if (sender->GetName() == "button_close") {
    game->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
  }
}

}  // namespace kestrelle
