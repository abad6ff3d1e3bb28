#pragma once
// What the shop floor's widgets and the client manager ask of one another: a station holds one
// client or one bonus, a client carries its order and patience, the level control answers for
// the whole floor, and the client manager sends clients to free stations.

#include <cstdint>
#include <memory>
#include <string>

#include "app/widget_interfaces.h"
#include "data/params.h"

namespace kestrelle {

class IKestrelleLevelDef;
class IShopStation;

class IShopClient : public virtual IWidget {
 public:
  // The item ids of the order lines, each followed by ";"; with the flag, only unsolved lines.
  virtual std::string GetOrderItemIds(bool onlyUnsolved) = 0;
  virtual WidgetRef FindOrderItem(const std::string& itemId) = 0;
  virtual void SolveItem(const std::string& itemId) = 0;
  // Builds the order lines and the client's figure; the mode has no effect.
  virtual void InitOrder(int64_t levelNumber, int32_t mode) = 0;
  virtual void Activate() = 0;
  virtual void Deactivate() = 0;
  // The station calls this while the level plays (the widget clock is Update).
  virtual void UpdatePatience(int32_t elapsedMs) = 0;
};
using ShopClientRef = std::shared_ptr<IShopClient>;

class IShopStation : public virtual IWidget {
 public:
  virtual ShopClientRef GetClient() = 0;
  virtual ShopClientRef RemoveClient() = 0;
  virtual void SetClient(const ShopClientRef& client) = 0;
  virtual WidgetRef RemoveBonus() = 0;
  virtual void SetBonus(const WidgetRef& bonus, double seconds) = 0;
  // A point in the owner's space on the station's "contour".
  virtual bool HitTest(const TPoint& point) = 0;
};
using ShopStationRef = std::shared_ptr<IShopStation>;

// The level control as the floor, the level screen and the tool panel see it. Commands (start,
// restart, scenario finished, use tool, new client, minigame finished) arrive through
// HandleEvent with the codes of level_codes.h.
class IControlGameMain : public virtual IWidget {
 public:
  // The item ids of every order line of every client at a station, each followed by ";".
  virtual std::string GetOrderedItems() = 0;
  // The level's results as a new collection; a second call books nothing twice in the profile.
  virtual ParamsRef ComputeResults() = 0;
  // A client ran out of patience at this station.
  virtual void ClientLeft(const ShopStationRef& station) = 0;
};
using ControlGameMainRef = std::shared_ptr<IControlGameMain>;

// The tool panel of the level screen ("control_tools"): one slot widget per tool type with the
// properties "type" and "quantity". Commands 13 (set up the slots), 16 (one more use of "type")
// and 19 (store the uses in the profile) arrive through HandleEvent.
class IControlTools : public virtual IWidget {
 public:
  // The types of the slots that are not "Locked", each followed by ";" (the "tools_list").
  virtual std::string GetToolsList() = 0;
  // The first slot whose "type" is `type`; none when no slot has it.
  virtual WidgetRef GetTool(const std::string& type) = 0;
};
using ControlToolsRef = std::shared_ptr<IControlTools>;

class IClientManager : public virtual IInterface {
 public:
  virtual void Init(const ControlGameMainRef& owner, const std::shared_ptr<IKestrelleLevelDef>& levelDef,
                    const std::shared_ptr<IPropertyObject>& levelRef) = 0;
  virtual void Release() = 0;
  virtual void Tick(int32_t elapsedMs) = 0;
};
using ClientManagerRef = std::shared_ptr<IClientManager>;

}  // namespace kestrelle
