// The rules of the story pieces: a conversation line's buttons, the medals of a level's results,
// and the "execute_command" ending of a scene.

#include <gtest/gtest.h>

#include "game/map/award_list.h"
#include "game/map/dialogue_lines.h"
#include "game/map/execute_command.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

TEST(DialogueLines, ButtonsPerLineType) {
  struct Case {
    const char* type;
    const char* nextLine;
    std::optional<BubbleButtons> buttons;  // yes, no, next, close
  };
  const Case cases[] = {
      {"single", "l2", BubbleButtons{false, false, true, false}},
      {"single", "", BubbleButtons{false, false, false, true}},  // the last line closes
      {"dual", "", BubbleButtons{true, true, false, false}},
      {"dual", "l2", BubbleButtons{true, true, false, false}},  // only yes or no go on
      {"question", "l2", std::nullopt},                         // leaves the buttons alone
  };
  for (const Case& c : cases) EXPECT_EQ(ButtonsForLine(c.type, c.nextLine), c.buttons) << c.type << "/" << c.nextLine;
  EXPECT_EQ(FollowingLineKey("button_next"), "next_line");
  EXPECT_EQ(FollowingLineKey("button_yes"), "next_line_yes");
  EXPECT_EQ(FollowingLineKey("button_no"), "next_line_no");
  EXPECT_EQ(FollowingLineKey("button_close"), "");
}

TEST(AwardList, WonTrophiesInTheFixedOrder) {
  EXPECT_EQ(WonAwardFactories({{"TrophyShopsServedAll", "yes"}, {"TrophyClientsServed", "yes"}}),
            (std::vector<std::string>{"award_clients", "award_6_shops"}));
  EXPECT_EQ(
      WonAwardFactories({{"TrophyExpertTime", "yes"},
                         {"TrophyExpertPatience", "yes"},
                         {"TrophyClientsServed", "yes"},
                         {"TrophyShopsServedHalf", "yes"},
                         {"TrophyShopsServedAll", "yes"}}),
      (std::vector<std::string>{"award_time", "award_service", "award_clients", "award_3_shops", "award_6_shops"}));
  EXPECT_TRUE(WonAwardFactories({{"TrophyExpertTime", "no"}, {"TrophyExpertPatience", "Yes"}}).empty());
}

TEST(ExecuteCommand, CodeAfterTheColon) {
  struct Case {
    const char* next;
    int32_t code;
  };
  const Case cases[] = {
      {"execute_command:17", 17},  {"execute_command: 3 ", 3},  {"execute_command:-1", kNoCommand},
      {"execute_command:abc", -1}, {"execute_command:17x", -1}, {"execute_command", -1},
      {"execute_command:", -1},    {"execute_command:1:2", -1}, {"execute_command:99999999999", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(ExecuteCommandCode(c.next), c.code) << c.next;
  EXPECT_TRUE(IsExecuteCommand("execute_command:5"));
  EXPECT_FALSE(IsExecuteCommand("map_show;execute_command:5"));
}

TEST(ExecuteCommand, ParametersFromAPairList) {
  testing::EnsureClassesRegistered();
  EXPECT_EQ(CommandParams(""), nullptr);
  ParamsRef params = CommandParams(R"(level=3\replay=no\Level=9\shop_Name={a\b}\novalue)");
  ASSERT_TRUE(params);
  ASSERT_EQ(params->GetCount(), 3);
  EXPECT_EQ(params->GetParam(Variant(0))->GetName(), "LEVEL");
  EXPECT_EQ(params->GetValue("LEVEL", Variant()), Variant(std::string("3"))) << "the first of a repeated key wins";
  EXPECT_EQ(params->GetParam(Variant(1))->GetName(), "REPLAY");
  EXPECT_EQ(params->GetValue("REPLAY", Variant()), Variant(std::string("no")));
  EXPECT_EQ(params->GetParam(Variant(2))->GetName(), "SHOP_NAME");
  EXPECT_EQ(params->GetValue("SHOP_NAME", Variant()), Variant(std::string("a\\b")));
}

}  // namespace
}  // namespace kestrelle
