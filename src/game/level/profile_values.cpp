#include "game/level/profile_values.h"

#include "data/numbers.h"

namespace kestrelle {

std::string ProfileValues::Text(const std::string& key, const std::string& fallback) const {
  const auto found = values_.find(key);
  return found == values_.end() ? fallback : found->second;
}

int64_t ProfileValues::Integer(const std::string& key, int64_t fallback) const {
  const auto found = values_.find(key);
  int64_t value = 0;
  if (found == values_.end() || !ParseInt(found->second, value)) return fallback;
  return value;
}

void ApplyProfileWrites(const ProfileWrites& writes, ProfileValues& profile) {
  for (const auto& write : writes) profile.Set(write.key, write.value);
}

}  // namespace kestrelle
