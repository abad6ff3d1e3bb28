#pragma once
// Which of the player's room items a Remove Items picture draws: a bought item ("money") when the
// profile owns it, a trophy ("logic") when the profile's flag of that name is set.

#include <string>

#include "game/level/profile_values.h"

namespace kestrelle {

inline bool RoomItemIsDrawn(const std::string& type, const std::string& name, const std::string& paramName,
                            const ProfileValues& profile) {
  if (type == "money") return profile.IsYes("item_exists_" + name);
  if (type == "logic") return profile.IsYes(paramName);
  return false;
}

}  // namespace kestrelle
