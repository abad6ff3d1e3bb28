// The data check "dialogues": each fault of a dialogue that would leave the conversation stuck or
// speechless is named.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game.h"
#include "data/hier_storage.h"
#include "game/data_checks.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

std::vector<std::string> Faults(const std::string& dialogues) {
  testing::EnsureGameClassesRegistered();
  auto game = Create<TGame>();
  game->LoadFromStorage(LoadStorageFromString(R"(<game type="Game" name="g"><gamescreens>
    <gamescreen type="KestrelleGameScreenMain" name="GS_Main"><window/><dialogues>)" +
                                              dialogues +
                                              R"(</dialogues></gamescreen>
    <gamescreen type="KestrelleGameScreenDialogue" name="GS_Dialogue"><window><widgets>
      <widget type="group_widget" name="persons"/><widget type="group_widget" name="line_left"/>
      <widget type="group_widget" name="line_right"/>
    </widgets></window></gamescreen>
  </gamescreens></game>)"));
  std::vector<std::string> faults;
  for (const auto& [name, check] : DataChecks())
    if (name == "dialogues") check({game, [&](DataFinding finding) { faults.push_back(finding.message); }});
  return faults;
}

std::string Dialogue(const std::string& persons, const std::string& lines) {
  return R"(<dialogue name="d" extraparams=")" + persons + R"("><lines>)" + lines + "</lines></dialogue>";
}

const char* const kTwo = R"(pers_count=2\pers1=ann\persline1=line_left\pers2=bob\persline2=line_right)";

TEST(DialogueCheck, APlayableDialogueHasNoFault) {
  EXPECT_EQ(Faults(Dialogue(kTwo, R"(<line name="l1" extraparams="pers=ann\type=single\next_line=l2"/>
      <line name="l2" extraparams="pers=bob\type=dual\next_line_yes=l3\next_line_no=l1"/>
      <line name="l3" extraparams="pers=ann\type=single"/>)")),
            std::vector<std::string>{});
}

TEST(DialogueCheck, EachFaultIsNamed) {
  const std::string good = R"(<line name="l1" extraparams="pers=ann\type=single"/>)";
  const struct {
    std::string dialogue;
    std::string fault;
  } cases[] = {
      {Dialogue(R"(pers_count=two)", good), "\"pers_count\" is no number"},
      {Dialogue(R"(pers_count=2\pers1=ann\persline1=line_left\pers2=bob\persline2=line_middle)", good),
       "person 2 (\"bob\") speaks through \"line_middle\", which is neither \"line_left\" nor \"line_right\""},
      {Dialogue(R"(pers_count=2\pers1=ann\persline1=line_left\pers2=bob\persline2=line_left)", good),
       "persons \"ann\" and \"bob\" share the bubble \"line_left\""},
      {Dialogue(kTwo, ""), "the dialogue has no line"},
      {Dialogue(kTwo, R"(<line name="l1" extraparams="pers=cid\type=single"/>)"),
       "line \"l1\": \"cid\" is no person of the dialogue"},
      {Dialogue(kTwo, R"(<line name="l1" extraparams="pers=ann\type=single\next_line=l9"/>)"),
       "line \"l1\": \"next_line\" names no line (\"l9\")"},
      {Dialogue(kTwo, R"(<line name="l1" extraparams="pers=ann\type=dual\next_line_yes=l1"/>)"),
       "line \"l1\": \"next_line_no\" names no line (\"\")"},
      {Dialogue(kTwo, R"(<line name="l1" extraparams="pers=ann\type=question"/>)"),
       "line \"l1\": the type \"question\" is neither \"single\" nor \"dual\""},
  };
  for (const auto& c : cases) EXPECT_EQ(Faults(c.dialogue), std::vector<std::string>{c.fault}) << c.dialogue;
}

}  // namespace
}  // namespace kestrelle
