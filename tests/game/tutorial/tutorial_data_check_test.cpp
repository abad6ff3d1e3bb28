// The data check "guided level": a guided level whose screen, pages, helps, companion screens or
// levels would leave the lesson stuck, blind or broken is named, one line for each fault.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game.h"
#include "data/hier_storage.h"
#include "game/data_checks.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

// A page as the demo writes it: a note, and on the pages a press moves on an OK button.
std::string Page(int n, bool hides, bool ok) {
  const std::string stop = ok ? " mousestop=\"yes\"" : "";
  return "<widget type=\"group_widget\" name=\"" + std::to_string(n) +
         "\" extraparams=\"\\show_next_state=" + (hides ? "no" : "yes") + "\"" + stop +
         "><widgets><widget type=\"image_widget\" name=\"panel\"/>" +
         (ok ? "<widget type=\"ButtonControl\" name=\"button_ok\" mousestop=\"yes\"/>" : "") + "</widgets></widget>";
}

std::string GoodDefinition() {
  std::string pages;
  for (int n = 0; n < 14; ++n) {
    const bool hides = n <= 1 || (n >= 4 && n <= 6) || n >= 12;
    pages += Page(n, hides, n == 3 || (n >= 7 && n <= 11));
  }
  return R"(<game type="Game" name="g"><gamescreens>
    <gamescreen type="KestrelleGameScreenMain" name="GS_MainMenu"><window/><levels>
      <level level="1"><properties><param name="client_goal" value="5"/><param name="minigames" value="seed_box;"/></properties></level>
      <level level="99"><properties><param name="client_goal" value="5"/><param name="minigames" value="seed_box;"/></properties></level>
    </levels></gamescreen>
    <gamescreen type="KestrelleGameScreenGameTutorial" name="GS_GameTutorial"><window><widgets>
      <widget type="group_widget" name="bg_group"/><widget type="group_widget" name="tools_mat"/>
      <widget type="KestrelleControlGameTutorial" name="control_game_main"><widgets>
        <widget type="group_widget" name="shop_stations"/><widget type="group_widget" name="shop_items"/>
        <widget type="group_widget" name="money_counter"/><widget type="group_widget" name="client_counter"/>
        <widget type="group_widget" name="scenario_group"/>
      </widgets></widget>
      <widget type="group_widget" name="timer_control"/><widget type="group_widget" name="control_tools"/>
      <widget type="ButtonControl" name="button_menu"/><widget type="ButtonControl" name="button_skip"/>
      <widget type="rect_widget" name="frame_black"/><widget type="flash_scenario" name="fade_in"/>
      <widget type="flash_scenario" name="fade_out"/>
      <widget type="states_widget" name="states" mousestop="yes"><widgets>)" +
         pages +
         R"(</widgets></widget>
    </widgets></window></gamescreen>
    <gamescreen type="KestrelleGameScreenStatTutorial" name="GS_StatTutorial"><window/></gamescreen>
    <gamescreen type="GameScreenQueryDialog" name="GS_SkipTutorial"><window/></gamescreen>
    <gamescreen type="KestrelleGameScreenMapTutorial" name="GS_MapTutorial"><window><widgets>
      <widget type="states_widget" name="states"><widgets><widget type="group_widget" name="0"/>)"
         R"(<widget type="group_widget" name="1"/></widgets></widget><widget type="ButtonControl" name="button_ok"/>
    </widgets></window></gamescreen>
  </gamescreens></game>)";
}

