// Scenarios on the headless harness: a state scenario started by factory name into a game
// control's "scenario_group", driven through its states by time and by checks, finalized with
// command 11; and the fade of a transparent scenario.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/control_widget.h"
#include "controls/controls_fixture.h"
#include "controls/state_scenario.h"

namespace kestrelle::testing {
namespace {

class TestGameControl : public TControlGameWidget {
 public:
  bool goal = false;
  std::vector<std::string> commands;  // "code" or "11:name"

  Variant GetProperty(const std::string& name) override {
    if (name == "goal") return Variant(goal);
    return TControlGameWidget::GetProperty(name);
  }

 protected:
  void Command(int32_t code, const ParamsRef&) override { commands.push_back(std::to_string(code)); }
  void ScenarioFinalized(const std::string& name, const ParamsRef&) override {
    commands.push_back("11:" + name);
    Notify(kFirstNotification);
  }
};

// enter (wait 300 ms, create a coin) -> fly (until the control reports its goal) -> exit (report).
class TestLevelScenario : public TControlStateScenario {
 public:
  void Initialize() override {
    TControlStateScenario::Initialize();
    AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
    AddState("enter", "fly", {}, {}, WaitIsOver(), [this](TState&) {
      StartWait(300);
      ParamsRef params = CreateParams();
      params->SetValue("name", Variant("coin"));
      CreateChildWidget(Self(), "coin", params, true);
    });
    AddState(
        "fly", "exit",
        [this](TState&, int32_t dt) {
          if (WidgetRef coin = FindWidget("coin")) coin->SetAnchorTop(coin->GetAnchorTop() + dt);
        },
        {},
        [this](TState&) {
          WidgetRef control = GetControlGame();
          return control && control->GetProperty("goal").ToBool();
        },
        [this](TState&) { ReportToControl(20, nullptr); });
  }
};

// enter (wait `wait` ms; with `killOnEnter` the scenario dies on entry) -> report (command 11).
class TestReportingScenario : public TControlStateScenario {
 public:
  int32_t wait = 0;
  bool killOnEnter = false;

