#pragma once
// TClientManager: sends clients to the free stations of a level until the clients at stations
// plus those served reach the goal. The type, order and VIP draws are the pure rules'; this class
// only reads the level, makes the client widget from "shop_client", seats it and tells the level
// control (kNewClient).

#include <cstdint>
#include <memory>
#include <string>

#include "data/object.h"
#include "game/level/order_builder.h"
#include "game/level/shop_floor_interfaces.h"

namespace kestrelle {

class TClientManager : public TPropertyObject, public virtual IClientManager {
 public:
  void Init(const ControlGameMainRef& owner, const std::shared_ptr<IKestrelleLevelDef>& levelDef,
            const std::shared_ptr<IPropertyObject>& levelRef) override;
  void Release() override;
  void Tick(int32_t elapsedMs) override;

  int64_t GetClientCount() const { return clientCount_; }
  const std::string& GetRecentItems() const { return orders_.RecentItems(); }

 private:
  void GenerateClients();
  bool SeatClient(const ShopStationRef& station);
  Variant LevelValue(const std::string& name) const;

  ControlGameMainRef owner_;
  std::shared_ptr<IKestrelleLevelDef> levelDef_;
  std::shared_ptr<IPropertyObject> levelRef_;
  WidgetRef stations_;
  OrderBuilder orders_;
  int64_t clientCount_ = 0;
};

}  // namespace kestrelle
