#include "game/map/last_shop_level_screen.h"

#include "app/standard_screens/screen_helpers.h"
#include "game/content/shop_defs.h"
#include "game/map/widget_lookup.h"

namespace kestrelle {

namespace {

std::string Text(const Variant& value) { return value.IsEmptyOrNull() ? std::string() : value.ToString(); }

}  // namespace

void TKestrelleGameScreenLastShopLevel::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  GameScreenOwnerRef owner = GetOwner();
  auto shops = owner ? owner->GetSetting("shop_defs").As<IShopDefCollection>() : nullptr;
  auto shop = shops ? shops->FindByName(Text(screens::ParamValue(params, "finished_shop"))) : nullptr;
  if (!shop) return;
  if (WidgetRef person = FindWidget("person")) {
    ClearGroup(person);
    CreateInto(GetWindowWidget(), person, "person_" + Text(shop->GetProperty("owner")), nullptr);
  }
  if (WidgetRef text = FindWidget("text_GameHelp")) text->SetProperty("text", shop->GetProperty("text"));
  if (WidgetRef certificate = FindWidget("certificate"))
    certificate->SetProperty("resourcename", shop->GetProperty("certificate"));
}

void TKestrelleGameScreenLastShopLevel::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  const std::string name = screens::WidgetName(sender);
  GameScreenOwnerRef owner = GetOwner();
  if (owner && code == screens::kEventClicked && (name == "button_ok" || name == "button_close"))
    owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
}

}  // namespace kestrelle
