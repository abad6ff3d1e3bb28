#include "game/map/action_rules.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

ActionRules SmallWorld() {
  return ActionRules({{"personal_1", "personal", 20, {"lamp"}},
                      {"personal_2", "personal", 40, {"sofa", "trophy"}},
                      {"fitness_1", "fitness", 30, {"shoes"}},
                      {"fitness_2", "fitness", 50, {}},
                      {"education_1", "education", 20, {}},
                      {"careers_6", "careers", 90, {}}},
                     {{"lamp", "money", 100, ""},
                      {"sofa", "money", 300, ""},
                      {"shoes", "money", 50, ""},
                      {"trophy", "logic", 0, "trophy_clients"}});
}

TEST(ActionRules, AvailabilityAndRecommendation) {
  const ActionRules rules = SmallWorld();
  struct Case {
    const char* name;
    ProfileValues profile;
    bool available;
    const char* recommended;  // "" for none
  };
  const Case cases[] = {
      {"no money: only an action without items", {}, true, "personal"},
      {"money for the lamp", {{"total_money", "100"}}, true, "personal"},
      {"personal 2 needs the earned trophy",
       {{"actions_personal_level", "1"},
        {"actions_education_level", "1"},
        {"actions_fitness_level", "2"},
        {"actions_careers_level", "5"},
        {"total_money", "999"}},
       true,  // careers_6 has no items
       "personal"},
      {"trophy flag set but the sofa too dear",
       {{"actions_personal_level", "1"},
        {"actions_education_level", "1"},
        {"actions_fitness_level", "2"},
        {"actions_careers_level", "6"},
        {"trophy_clients", "yes"},
        {"total_money", "299"}},
       false,
       "personal"},
      {"every track finished",
       {{"actions_personal_level", "2"},
        {"actions_education_level", "1"},
        {"actions_fitness_level", "2"},
        {"actions_careers_level", "6"}},
       false,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(rules.NewActionAvailable(c.profile), c.available);
    EXPECT_EQ(rules.RecommendedTrack(c.profile).value_or(""), c.recommended);
  }
  // Equal priority: the earlier track in personal, fitness, education, careers.
  EXPECT_EQ(rules.RecommendedTrack({{"actions_personal_level", "1"}, {"actions_fitness_level", "2"}}).value_or(""),
            "education");
}

TEST(ActionRules, BuyingAndDoing) {
  const ActionRules rules = SmallWorld();
  const ActionItemRule& lamp = *rules.FindItem("lamp");
  EXPECT_FALSE(rules.Buy(lamp, {{"total_money", "99"}}));
  ProfileValues profile{{"total_money", "150"}};
  ApplyProfileWrites(*rules.Buy(lamp, profile), profile);
  EXPECT_EQ(profile.Text("total_money"), "50");
  EXPECT_TRUE(rules.CanDo(*rules.FindAction("personal_1"), profile));

  struct Case {
    const char* action;
    const char* key;
    const char* value;
  };
  const Case unlocks[] = {{"careers_6", "game_completed", "yes"},
                          {"fitness_2", "tool_slots_cnt", "2"},
                          {"personal_1", "actions_personal_level", "1"}};
  for (const Case& c : unlocks) {
    ProfileValues after = profile;
    ApplyProfileWrites(rules.Do(*rules.FindAction(c.action), profile), after);
    EXPECT_EQ(after.Text(c.key), c.value) << c.action;
    EXPECT_EQ(after.Text(std::string("action_done_") + c.action), "yes");
  }
  const ActionRules sixes({{"personal_6", "personal", 1, {}}}, {});
  const ProfileWrites last =
      sixes.Do(*sixes.FindAction("personal_6"), {{"action_done_fitness_6", "yes"}, {"action_done_education_6", "yes"}});
  EXPECT_EQ(last.back(), (ProfileWrite{"all_actions_completed", "yes"}));
}

TEST(ActionRules, BarValues) {
  EXPECT_EQ(BarTarget(3, 200, 6), 100);
  EXPECT_EQ(BarTarget(3, 200, 0), 0);  // no maximum: an empty bar, not a division by zero
  struct Case {
    int64_t shown, target, elapsed, left, minPerSecond;
    bool animation;
    int64_t expected;
  };
  const Case cases[] = {
      {0, 100, 20, 1000, 0, false, 100},    // no animation: a jump
      {0, 100, 20, 10, 0, true, 100},       // less time left than the frame
      {0, 100, 20, 1000, 0, true, 2},       // a share of the distance
      {0, 100, 20, 1000, 500, true, 10},    // at least the minimum speed
      {95, 100, 20, 1000, 500, true, 100},  // never past the target
      {100, 40, 20, 1000, 500, true, 90},   // downwards as well
  };
  for (const Case& c : cases)
    EXPECT_EQ(BarStep(c.shown, c.target, c.elapsed, c.left, c.minPerSecond, c.animation), c.expected)
        << c.shown << "->" << c.target;
}

}  // namespace
}  // namespace kestrelle
