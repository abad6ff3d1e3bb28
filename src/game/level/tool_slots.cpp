#include "game/level/tool_slots.h"

#include "data/text_lists.h"
#include "game/level/level_codes.h"

namespace kestrelle {

namespace {

constexpr int64_t kUsesWhenNoneStored = 2;

std::string ToolTipFlag(const std::string& type) { return "show_tool_tip" + type; }

}  // namespace

int64_t ToolUsesFromStored(const ProfileValues& profile, const std::string& type) {
  const int64_t stored = profile.Integer("tool_cnt_" + type, 0);
  return stored == 0 ? kUsesWhenNoneStored : stored;
}

OwnedTools ListProfileTools(const ProfileValues& profile) {
  struct Kind {
    const char* name;
    int64_t fallback;
  };
  static constexpr Kind kKinds[] = {{"Hint", 1}, {"Heart", 0}, {"Ice", 0}};
  OwnedTools owned;
  for (const Kind& kind : kKinds) {
    const int64_t level = profile.Integer(std::string("tool_") + kind.name, kind.fallback);
    if (level <= 0) continue;
    owned.list += std::string(kind.name) + "_" + std::to_string(level) + ";";
    ++owned.count;
  }
  return owned;
}

int32_t ToolChoiceNotification(const ProfileValues& profile, int ownedToolCount) {
  return profile.Integer("tool_slots_cnt", 1) < ownedToolCount ? level_codes::kChooseToolsForSlots
                                                               : level_codes::kChooseToolsBeforeLevel;
}

ToolSlotSetUp SetUpToolSlots(int slotCount, const std::string& selectedTools, int64_t level,
                             const ProfileValues& profile) {
  ToolSlotSetUp setUp;
  // Flags written earlier in this set-up count, so a type selected twice raises its tip once.
  ProfileValues seen = profile;
  auto write = [&](const std::string& key, const std::string& value) {
    setUp.writes.push_back({key, value});
    seen.Set(key, value);
  };
  write("show_tool_tip", "");
  const std::vector<std::string> selected = SplitSemicolonList(selectedTools);
  const bool tipsAllowed = level != 0 && level != 99;
  for (int index = 0; index < slotCount; ++index) {
    ToolSlot slot;
    if (index >= static_cast<int>(selected.size())) {
      slot.type = kLockedToolType;
      setUp.slots.push_back(slot);
      continue;
    }
    slot.type = selected[index];
    slot.resourceName = "img_GameTool" + slot.type;
    slot.disabledResourceName = "img_GameDisabledTool" + slot.type;
    slot.quantity = ToolUsesFromStored(profile, slot.type);
    if (tipsAllowed && seen.Text(ToolTipFlag(slot.type), "no") == "no") {
      write(ToolTipFlag(slot.type), "yes");
      write("show_tool_tip", slot.type);
    }
    setUp.slots.push_back(slot);
  }
  return setUp;
}

std::string ToolsList(const std::vector<ToolSlot>& slots) {
  std::string list;
  for (const auto& slot : slots) {
    if (!slot.IsLocked()) list += slot.type + ";";
  }
  return list;
}

ProfileWrites StoreToolUses(const std::vector<ToolSlot>& slots) {
  ProfileWrites writes;
  for (const auto& slot : slots) {
    if (slot.IsLocked()) continue;
    writes.push_back({"tool_cnt_" + slot.type, std::to_string(slot.quantity < 0 ? 0 : slot.quantity)});
  }
  return writes;
}

}  // namespace kestrelle
