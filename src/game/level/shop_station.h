#pragma once
// "KestrelleShopStation": one service place of the shop. It holds at most one client or one
// bonus ("state" "busy" or "bonus", else "empty"), lets the client's patience run and the bonus
// age while the level plays, and closes for a while after either goes. Its layout's own children
// (the clickable "contour" among them) stay when a client or bonus is removed.

#include <cstdint>
#include <string>

#include "game/level/shop_floor_interfaces.h"
#include "widgets/group_widget.h"

namespace kestrelle {

inline constexpr const char* kStationEmpty = "empty";
inline constexpr const char* kStationBusy = "busy";
inline constexpr const char* kStationBonus = "bonus";
// The level control's "state" while the level plays.
inline constexpr int64_t kLevelStatePlaying = 2;

class TShopStation : public TVisualGroupWidget, public virtual IShopStation {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void DoUpdate(int32_t elapsedMs) override;

  ShopClientRef GetClient() override { return client_; }
  ShopClientRef RemoveClient() override;
  void SetClient(const ShopClientRef& client) override;
  WidgetRef RemoveBonus() override;
  void SetBonus(const WidgetRef& bonus, double seconds) override;
  bool HitTest(const TPoint& point) override;

  WidgetRef GetBonus() const { return bonus_; }
  double GetBonusTime() const { return bonusTime_; }
  const std::string& GetState() const { return state_; }

 private:
  void Hold(const WidgetRef& widget);
  void Release(const WidgetRef& widget);
  bool LevelPlaying();

  std::string state_;
  std::string stationId_;
  ShopClientRef client_;
  WidgetRef bonus_;
  double bonusTime_ = 0;
  std::weak_ptr<IControlGameMain> level_;
};

}  // namespace kestrelle