  void Initialize() override {
    TControlStateScenario::Initialize();
    AddState("enter", "report", {}, {}, WaitIsOver(), [this](TState&) {
      StartWait(wait);
      if (killOnEnter) Complete();
    });
    AddState("report", "", {}, {}, {}, [this](TState&) { Finalize(); });
  }
};

void RegisterTestScenarioClasses() {
  EnsureControlsRegistered();
  if (!ClassRegistry::Instance().IsRegistered("test_game_control")) {
    RegisterObjectClass<TestGameControl>("test_game_control");
    RegisterObjectClass<TestLevelScenario>("test_level_scenario");
    RegisterObjectClass<TestReportingScenario>("test_reporting_scenario");
  }
}

const char* kLevelXml = R"(
  <widget type="test_game_control" name="level" width="200" height="200" visible="yes">
    <widgetfactories>
      <widgetfactory name="level_start"
        widgetstring="&lt;widget type=&quot;test_level_scenario&quot; name=&quot;%name%&quot; visible=&quot;yes&quot;/&gt;"/>
      <widgetfactory name="reporting"
        widgetstring="&lt;widget type=&quot;test_reporting_scenario&quot; name=&quot;%name%&quot; visible=&quot;yes&quot;/&gt;"/>
      <widgetfactory name="coin"
        widgetstring="&lt;widget type=&quot;rect_widget&quot; name=&quot;%name%&quot; width=&quot;8&quot; height=&quot;8&quot; color=&quot;FFD700&quot; visible=&quot;yes&quot;/&gt;"/>
    </widgetfactories>
    <widgets>
      <widget type="group_widget" name="scenario_group" visible="yes"/>
    </widgets>
  </widget>)";

TEST(StateScenario, DrivenByTimeAndChecksThenFinalized) {
  RegisterTestScenarioClasses();
  WidgetHarness h(kLevelXml);
  auto control = std::dynamic_pointer_cast<TestGameControl>(h.Find("level"));
  ASSERT_TRUE(control);
  ParamsRef params = CreateParams();
  params->SetValue("name", Variant("scenario_start"));
  WidgetRef scenario = control->CreateScenario("level_start", params, true);
  ASSERT_TRUE(scenario);
  EXPECT_EQ(h.Find("level/scenario_group/scenario_start"), scenario);
  EXPECT_EQ(scenario->GetProperty("control_game").As<IWidget>(), std::dynamic_pointer_cast<IWidget>(control));
  EXPECT_EQ(control->GetScenarioNames(), "scenario_start;");
  EXPECT_FALSE(control->CreateScenario("no_such_factory", params, true));
  EXPECT_FALSE(control->CreateScenario("level_start", params, true));  // the name is taken

  auto state = [&] { return scenario->GetProperty("state").ToString(); };
  h.Frame(10);  // starts: "enter" waits 300 ms from here
  EXPECT_EQ(state(), "enter");
  EXPECT_TRUE(h.Find("level/scenario_group/scenario_start/coin"));
  h.Frame(100);
  h.Frame(100);
  EXPECT_EQ(state(), "enter");
  h.Frame(100);  // the wait is over
  EXPECT_EQ(state(), "fly");
  EXPECT_EQ(control->commands, (std::vector<std::string>{"20"}));
  h.Frame(40);
  h.Frame(40);
  EXPECT_EQ(state(), "fly");  // the check says no
  EXPECT_EQ(h.Find("level/scenario_group/scenario_start/coin")->GetAnchorTop(), 80);
  control->goal = true;
  h.Frame(10);  // "exit": command 11 to the control, which tells the screen
  EXPECT_EQ(control->commands, (std::vector<std::string>{"20", "11:scenario_start"}));
  EXPECT_EQ(control->GetScenarioNames(), "");
  EXPECT_EQ(EventLog(*h.screen), (std::vector<std::string>{"32771:level"}));
  EXPECT_EQ(h.Find("level/scenario_group")->GetWidgets()->GetCount(), 0);  // gone, with its coin
  h.Frame(10);
  EXPECT_EQ(control->commands.size(), 2u);  // reported once
}

// The current state's update and transition check run whenever there is a current
// state, also in the update in which the scenario has died (by its time to live in the base
// update, or by the start state's enter); a report from the next state's enter then arrives.
TEST(StateScenario, TheUpdateInWhichTheScenarioDiesStillRunsItsStateStep) {
  struct Case {
    const char* what;
    int32_t timeToLive;
    int32_t wait;
    bool killOnEnter;
    std::vector<int32_t> frames;
    std::vector<std::string> commands;  // after the last frame
    const char* state;                  // the state the scenario ended in
  };
  const Case cases[] = {
      {"alive: the report when the wait is over", 0, 300, false, {10, 100, 100, 100}, {"11:s"}, "report"},
      {"time to live reached as the wait is over", 300, 300, false, {10, 100, 100, 100}, {"11:s"}, "report"},
      {"time to live reached before the wait is over", 300, 400, false, {10, 100, 100, 100}, {}, "enter"},
      {"time to live reached in the starting update", 10, 0, false, {10}, {"11:s"}, "report"},
      {"start state kills the scenario, its check passes", 0, 0, true, {10}, {"11:s"}, "report"},
      {"start state kills the scenario, its wait pending", 0, 100, true, {10}, {}, "enter"},
  };
  RegisterTestScenarioClasses();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WidgetHarness h(kLevelXml);
    auto control = std::dynamic_pointer_cast<TestGameControl>(h.Find("level"));
    ASSERT_TRUE(control);
    ParamsRef params = CreateParams();
    params->SetValue("name", Variant("s"));
    auto scenario =
        std::dynamic_pointer_cast<TestReportingScenario>(control->CreateScenario("reporting", params, true));
    ASSERT_TRUE(scenario);
    scenario->SetProperty("timetolive", Variant(c.timeToLive));
    scenario->wait = c.wait;
    scenario->killOnEnter = c.killOnEnter;
    for (size_t i = 0; i + 1 < c.frames.size(); ++i) {
      h.Frame(c.frames[i]);
      EXPECT_TRUE(control->commands.empty()) << "frame " << i;
      EXPECT_FALSE(scenario->GetDead()) << "frame " << i;
    }
    h.Frame(c.frames.back());
    EXPECT_TRUE(scenario->GetDead());
    EXPECT_EQ(h.Find("level/scenario_group")->GetWidgets()->GetCount(), 0);
    EXPECT_EQ(control->commands, c.commands);
    EXPECT_EQ(scenario->GetProperty("state").ToString(), c.state);
    h.Frame(10);
    EXPECT_EQ(control->commands, c.commands);  // reported at most once
  }
}

