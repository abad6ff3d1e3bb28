#include "game/level/tool_slots.h"

#include <gtest/gtest.h>

#include "game/level/level_codes.h"

namespace kestrelle {
namespace {

TEST(ToolSlots, StoredUsesOfZeroOrNoneGiveTwo) {
  struct Case {
    const char* stored;  // nullptr: no value stored
    int64_t uses;
  };
  const Case cases[] = {{nullptr, 2}, {"0", 2}, {"junk", 2}, {"1", 1}, {"7", 7}};
  for (const Case& c : cases) {
    ProfileValues profile;
    if (c.stored) profile.Set("tool_cnt_Ice_1", c.stored);
    EXPECT_EQ(ToolUsesFromStored(profile, "Ice_1"), c.uses) << (c.stored ? c.stored : "none");
  }
}

TEST(ToolSlots, OwnedToolsAndTheChoiceScreen) {
  struct Case {
    ProfileValues profile;
    std::string list;
    int32_t notification;
  };
  const Case cases[] = {
      {{}, "Hint_1;", level_codes::kChooseToolsBeforeLevel},
      {{{"tool_Hint", "0"}}, "", level_codes::kChooseToolsBeforeLevel},
      {{{"tool_Hint", "2"}, {"tool_Ice", "1"}}, "Hint_2;Ice_1;", level_codes::kChooseToolsForSlots},
      {{{"tool_Ice", "2"}, {"tool_Heart", "3"}, {"tool_slots_cnt", "2"}},
       "Hint_1;Heart_3;Ice_2;",
       level_codes::kChooseToolsForSlots},
      {{{"tool_Heart", "1"}, {"tool_slots_cnt", "2"}}, "Hint_1;Heart_1;", level_codes::kChooseToolsBeforeLevel},
  };
  for (const Case& c : cases) {
    const OwnedTools owned = ListProfileTools(c.profile);
    EXPECT_EQ(owned.list, c.list);
    EXPECT_EQ(ToolChoiceNotification(c.profile, owned.count), c.notification) << c.list;
  }
}

TEST(ToolSlots, SetUpFillsSelectedTypesThenLocksTheRest) {
  const ProfileValues profile{{"tool_cnt_Hint_1", "0"},
                              {"tool_cnt_Ice_2", "4"},
                              {"show_tool_tip"
                               "Hint_1",
                               "yes"}};
  const ToolSlotSetUp setUp = SetUpToolSlots(3, "Hint_1;Ice_2;", 4, profile);
  ASSERT_EQ(setUp.slots.size(), 3U);
  EXPECT_EQ(setUp.slots[0].type, "Hint_1");
  EXPECT_EQ(setUp.slots[0].quantity, 2);
  EXPECT_EQ(setUp.slots[0].resourceName, "img_GameToolHint_1");
  EXPECT_EQ(setUp.slots[1].quantity, 4);
  EXPECT_EQ(setUp.slots[1].disabledResourceName, "img_GameDisabledToolIce_2");
  EXPECT_TRUE(setUp.slots[2].IsLocked());
  EXPECT_EQ(ToolsList(setUp.slots), "Hint_1;Ice_2;");
  // The tip is cleared, then raised only for the tool seen for the first time.
  const ProfileWrites expected{{"show_tool_tip", ""}, {"show_tool_tipIce_2", "yes"}, {"show_tool_tip", "Ice_2"}};
  EXPECT_EQ(setUp.writes, expected);
}

TEST(ToolSlots, LevelsZeroAndNinetyNineRaiseNoTip) {
  for (int64_t level : {0, 99}) {
    const ToolSlotSetUp setUp = SetUpToolSlots(1, "Heart_1;", level, {});
    EXPECT_EQ(setUp.writes, (ProfileWrites{{"show_tool_tip", ""}})) << level;
  }
}

TEST(ToolSlots, StoringUsesSkipsLockedSlotsAndClampsAtZero) {
  const std::vector<ToolSlot> slots{{"Hint_2", 3, "", ""}, {"Heart_1", -1, "", ""}, {kLockedToolType, 0, "", ""}};
  EXPECT_EQ(StoreToolUses(slots), (ProfileWrites{{"tool_cnt_Hint_2", "3"}, {"tool_cnt_Heart_1", "0"}}));
}

}  // namespace
}  // namespace kestrelle
