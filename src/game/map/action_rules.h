#pragma once
// The rules of the owner's life between levels: four tracks of actions, each action needing items
// bought with money or earned by achievements. Doing an action moves its track one step up and can
// unlock tools, tool slots or the end of the game.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/level/profile_values.h"

namespace kestrelle {

// The tracks in the order the recommendation looks at them, and in the order the town map asks
// whether a new action is available.
inline constexpr const char* kRecommendationOrder[] = {"personal", "fitness", "education", "careers"};
inline constexpr const char* kNewActionOrder[] = {"personal", "education", "fitness", "careers"};

struct ActionRule {
  std::string id;                  // "action_id": track + "_" + step
  std::string track;               // "type"
  int64_t priority = 100;          // "priority"
  std::vector<std::string> items;  // the item ids of "requirements", in order
};

struct ActionItemRule {
  std::string id;         // "item_id"
  std::string type;       // "money" or "logic"
  int64_t cost = 0;       // "cost" (money items)
  std::string paramName;  // "paramname" (logic items)
};

class ActionRules {
 public:
  ActionRules(std::vector<ActionRule> actions, std::vector<ActionItemRule> items);

  static std::string LevelKey(const std::string& track) { return "actions_" + track + "_level"; }
  int64_t TrackLevel(const std::string& track, const ProfileValues& profile) const;
  // The track's action after its level; none when the track is finished.
  const ActionRule* NextAction(const std::string& track, const ProfileValues& profile) const;
  const ActionRule* FindAction(const std::string& id) const;
  const ActionItemRule* FindItem(const std::string& id) const;

  // A money item once bought; a logic item when its flag is anything but "no" (missing is "no").
  bool IsItemOwned(const ActionItemRule& item, const ProfileValues& profile) const;
  // Every item of the action owned: it can be done.
  bool CanDo(const ActionRule& action, const ProfileValues& profile) const;
  // A next action whose logic items are earned and whose missing money items the player can pay.
  bool NewActionAvailable(const ProfileValues& profile) const;
  // The track of the next action with the lowest priority (a finished track counts 1000, the
  // earlier track wins a tie); none when every track is finished.
  std::optional<std::string> RecommendedTrack(const ProfileValues& profile) const;

  // Paying for a money item; none when the money does not reach.
  std::optional<ProfileWrites> Buy(const ActionItemRule& item, const ProfileValues& profile) const;
  // The track one step up, the action marked done and its unlocks.
  ProfileWrites Do(const ActionRule& action, const ProfileValues& profile) const;

 private:
  std::vector<ActionRule> actions_;
  std::vector<ActionItemRule> items_;
};

// The bar's target: the track level as a share of the bar's width; 0 for a maximum or width of 0.
int64_t BarTarget(int64_t level, int64_t barWidth, int64_t maxValue);

// One frame of the bar moving its shown value towards the target: a jump without animation or
// when less than `elapsedMs` of the animation time is left; otherwise a share of the distance by
// the time left, at least the minimum speed, never past the target.
int64_t BarStep(int64_t shown, int64_t target, int64_t elapsedMs, int64_t timeLeftMs, int64_t minPerSecond,
                bool animation);

}  // namespace kestrelle
