#pragma once
// The player's profile as the level rules see it: named text values read from a snapshot, and
// the values a rule wants written, in order. The level control copies the current profile into a
// snapshot, asks a rule, then writes the answer back and saves; the rules stay free of files.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kestrelle {

class ProfileValues {
 public:
  ProfileValues() = default;
  ProfileValues(std::initializer_list<std::pair<const std::string, std::string>> values) : values_(values) {}

  // The stored text; `fallback` when the key is missing.
  std::string Text(const std::string& key, const std::string& fallback = std::string()) const;
  // The stored integer; `fallback` when the key is missing or not a number.
  int64_t Integer(const std::string& key, int64_t fallback = 0) const;
  bool IsYes(const std::string& key) const { return Text(key) == "yes"; }
  void Set(const std::string& key, const std::string& value) { values_[key] = value; }

 private:
  std::map<std::string, std::string> values_;
};

struct ProfileWrite {
  std::string key;
  std::string value;
  bool operator==(const ProfileWrite&) const = default;
};
using ProfileWrites = std::vector<ProfileWrite>;

// Applies the writes in order (a later write to the same key wins).
void ApplyProfileWrites(const ProfileWrites& writes, ProfileValues& profile);

}  // namespace kestrelle
