#pragma once
// "KestrelleShopClient": a client at a station. It shows its order (or the order icon while it
// waits its turn), its mood and hearts, what it would pay now, and the ice frame while frozen;
// the patience arithmetic is PatienceModel's. The hearts, patience, rate and ice are the model's
// live values, answered and taken by SetProperty and GetProperty; the table holds what a layout
// gives ("state", "client_order").

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/level/patience.h"
#include "game/level/shop_floor_interfaces.h"
#include "widgets/group_widget.h"

namespace kestrelle {

inline constexpr const char* kClientIdle = "idle";
inline constexpr const char* kClientActive = "active";
inline constexpr const char* kClientMoney = "money";

class TShopClient : public TVisualGroupWidget, public virtual IShopClient {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;

  std::string GetOrderItemIds(bool onlyUnsolved) override;
  WidgetRef FindOrderItem(const std::string& itemId) override;
  void SolveItem(const std::string& itemId) override;
  void InitOrder(int64_t levelNumber, int32_t mode) override;
  void Activate() override;
  void Deactivate() override;
  void UpdatePatience(int32_t elapsedMs) override;

  void SetHearts(int64_t hearts);
  void SetPatience(double seconds);
  void SetIce(double seconds);
  const PatienceModel& Patience() const { return patience_; }
  const std::string& GetState() const { return state_; }
  void SetState(const std::string& state);
  // The (item id, description) pairs of the order text; an odd last pair is ignored.
  std::vector<std::pair<std::string, std::string>> OrderLines() const;

 private:
  void ShowHeartChange(const HeartChange& change);
  void AddLabel(const std::string& factory, const std::string& name, const std::string& text, double left, double top);
  void RefreshMood();
  void RefreshShaking();
  void RefreshFreeze();
  void ShowChild(const std::string& path, bool visible);

  PatienceModel patience_;
  std::string state_;
  std::string order_;
};

}  // namespace kestrelle