TEST(StateScenario, StartDelayAndWaits) {
  RegisterTestScenarioClasses();
  WidgetHarness h(kLevelXml);
  auto control = std::dynamic_pointer_cast<TestGameControl>(h.Find("level"));
  ParamsRef params = CreateParams();
  params->SetValue("name", Variant("late"));
  WidgetRef scenario = control->CreateScenario("level_start", params, false);
  scenario->SetProperty("currenttime", Variant(-200));
  auto* machine = &std::dynamic_pointer_cast<TStateScenario>(scenario)->Machine();
  h.Frame(100);
  h.Frame(99);
  EXPECT_EQ(machine->Current(), nullptr);  // still in the start delay
  EXPECT_EQ(machine->StateTime(), 199);
  h.Frame(1);  // the clock reaches 0: start, and the wait keeps its 300 ms
  EXPECT_EQ(machine->CurrentName(), "enter");
  h.Frame(299);
  EXPECT_EQ(machine->CurrentName(), "enter");
  h.Frame(1);
  EXPECT_EQ(machine->CurrentName(), "fly");

  // StartWait during a start delay keeps the delay: 200 + 1000 ms.
  auto waiting = std::dynamic_pointer_cast<TStateScenario>(WidgetHarness::Make(R"(<widget type="state_scenario"/>)"));
  waiting->SetProperty("currenttime", Variant(-200));
  waiting->StartWait(1000);
  waiting->Update(1199);
  EXPECT_FALSE(waiting->IsWaitOver());
  waiting->Update(1);
  EXPECT_TRUE(waiting->IsWaitOver());
  EXPECT_EQ(waiting->GetWaitTime(), 0);
}

TEST(TransparentScenario, FadesAndRestores) {
  EnsureControlsRegistered();
  WidgetHarness h(R"(
      <widget type="rect_widget" name="target" width="10" height="10" transparentlevel="200" visible="yes"/>
      <widget type="transparent_scenario" name="fade" start_trans_level="255" end_trans_level="0"
              timetolive="500" makeinvisible="yes"/>
      <widget type="move_scenario" name="move" timetolive="400" startposx="0" endposx="100" startposy="10"
              endposy="50"/>
      <widget type="rect_widget" name="mover" width="5" height="5" visible="yes"/>)");
  h.root->SetProperty("fade/widget", Variant(InterfaceRef(h.Find("target"))));
  h.root->SetProperty("move/widget", Variant(InterfaceRef(h.Find("mover"))));
  EXPECT_EQ(h.Prop("target/transparentlevel").ToInt(), 255);  // the start level at once
  h.Frame(250);
  EXPECT_EQ(h.Prop("target/transparentlevel").ToInt(), 128);  // 255 + 250 × (−255) div 500
  EXPECT_DOUBLE_EQ(h.Find("mover")->GetAnchorLeft(), 62.5);
  EXPECT_DOUBLE_EQ(h.Find("mover")->GetAnchorTop(), 35);
  h.Frame(250);
  EXPECT_EQ(h.Prop("target/transparentlevel").ToInt(), 200);  // the level from before the fade
  EXPECT_FALSE(h.Find("target")->GetVisible());
  EXPECT_FALSE(h.Find("fade"));
  EXPECT_DOUBLE_EQ(h.Find("mover")->GetAnchorLeft(), 100);  // the move ends on its end position
  EXPECT_DOUBLE_EQ(h.Find("mover")->GetAnchorTop(), 50);
}

}  // namespace
}  // namespace kestrelle::testing
