// The town map end to end: kestrelle-headless runs the demo from a new player through the menu's
// start button, the story, the map's first-time note, the first dialogue and the guided level
// (skipped) to level 1, wins it
// and goes on through the actions to level 2; the run's log must list every picture taken, and
// the player file it leaves is read back. A second start comes back to the map with level 2 open.

#include <string>

#include "demo_run.h"

namespace kestrelle::testing {
namespace {

class TownMapFlow : public DemoRun {};

TEST_F(TownMapFlow, ANewPlayerGoesThroughTheStoryTheMapTheFirstDialogueAndTheGuidedLevelOnceAndWinsLevel1) {
  ASSERT_EQ(Play("town_map_flow.script", 7), 0) << Log();
  const std::string log = Log();
  for (const char* shot : {"flow_story", "flow_map_first_time", "flow_dialogue", "flow_dialogue_2", "flow_guided_level",
                           "flow_skip_guided", "flow_level_intro", "flow_results", "flow_actions", "flow_level2_intro"})
    EXPECT_NE(log.find(std::string("shot ") + shot + " "), std::string::npos) << shot << "\n" << log;

  EXPECT_EQ(PlayerValue("current_level"), "2");
  EXPECT_EQ(PlayerValue("total_money"), "215") << "the total of the results, bonuses included";
  EXPECT_EQ(PlayerValue("level_total_money_1"), "215");
  EXPECT_EQ(PlayerValue("clients_served"), "5");
  EXPECT_EQ(PlayerValue("level_expert_time_1"), "yes");
  EXPECT_EQ(PlayerValue("show_dialog_dialog_opening"), "yes");
  EXPECT_EQ(PlayerValue("show_history"), "yes");
  EXPECT_EQ(PlayerValue("show_map"), "yes");
  EXPECT_EQ(PlayerValue("show_tutorial"), "yes");

  // Back again: straight to the map, where level 2 is open and no dialogue comes up (the script
  // expects the calendar of the map on top), and Play starts level 2.
  ASSERT_EQ(Play("town_map_again.script", 7), 0) << Log();
  EXPECT_EQ(PlayerValue("current_level"), "2");
  EXPECT_EQ(PlayerValue("total_money"), "215");
}

}  // namespace
}  // namespace kestrelle::testing
