#include "game/map/action_rules.h"

#include <algorithm>
#include <utility>

#include "data/numbers.h"

namespace kestrelle {
namespace {

// What an action unlocks besides its step.
struct ActionUnlock {
  const char* action;
  const char* key;
  const char* value;
};
constexpr ActionUnlock kUnlocks[] = {
    {"careers_1", "tool_Heart", "1"},     {"careers_3", "tool_Heart", "2"},     {"careers_5", "tool_Heart", "3"},
    {"personal_5", "tool_Hint", "2"},     {"education_3", "tool_Ice", "1"},     {"education_6", "tool_Ice", "2"},
    {"fitness_2", "tool_slots_cnt", "2"}, {"fitness_5", "tool_slots_cnt", "3"}, {"careers_6", "game_completed", "yes"},
};

}  // namespace

ActionRules::ActionRules(std::vector<ActionRule> actions, std::vector<ActionItemRule> items)
    : actions_(std::move(actions)), items_(std::move(items)) {}

int64_t ActionRules::TrackLevel(const std::string& track, const ProfileValues& profile) const {
  return profile.Integer(LevelKey(track));
}

const ActionRule* ActionRules::NextAction(const std::string& track, const ProfileValues& profile) const {
  return FindAction(track + "_" + std::to_string(TrackLevel(track, profile) + 1));
}

const ActionRule* ActionRules::FindAction(const std::string& id) const {
  const auto found = std::find_if(actions_.begin(), actions_.end(), [&id](const ActionRule& a) { return a.id == id; });
  return found == actions_.end() ? nullptr : &*found;
}

const ActionItemRule* ActionRules::FindItem(const std::string& id) const {
  const auto found = std::find_if(items_.begin(), items_.end(), [&id](const ActionItemRule& i) { return i.id == id; });
  return found == items_.end() ? nullptr : &*found;
}

bool ActionRules::IsItemOwned(const ActionItemRule& item, const ProfileValues& profile) const {
  if (item.type == "logic") return profile.Text(item.paramName, "no") != "no";
  return profile.IsYes("item_exists_" + item.id);
}

bool ActionRules::CanDo(const ActionRule& action, const ProfileValues& profile) const {
  return std::all_of(action.items.begin(), action.items.end(), [&](const std::string& id) {
    const ActionItemRule* item = FindItem(id);
    return item == nullptr || IsItemOwned(*item, profile);
  });
}

bool ActionRules::NewActionAvailable(const ProfileValues& profile) const {
  for (const char* track : kNewActionOrder) {
    const ActionRule* next = NextAction(track, profile);
    if (next == nullptr) continue;
    int64_t missingCost = 0;
    bool earned = true;
    for (const std::string& id : next->items) {
      const ActionItemRule* item = FindItem(id);
      if (item == nullptr) continue;
      if (item->type == "logic")
        earned = earned && IsItemOwned(*item, profile);
      else if (!IsItemOwned(*item, profile))
        missingCost += item->cost;
    }
    if (earned && profile.Integer("total_money") >= missingCost) return true;
  }
  return false;
}

std::optional<std::string> ActionRules::RecommendedTrack(const ProfileValues& profile) const {
  std::optional<std::string> best;
  int64_t bestPriority = 0;
  for (const char* track : kRecommendationOrder) {
    const ActionRule* next = NextAction(track, profile);
    const int64_t priority = next == nullptr ? 1000 : next->priority;
    if (next != nullptr && (!best || priority < bestPriority)) {
      best = track;
      bestPriority = priority;
    }
  }
  return best;
}

std::optional<ProfileWrites> ActionRules::Buy(const ActionItemRule& item, const ProfileValues& profile) const {
  const int64_t left = profile.Integer("total_money") - item.cost;
  if (left < 0) return std::nullopt;
  return ProfileWrites{{"total_money", std::to_string(left)}, {"item_exists_" + item.id, "yes"}};
}

ProfileWrites ActionRules::Do(const ActionRule& action, const ProfileValues& profile) const {
  ProfileWrites writes{{LevelKey(action.track), std::to_string(TrackLevel(action.track, profile) + 1)},
                       {"action_done_" + action.id, "yes"}};
  for (const ActionUnlock& unlock : kUnlocks)
    if (action.id == unlock.action) writes.push_back({unlock.key, unlock.value});
  ProfileValues after = profile;
  ApplyProfileWrites(writes, after);
  if (after.IsYes("action_done_personal_6") && after.IsYes("action_done_fitness_6") &&
      after.IsYes("action_done_education_6"))
    writes.push_back({"all_actions_completed", "yes"});
  return writes;
}

int64_t BarTarget(int64_t level, int64_t barWidth, int64_t maxValue) { return DivTrunc(level * barWidth, maxValue); }

int64_t BarStep(int64_t shown, int64_t target, int64_t elapsedMs, int64_t timeLeftMs, int64_t minPerSecond,
                bool animation) {
  if (!animation || timeLeftMs < elapsedMs || timeLeftMs <= 0) return target;
  int64_t step = DivTrunc(elapsedMs * (target - shown), timeLeftMs);
  const int64_t least = DivTrunc(elapsedMs * minPerSecond, 1000);
  if (target > shown) return std::min(target, shown + std::max(step, least));
  if (target < shown) return std::max(target, shown + std::min(step, -least));
  return target;
}

}  // namespace kestrelle
