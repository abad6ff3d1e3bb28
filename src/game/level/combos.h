#pragma once
// Rewards of the shop floor: combos for consecutive finds for one client, the coin, the money a
// served client pays, and whether a served client leaves a bonus.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrelle {

inline constexpr int64_t kCoinValue = 10;
inline constexpr int64_t kScreenWidth = 1024;
inline constexpr int64_t kScreenHeight = 768;

struct ComboReward {
  std::string labelName;  // client name + "_" + count
  std::string text;       // "%combo2%" or "%combo3%"
  int64_t money = 0;      // 3 or 5
};

// From the client names of the item finds so far (oldest first): the combo the last find makes,
// none for a first find in a row.
std::optional<ComboReward> ComboForLastFind(const std::vector<std::string>& findClientNames);

struct LabelPlace {
  int64_t left = 0;
  int64_t top = 0;
  bool operator==(const LabelPlace&) const = default;
};
// A label at (x - 10, y + 30) of what it rewards, moved left and up to lie inside the screen.
LabelPlace PlaceRewardLabel(int64_t x, int64_t y, int64_t labelWidth, int64_t labelHeight);

// The level parameter a served client pays from: "money_" + hearts (0 .. 3).
std::string ServedMoneyKey(int64_t hearts);

enum class ServedBonus { kNone, kAfterLeaving, kAtOnce };
// A full-hearted VIP leaves a bonus; the level's last client has it collected at once, as the
// level ends before the client has gone.
ServedBonus BonusOnServing(int64_t hearts, bool vip, int64_t clientsServed, int64_t clientGoal);

}  // namespace kestrelle
