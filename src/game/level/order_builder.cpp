#include "game/level/order_builder.h"

#include <algorithm>

#include "data/random.h"
#include "data/text_lists.h"

namespace kestrelle {

namespace {

constexpr int kMinimumLines = 2;
constexpr int kMaximumLines = 3;

bool InOrder(const std::vector<OrderLine>& lines, const std::string& id) {
  return std::any_of(lines.begin(), lines.end(), [&](const OrderLine& line) { return line.id == id; });
}

const OrderableItem* FindItem(const std::vector<OrderableItem>& items, const std::string& id) {
  const auto found = std::find_if(items.begin(), items.end(), [&](const OrderableItem& item) { return item.id == id; });
  return found == items.end() ? nullptr : &*found;
}

}  // namespace

std::string OrderText(const std::vector<OrderLine>& lines) {
  std::string text;
  for (size_t index = 0; index < lines.size(); ++index) {
    const std::string number = std::to_string(index + 1);
    text.append("\\item").append(number).append("id=").append(lines[index].id);
    text.append("\\item").append(number).append("desc=").append(lines[index].description);
  }
  return text;
}

bool OrderBuilder::IsExcluded(const OrderableItem& item, const std::string& orderedElsewhere) const {
  // Plain text searches, as the ids are kept in texts: "b;" also matches a recent "ab;".
  return !item.minigame.empty() || recentItems_.find(item.id + ";") != std::string::npos ||
         orderedElsewhere.find(item.id) != std::string::npos;
}

const OrderableItem* OrderBuilder::DrawLine(const std::vector<OrderableItem>& items,
                                            const std::string& orderedElsewhere,
                                            const std::vector<OrderLine>& lines) const {
  if (items.empty()) return nullptr;
  for (int draw = 0; draw < kDrawsPerLine; ++draw) {
    const OrderableItem& item = items[Random(static_cast<int32_t>(items.size()))];
    if (!IsExcluded(item, orderedElsewhere)) return &item;
  }
  // Fallback: the first item that passes every rule; else the first ordinary item this order
  // does not hold yet; else any ordinary item. A minigame item never becomes an ordinary line.
  for (const auto& item : items) {
    if (!IsExcluded(item, orderedElsewhere)) return &item;
  }
  for (const auto& item : items) {
    if (item.minigame.empty() && !InOrder(lines, item.id)) return &item;
  }
  for (const auto& item : items) {
    if (item.minigame.empty()) return &item;
  }
  return nullptr;
}

void OrderBuilder::RememberRecent(const std::string& id) {
  std::vector<std::string> recent = SplitSemicolonList(recentItems_);
  if (static_cast<int>(recent.size()) >= kRecentItemLimit) recent.erase(recent.begin());
  recent.push_back(id);
  recentItems_ = JoinSemicolonList(recent);
}

std::vector<OrderLine> OrderBuilder::BuildOrder(const std::vector<OrderableItem>& items,
                                                const std::string& orderedElsewhere,
                                                const MinigameLineRule& minigameLine) {
  const int lineCount = std::min(kMaximumLines, Random(3) + kMinimumLines);
  return BuildOrderOfLines(lineCount, items, orderedElsewhere, minigameLine);
}

std::vector<OrderLine> OrderBuilder::BuildOrderOfLines(int lineCount, const std::vector<OrderableItem>& items,
                                                       const std::string& orderedElsewhere,
                                                       const MinigameLineRule& minigameLine) {
  std::vector<OrderLine> lines;
  for (int index = 0; index < lineCount; ++index) {
    const OrderableItem* item = DrawLine(items, orderedElsewhere, lines);
    if (!item) break;
    lines.push_back({item->id, item->description});
    RememberRecent(item->id);
  }
  if (lines.size() != static_cast<size_t>(kMinimumLines) || minigameLine.probability == 0) return lines;
  if (Random(100) > minigameLine.probability) return lines;
  const std::vector<std::string> candidates = SplitSemicolonList(minigameLine.itemIds);
  if (candidates.empty()) return lines;
  const std::string& id =
      candidates.size() == 1 ? candidates.front() : candidates[Random(static_cast<int32_t>(candidates.size()))];
  if (const OrderableItem* item = FindItem(items, id)) lines.push_back({item->id, item->description});
  return lines;
}

}  // namespace kestrelle
