#include "game/map/new_action.h"

#include <string>

#include "data/text_lists.h"

namespace kestrelle {
namespace {

constexpr const char* kTracks[] = {"personal", "education", "fitness", "careers"};

std::string PropertyText(TPropertyObject& object, const std::string& name) {
  const Variant value = object.GetProperty(name);
  return value.IsEmptyOrNull() ? std::string() : value.ToString();
}

bool IsAvailable(const ProfileValues& profile, const TActionDef& action, const IActionItemDefCollection& items) {
  int64_t cost = 0;
  for (const auto& [key, itemId] : SplitKeyValues(action.GetRequirements())) {
    auto item = items.FindByItemId(itemId);
    if (!item) continue;
    if (PropertyText(*item, "type") == "logic") {
      if (profile.Text(PropertyText(*item, "paramname"), "no") == "no") return false;
    } else if (profile.Text("item_exists_" + itemId, "no") != "yes") {
      cost += Variant(PropertyText(*item, "cost")).ToInt(0);
    }
  }
  return profile.Integer("total_money") >= cost;
}

}  // namespace

bool IsNewActionAvailable(const ProfileValues& profile, const IActionDefCollection& actions,
                          const IActionItemDefCollection& items) {
  for (const char* track : kTracks) {
    const int64_t step = profile.Integer(std::string("actions_") + track + "_level") + 1;
    auto action = actions.FindByActionId(std::string(track) + "_" + std::to_string(step));
    if (action && IsAvailable(profile, *action, items)) return true;
  }
  return false;
}

}  // namespace kestrelle
