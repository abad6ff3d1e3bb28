#pragma once
// TClientManager: sends clients to the free stations of a level until the clients at stations
// plus those served reach the goal. The type, order and VIP draws are the pure rules'; this class
// only reads the level, makes the client widget from "shop_client", seats it and tells the level
// control (kNewClient).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/object.h"
#include "game/level/order_builder.h"
#include "game/level/shop_floor_interfaces.h"

namespace kestrelle {

// What a script fixes of a client instead of drawing it.
struct ClientScript {
  int orderLines = 0;  // ordinary lines of the order; 0: drawn
  std::optional<bool> vip;
  std::optional<int64_t> minigameProbability;  // in place of the level's "minigame_prob"
};

class TClientManager : public TPropertyObject, public virtual IClientManager {
 public:
  void Init(const ControlGameMainRef& owner, const std::shared_ptr<IKestrelleLevelDef>& levelDef,
            const std::shared_ptr<IPropertyObject>& levelRef) override;
  void Release() override;
  void Tick(int32_t elapsedMs) override;

  int64_t GetClientCount() const { return clientCount_; }
  const std::string& GetRecentItems() const { return orders_.RecentItems(); }

 protected:
  // Creates a client at the station; false when the factory gives no client.
  bool SeatClient(const ShopStationRef& station, const ClientScript& script = {});
  std::vector<ShopStationRef> Stations() const;
  Variant LevelValue(const std::string& name) const;
  bool IsInitialized() const { return owner_ && stations_; }

 private:
  void GenerateClients();

  ControlGameMainRef owner_;
  std::shared_ptr<IKestrelleLevelDef> levelDef_;
  std::shared_ptr<IPropertyObject> levelRef_;
  WidgetRef stations_;
  OrderBuilder orders_;
  int64_t clientCount_ = 0;
};

}  // namespace kestrelle
