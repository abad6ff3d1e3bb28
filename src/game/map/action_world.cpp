#include "game/map/action_world.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "data/text_lists.h"
#include "game/level/profile_access.h"

namespace kestrelle {
namespace {

// The logic items whose achievement is counted: the game setting of the threshold and the
// profile's count towards it.
struct CountedAchievement {
  const char* itemId;
  const char* threshold;  // game setting
  const char* count;      // profile value
};
constexpr CountedAchievement kCountedAchievements[] = {
    {"collaboration_2", "TrophyParamClientsServed", "clients_served"},
    {"market_2", "TrophyParamExpertTime", "expert_time_levels_cnt"},
    {"web_3", "TrophyParamExpertPatience", "expert_patience_levels_cnt"},
    {"business_2", "TrophyParamShopsServedHalf", "shops_completed"},
    {"interview_1", "TrophyParamShopsServedAll", "shops_completed"},
};

}  // namespace

ActionRules BuildActionRules(const IActionDefCollection* actions, const IActionItemDefCollection* items) {
  std::vector<ActionRule> actionRules;
  for (int i = 0; actions != nullptr && i < actions->GetCount(); ++i) {
    std::shared_ptr<TActionDef> action = actions->GetItem(i);
    if (!action) continue;
    ActionRule rule{action->GetActionId(), action->GetType(), action->GetPriority(), {}};
    for (auto& [key, itemId] : SplitKeyValues(action->GetRequirements())) rule.items.push_back(std::move(itemId));
    actionRules.push_back(std::move(rule));
  }
  std::vector<ActionItemRule> itemRules;
  for (int i = 0; items != nullptr && i < items->GetCount(); ++i) {
    std::shared_ptr<TActionItemDef> item = items->GetItem(i);
    if (!item) continue;
    itemRules.push_back({item->GetItemId(), DefinitionText(*item, "type"),
                         Variant(DefinitionText(*item, "cost")).ToInt(0), DefinitionText(*item, "paramname")});
  }
  return {std::move(actionRules), std::move(itemRules)};
}

std::shared_ptr<IActionDefCollection> PublishedActionDefs(const GameScreenOwnerRef& game) {
  return game ? game->GetSetting("action_defs").As<IActionDefCollection>() : nullptr;
}

std::shared_ptr<IActionItemDefCollection> PublishedActionItemDefs(const GameScreenOwnerRef& game) {
  return game ? game->GetSetting("action_item_defs").As<IActionItemDefCollection>() : nullptr;
}

ActionRules PublishedActionRules(const GameScreenOwnerRef& game) {
  return BuildActionRules(PublishedActionDefs(game).get(), PublishedActionItemDefs(game).get());
}

bool NewActionAvailableFor(const GameScreenOwnerRef& game) {
  return PublishedActionRules(game).NewActionAvailable(SnapshotProfile(CurrentProfileOf(game)));
}

bool BuyActionItem(const GameScreenOwnerRef& game, const ActionRules& rules, const std::string& itemId) {
  const ActionItemRule* item = rules.FindItem(itemId);
  UserProfileRef profile = CurrentProfileOf(game);
  if (item == nullptr || item->type == "logic" || !profile) return false;
  const ProfileValues values = SnapshotProfile(profile);
  if (rules.IsItemOwned(*item, values)) return false;
  const std::optional<ProfileWrites> writes = rules.Buy(*item, values);
  if (!writes) return false;
  WriteProfile(profile, *writes);
  SaveProfiles(game);
  return true;
}

std::optional<int64_t> AchievementStillMissing(const std::string& itemId, const GameScreenOwnerRef& game,
                                               const ProfileValues& profile) {
  for (const CountedAchievement& achievement : kCountedAchievements) {
    if (itemId != achievement.itemId) continue;
    const Variant threshold = game ? game->GetSetting(achievement.threshold) : Variant();
    const int64_t needed = threshold.IsEmptyOrNull() ? 0 : threshold.ToInt(0);
    return std::max<int64_t>(0, needed - profile.Integer(achievement.count));
  }
  return std::nullopt;
}

}  // namespace kestrelle
