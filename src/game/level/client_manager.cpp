#include "game/level/client_manager.h"

#include <vector>

#include "data/params.h"
#include "game/content/kestrelle_level_def.h"
#include "game/level/client_activation.h"
#include "game/level/client_arrival.h"
#include "game/level/level_codes.h"
#include "game/level/patience.h"

namespace kestrelle {

void TClientManager::Init(const ControlGameMainRef& owner, const std::shared_ptr<IKestrelleLevelDef>& levelDef,
                          const std::shared_ptr<IPropertyObject>& levelRef) {
  owner_ = owner;
  levelDef_ = levelDef;
  levelRef_ = levelRef;
  stations_ = owner_ ? owner_->FindWidget("shop_stations") : nullptr;
}

void TClientManager::Release() {
  owner_ = nullptr;
  levelDef_ = nullptr;
  levelRef_ = nullptr;
  stations_ = nullptr;
}

std::vector<ShopStationRef> TClientManager::Stations() const {
  std::vector<ShopStationRef> stations;
  WidgetCollectionRef list = stations_ ? stations_->GetWidgets() : nullptr;
  for (int i = 0; list && i < list->GetCount(); ++i)
    if (auto station = std::dynamic_pointer_cast<IShopStation>(list->GetByIndex(i))) stations.push_back(station);
  return stations;
}

Variant TClientManager::LevelValue(const std::string& name) const {
  return levelRef_ ? levelRef_->GetProperty(name) : Variant();
}

void TClientManager::Tick(int32_t /*elapsedMs*/) {
  if (!owner_ || !stations_) return;
  GenerateClients();
}

void TClientManager::GenerateClients() {
  for (const ShopStationRef& station : Stations()) {
    if (!IsStationFree(station->GetProperty("state").ToString(), station->GetProperty("currenttime").ToInt())) continue;
    int64_t atStations = 0;
    for (const ShopStationRef& other : Stations())
      if (other->GetClient()) ++atStations;
    if (IsClientGoalReached(atStations, owner_->GetProperty("customers_served").ToInt(),
                            owner_->GetProperty("customers_goal").ToInt()))
      return;
    SeatClient(station);
  }
}

bool TClientManager::SeatClient(const ShopStationRef& station, const ClientScript& script) {
  ClientTypeWeights weights;
  std::vector<OrderableItem> items;
  if (levelDef_) {
    if (auto probability = levelDef_->GetClientProbability()) {
      ParamsRef params = probability->GetParams();
      for (int i = 0; params && i < params->GetCount(); ++i)
        if (ParamRef param = params->GetParam(Variant(i)))
          weights.emplace_back(param->GetName(), param->GetValue().ToInt());
    }
    if (auto shopItems = levelDef_->GetShopItems()) {
      for (int i = 0; i < shopItems->GetCount(); ++i)
        if (auto item = shopItems->GetItem(i))
          items.push_back({item->GetProperty("item_id").ToString(), item->GetProperty("item_desc").ToString(),
                           item->GetProperty("minigame").ToString()});
    }
  }
  const std::string type = ChooseClientType(weights);
  const MinigameLineRule minigameLine{script.minigameProbability.value_or(LevelValue("minigame_prob").ToInt()),
                                      LevelValue("minigames").ToString()};
  const std::string ordered = owner_->GetOrderedItems();
  const std::string order =
      OrderText(script.orderLines > 0 ? orders_.BuildOrderOfLines(script.orderLines, items, ordered, minigameLine)
                                      : orders_.BuildOrder(items, ordered, minigameLine));

  ++clientCount_;
  ParamsRef params = CreateParams();
  params->SetValue("name", std::to_string(clientCount_));
  params->SetValue("client_type", type);
  params->SetValue("client_order", order);
  for (int i = 0; i <= kMaxHearts; ++i)
    params->SetValue("heart_" + std::to_string(i), LevelValue("money_" + std::to_string(i)).ToString());
  const bool vip = script.vip.has_value() ? *script.vip : DrawVip(LevelValue("generation_probability").ToInt());
  params->SetValue("vip", vip ? "yes" : "no");

  auto maker = std::dynamic_pointer_cast<IWidgetOwner>(owner_);
  auto client = maker ? std::dynamic_pointer_cast<IShopClient>(maker->CreateWidget("shop_client", params)) : nullptr;
  if (!client) return false;
  client->SetOwner(std::dynamic_pointer_cast<IWidgetOwner>(station));
  client->InitOrder(LevelNumberFromName(levelRef_ ? levelRef_->GetName() : std::string()), 0);
  std::vector<StationClientState> floor;
  for (const ShopStationRef& other : Stations()) {
    ShopClientRef waiting = other->GetClient();
    floor.push_back({waiting != nullptr, waiting ? waiting->GetProperty("state").ToString() : std::string()});
  }
  if (!AnyClientActive(floor)) client->Activate();
  station->SetClient(client);
  // The rate first: setting the hearts derives the patience from it.
  client->SetProperty("patience_rate", LevelValue("patience_rate"));
  client->SetProperty("client_hearts", Variant(kMaxHearts));

  params->SetValue("name", client->GetName());
  params->SetValue("client_path", "../shop_stations/" + station->GetName() + "/" + client->GetName());
  owner_->HandleEvent(level_codes::kNewClient, params);
  return true;
}

}  // namespace kestrelle
