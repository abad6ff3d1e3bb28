// A shop level played end to end in the headless game: the scripts find the shop floor's widgets
// by path, check what the player sees and hears, and the player file is read back afterwards.

#include "demo_run.h"

namespace kestrelle::testing {
namespace {

class LevelPlay : public DemoRun {};

TEST_F(LevelPlay, Level2IsWonWithAToolACoinAndABonus) {
  ASSERT_EQ(Play("level2_won.script", 1), 0) << Log();
  // The first finish of the level within the expert time and with every client happy counts once;
  // the hint used once and the bonus that brought it back leave 2 uses for the next level.
  EXPECT_EQ(PlayerValue("level_expert_time_2"), "yes");
  EXPECT_EQ(PlayerValue("expert_time_levels_cnt"), "1");
  EXPECT_EQ(PlayerValue("level_expert_patience_2"), "yes");
  EXPECT_EQ(PlayerValue("expert_patience_levels_cnt"), "1");
  EXPECT_EQ(PlayerValue("tool_cnt_Hint_1"), "2");
  EXPECT_EQ(PlayerValue("show_tool_tipHint_1"), "yes");
}

TEST_F(LevelPlay, ClientsRunOutOfPatienceAndTheLevelIsLeft) {
  ASSERT_EQ(Play("level2_lost.script", 3), 0) << Log();
  // Nothing of a finished level is booked: no expert flag, no tool uses stored.
  EXPECT_EQ(PlayerValue("level_expert_time_2"), "-");
  EXPECT_EQ(PlayerValue("level_expert_patience_2"), "-");
  EXPECT_EQ(PlayerValue("tool_cnt_Hint_1"), "-");
  EXPECT_EQ(PlayerValue("show_tool_tipHint_1"), "yes");
}

}  // namespace
}  // namespace kestrelle::testing
