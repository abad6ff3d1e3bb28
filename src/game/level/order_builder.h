#pragma once
// What a new client is and what it orders: the client type drawn by weight, and an order of two
// or three shop items that avoids the items ordered lately and those other clients are waiting
// for, with an optional minigame item as a third line.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/level/weighted_draw.h"

namespace kestrelle {

// One type name and its weight, in the order the level stores them.
using ClientTypeWeights = NamedWeights;

// The first type whose weight exceeds the draw in [0, sum); empty text when every weight is 0.
inline std::string ChooseClientType(const ClientTypeWeights& weights) { return DrawByWeight(weights); }

// One shop item as the order draw reads it ("item_id", "item_desc", "minigame").
struct OrderableItem {
  std::string id;
  std::string description;
  std::string minigame;
};

struct OrderLine {
  std::string id;
  std::string description;
  bool operator==(const OrderLine&) const = default;
};

// The level's minigame line: "minigame_prob" (percent) and "minigames" (";"-list of item ids).
struct MinigameLineRule {
  int64_t probability = 0;
  std::string itemIds;
};

// "\item1id=...\item1desc=...\item2id=..." (starts with "\").
std::string OrderText(const std::vector<OrderLine>& lines);

// Keeps the ids of the latest order lines across the clients of one level.
class OrderBuilder {
 public:
  // Rejected draws for one line before the fallback scan: a level whose exclusions leave no item
  // would otherwise draw for ever.
  static constexpr int kDrawsPerLine = 64;
  static constexpr int kRecentItemLimit = 10;

  // Two lines with chance 1/3, three with 2/3; a two-line order may get the minigame line.
  // `orderedElsewhere` is the text of every id other clients wait for. The lines come out fewer
  // only when the shop has no ordinary (non-minigame) item at all.
  std::vector<OrderLine> BuildOrder(const std::vector<OrderableItem>& items, const std::string& orderedElsewhere,
                                    const MinigameLineRule& minigameLine);
  // The same with a number of ordinary lines fixed beforehand (no draw for it): scripted clients.
  std::vector<OrderLine> BuildOrderOfLines(int lineCount, const std::vector<OrderableItem>& items,
                                           const std::string& orderedElsewhere, const MinigameLineRule& minigameLine);

  // Each id followed by ";", at most ten, oldest first.
  const std::string& RecentItems() const { return recentItems_; }

 private:
  bool IsExcluded(const OrderableItem& item, const std::string& orderedElsewhere) const;
  const OrderableItem* DrawLine(const std::vector<OrderableItem>& items, const std::string& orderedElsewhere,
                                const std::vector<OrderLine>& lines) const;
  void RememberRecent(const std::string& id);

  std::string recentItems_;
};

}  // namespace kestrelle
