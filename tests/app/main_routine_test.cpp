#include "app/main_routine.h"

#include <gtest/gtest.h>

#include "app/engine_control.h"
#include "data/class_registry.h"
#include "data/process_settings.h"

namespace kestrelle {
namespace {

TEST(CommandLine, OnlyTheFirstArgumentCountsIgnoringCase) {
  const std::pair<std::vector<std::string>, CommandLineAction> cases[] = {
      {{}, CommandLineAction::RunGame},
      {{"-INSTALL"}, CommandLineAction::Install},
      {{"-install", "-uninstall"}, CommandLineAction::Install},
      {{"-Uninstall"}, CommandLineAction::Uninstall},
      {{"-other", "-install"}, CommandLineAction::RunGame},
  };
  for (const auto& [args, action] : cases) EXPECT_EQ(ParseCommandLine(args), action);
}

TEST(CommandLine, HooksRunAndMissingHooksJustExit) {
  int installs = 0;
  Settings().InstallHook = [&] { ++installs; };
  Settings().UninstallHook = nullptr;
  EXPECT_EQ(RunMainRoutine({"-install", "-uninstall"}), 0);
  EXPECT_EQ(installs, 1);
  EXPECT_EQ(RunMainRoutine({"-uninstall"}), 0);
  Settings().InstallHook = [] { throw std::runtime_error("hook failed"); };
  EXPECT_EQ(RunMainRoutine({"-install"}), 0);  // swallowed
  Settings().InstallHook = nullptr;
}

// An engine that records how the start-up code drives it.
struct ScriptedEngine : TAbstractObject, IEngineControl {
  static inline std::vector<std::string> calls;
  static inline bool startResult = true;
  static inline bool throwInRun = false;
  bool Start(const std::string& file) override {
    calls.push_back("Start " + file);
    if (!startResult) Shutdown();
    return startResult;
  }
  void Run() override {
    calls.push_back("Run");
    if (throwInRun) throw std::runtime_error("boom");
  }
  void Shutdown() override { calls.push_back("Shutdown"); }
};

TEST(MainRoutine, DrivesTheRegisteredEngine) {
  ClassRegistry::Instance().Clear();
  EXPECT_FALSE(RunEngine("x.ini"));  // no engine registered: quietly nothing
  RegisterObjectClass<ScriptedEngine>(kEngineClassName);

  ScriptedEngine::calls.clear();
  ScriptedEngine::startResult = true;
  ScriptedEngine::throwInRun = true;
  EXPECT_TRUE(RunEngine("g.ini"));
  EXPECT_EQ(ScriptedEngine::calls, (std::vector<std::string>{"Start g.ini", "Run", "Shutdown"}));

  ScriptedEngine::calls.clear();
  ScriptedEngine::startResult = false;
  EXPECT_FALSE(RunEngine("g.ini"));
  EXPECT_EQ(ScriptedEngine::calls, (std::vector<std::string>{"Start g.ini", "Shutdown", "Shutdown"}));
  ClassRegistry::Instance().Clear();
}

}  // namespace
}  // namespace kestrelle