// "PATH: MESSAGE" for each fault the check finds in the definition.
std::vector<std::string> Faults(const std::string& definition) {
  testing::EnsureGameClassesRegistered();
  auto game = Create<TGame>();
  game->SetName("g");
  game->LoadFromStorage(LoadStorageFromString(definition));
  std::vector<std::string> faults;
  for (const auto& [name, check] : DataChecks())
    if (name == "guided level")
      check({game, [&](DataFinding finding) { faults.push_back(finding.path + ": " + finding.message); },
             LoadStorageFromString(definition)});
  return faults;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << "the fixture has no " << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

const std::string kGuided = "game[g]/gamescreens/gamescreen[GS_GameTutorial]";
const std::string kStates = kGuided + "/window/widgets/widget[states]";

TEST(GuidedLevelCheck, TheDemoShapeHasNoFault) { EXPECT_EQ(Faults(GoodDefinition()), std::vector<std::string>{}); }

TEST(GuidedLevelCheck, EachFaultOfTheGuidedScreenIsNamed) {
  const std::string page4 = Page(4, true, false);
  const struct {
    std::string from, to;
    std::vector<std::string> faults;
  } cases[] = {
      {Page(7, false, true), "", {kStates + ": \"states\" lacks the page \"7\""}},
      {R"(<widget type="ButtonControl" name="button_skip"/>)",
       "",
       {kGuided + ": the guided level's screen lacks the widget \"button_skip\""}},
      {R"(<widget type="group_widget" name="scenario_group"/>)",
       "",
       {kGuided + ": the guided level's screen lacks the widget \"control_game_main/scenario_group\""}},
      // A second page "4" does not load; "04" is not found as page 4.
      {page4,
       page4 + page4,
       {kStates + ": \"states\" has more than one page \"4\" (a second widget of a name does not load)"}},
      {R"(name="4")",
       R"(name="04")",
       {kStates + ": \"states\" lacks the page \"4\"",
        kStates + ": \"states\" has \"04\", which is not the number of a page (\"0\" .. \"13\", in decimal)"}},
      {page4 + Page(5, true, false),
       Page(5, true, false) + page4,
       {kStates + ": the pages of \"states\" are out of order (\"0\", \"1\", \"2\", \"3\", \"5\", \"4\", \"6\", \"7\", "
                  "\"8\", \"9\", \"10\", \"11\", \"12\", \"13\"): it shows page n as its child n, so they must come as "
                  "\"0\" .. \"13\""}},
      {page4,
       Page(4, false, false),
       {kStates + "/widgets/widget[4]: page \"4\" lacks \"show_next_state=no\" in its extraparams: a press on it "
                  "would show the next page before the lesson brings it"}},
      {Page(2, false, false),
       Page(2, true, false),
       {kStates + "/widgets/widget[2]: page \"2\" says \"show_next_state=no\": the press that should show the next "
                  "page would only hide it, and the lesson would stop there"}},
      {R"(name="8" extraparams="\show_next_state=yes" mousestop="yes"><widgets><widget type="image_widget" name="panel"/>)",
       R"(name="8" extraparams="\show_next_state=yes" mousestop="yes"><widgets><widget type="image_widget" name="panel" mousestop="yes"/>)",
       {kStates + ": \"states/8/panel\" (a \"image_widget\" with mousestop=\"yes\") keeps presses from the shop floor "
                  "under the pages"}},
      {R"(name="9" extraparams="\show_next_state=yes" mousestop="yes")",
       R"(name="9" extraparams="\show_next_state=yes")",
       {kStates + ": the button \"states/9/button_ok\" takes no press: it and every group above it need "
                  "mousestop=\"yes\""}},
      {R"(type="KestrelleControlGameTutorial")",
       R"(type="KestrelleControlGameMain")",
       {kGuided + "/window/widgets/widget[control_game_main]: the level control is a \"KestrelleControlGameMain\", not "
                  "the guided level's \"KestrelleControlGameTutorial\""}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Faults(Replaced(GoodDefinition(), c.from, c.to)), c.faults) << c.from << " -> " << c.to;
}

TEST(GuidedLevelCheck, HelpsCompanionScreensAndLevelsAreChecked) {
  const std::string help = "game[g]/gamescreens/gamescreen[GS_MapTutorial]";
  const std::string levels = "game[g]/gamescreens/gamescreen[GS_MainMenu]/levels";
  const struct {
    std::string from, to;
    std::vector<std::string> faults;
  } cases[] = {
      {R"(<widget type="group_widget" name="1"/></widgets></widget><widget type="ButtonControl" name="button_ok"/>)",
       "</widgets></widget>",
       {help + ": the two-page help lacks the widget \"button_ok\"",
        help + "/window/widgets/widget[states]: \"states\" lacks the page \"1\""}},
      {R"(<gamescreen type="GameScreenQueryDialog" name="GS_SkipTutorial"><window/></gamescreen>)",
       "",
       {"game[g]/gamescreens: the guided level opens the screen \"GS_SkipTutorial\", which is missing"}},
      {R"(<param name="client_goal" value="5"/><param name="minigames" value="seed_box;"/></properties></level>
      <level level="99">)",
       R"(<param name="client_goal" value="6"/><param name="minigames" value=""/></properties></level>
      <level level="99">)",
       {levels + "/level[1]: the \"client_goal\" is \"6\", but the guided level played on it brings 5 clients",
        levels + "/level[1]: \"minigames\" is empty: the guided level's last client orders one of them"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Faults(Replaced(GoodDefinition(), c.from, c.to)), c.faults) << c.from << " -> " << c.to;
  // Without a guided level its screens and levels are nobody's business.
  const std::string definition = GoodDefinition();
  const size_t from = definition.find(R"(<gamescreen type="KestrelleGameScreenGameTutorial")");
  const size_t to = definition.find(R"(<gamescreen type="KestrelleGameScreenMapTutorial")");
  std::string noGuided = definition;
  noGuided.erase(from, to - from);
  EXPECT_EQ(Faults(Replaced(noGuided, R"(value="5")", R"(value="7")")), std::vector<std::string>{});
}

}  // namespace
}  // namespace kestrelle
