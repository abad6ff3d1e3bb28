#pragma once
// The tool panel's rules: which tools the player owns, whether the tool choice must ask, how the
// slots are filled for a level (with their uses), which types may come as bonuses, and what is
// stored in the profile when a first play ends.

#include <cstdint>
#include <string>
#include <vector>

#include "game/level/profile_values.h"

namespace kestrelle {

inline constexpr char kLockedToolType[] = "Locked";

struct ToolSlot {
  std::string type;  // a tool type such as "Hint_1", or "Locked"
  int64_t quantity = 0;
  std::string resourceName;          // "img_GameTool" + type (empty for a locked slot)
  std::string disabledResourceName;  // "img_GameDisabledTool" + type
  bool IsLocked() const { return type == kLockedToolType; }
};

struct ToolSlotSetUp {
  std::vector<ToolSlot> slots;
  ProfileWrites writes;  // the cleared tool tip and the first-time tip flags
};

struct OwnedTools {
  std::string list;  // "Hint_1;Heart_2;" ...
  int count = 0;
};

// Uses a tool starts a level with: the stored "tool_cnt_" value, where a missing, unreadable or 0
// value (uses ran out last time) gives 2.
int64_t ToolUsesFromStored(const ProfileValues& profile, const std::string& type);

// "Hint_" + "tool_Hint" (default 1), "Heart_" + "tool_Heart", "Ice_" + "tool_Ice" (default 0), each
// when above 0.
OwnedTools ListProfileTools(const ProfileValues& profile);

// The notification that opens the tool choice: the choosing screen only when the owned tools
// outnumber "tool_slots_cnt" (default 1).
int32_t ToolChoiceNotification(const ProfileValues& profile, int ownedToolCount);

// Fills `slotCount` slots from the ";"-list of selected types. Levels 0 and 99 never raise a
// tool tip.
ToolSlotSetUp SetUpToolSlots(int slotCount, const std::string& selectedTools, int64_t level,
                             const ProfileValues& profile);

// The types of the slots that are not locked, each followed by ";".
std::string ToolsList(const std::vector<ToolSlot>& slots);

// "tool_cnt_" + type per unlocked slot, negative quantities stored as 0.
ProfileWrites StoreToolUses(const std::vector<ToolSlot>& slots);

}  // namespace kestrelle
