// The state machine under the state scenarios: start state, default chain, checks, choice of the
// next state, entry hooks and ends.
#include "controls/state_machine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrelle {
namespace {

struct Trace {
  std::vector<std::string> entered;
  TState::EnterHook Enter() {
    return [this](TState& s) { entered.push_back(s.Name); };
  }
};

TEST(StateMachine, ChainOfStatesWithoutChecks) {
  TStateMachine machine;
  Trace trace;
  ASSERT_TRUE(machine.AddState("a", "exit", {}, {}, {}, trace.Enter()));
  ASSERT_TRUE(machine.AddState("enter", "a", {}, {}, {}, trace.Enter()));
  ASSERT_TRUE(machine.AddState("exit", "", {}, {}, {}, trace.Enter()));
  EXPECT_FALSE(machine.AddState("A", "x"));  // names ignore case; nothing added
  EXPECT_EQ(machine.Count(), 3);

  // First update: "enter" (not the first declared) is entered and left at once for "a".
  ASSERT_TRUE(machine.Start());
  EXPECT_EQ(machine.PreviousName(), "");
  EXPECT_TRUE(machine.Run(10));
  EXPECT_EQ(machine.CurrentName(), "a");
  EXPECT_EQ(machine.PreviousName(), "enter");
  // Second update: "exit". Third: no next name, the end.
  EXPECT_TRUE(machine.Run(10));
  EXPECT_EQ(machine.CurrentName(), "exit");
  EXPECT_FALSE(machine.Run(10));
  EXPECT_EQ(trace.entered, (std::vector<std::string>{"enter", "a", "exit"}));
}

TEST(StateMachine, ChecksChoicesAndStateTime) {
  TStateMachine machine;
  std::vector<std::string> log;
  int updates = 0;
  bool open = false;
  machine.AddState(
      "first", "second", [&](TState&, int32_t dt) { updates += dt; }, {},
      [&](TState&) {
        log.push_back("check");
        return open;
      });
  machine.AddState("second", "third", {}, [&](TState&, std::string& next) { next = "next"; });
  machine.AddState("third", "", {}, [&](TState&, std::string& next) { next = "first"; });
  machine.Start();  // no "enter": the first declared state
  EXPECT_EQ(machine.CurrentName(), "first");
  machine.AddStateTime(30);
  EXPECT_TRUE(machine.Run(30));
  EXPECT_TRUE(machine.Run(20));
  EXPECT_EQ(machine.CurrentName(), "first");
  EXPECT_EQ(machine.StateTime(), 30);
  EXPECT_EQ(updates, 50);
  open = true;
  EXPECT_TRUE(machine.Run(10));
  EXPECT_EQ(machine.CurrentName(), "second");
  EXPECT_EQ(machine.StateTime(), 0);
  EXPECT_TRUE(machine.Run(10));  // "next" means the default
  EXPECT_EQ(machine.CurrentName(), "third");
  EXPECT_TRUE(machine.Run(10));  // the choice goes back
  EXPECT_EQ(machine.CurrentName(), "first");
  EXPECT_EQ(log.size(), 3u);
}

TEST(StateMachine, UnknownNamesEnd) {
  TStateMachine empty;
  EXPECT_TRUE(empty.Start());  // nothing to do, but no end either
  EXPECT_TRUE(empty.Run(10));
  EXPECT_EQ(empty.Current(), nullptr);

  TStateMachine machine;
  machine.AddState("enter", "missing");
  machine.Start();
  EXPECT_FALSE(machine.Run(10));
  EXPECT_EQ(machine.Current(), nullptr);
  EXPECT_FALSE(machine.SetState("nowhere"));
}

TEST(StateMachine, AHookMayChangeStateItself) {
  TStateMachine machine;
  machine.AddState("enter", "never", [&](TState&, int32_t) { machine.SetState("done"); });
  machine.AddState("done", "");
  machine.Start();
  EXPECT_TRUE(machine.Run(10));  // the hook's own move counts as this update's step
  EXPECT_EQ(machine.CurrentName(), "done");
}

}  // namespace
}  // namespace kestrelle
