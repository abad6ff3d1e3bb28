#pragma once
// "state_scenario": a scenario run by a state machine. Subclasses declare their states in
// Initialize (AddState); the first update with a non-negative clock enters "enter" (or the first
// state), and each update runs the current state's hooks and may move on to the next state. An
// empty or unknown next state ends the scenario. TControlStateScenario knows the game control
// that started it ("control_game") and reports its end there with command 11.

#include <cstdint>
#include <memory>
#include <string>

#include "controls/scenarios.h"
#include "controls/state_machine.h"

namespace kestrelle {

class TStateScenario : public TScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void DoUpdate(int32_t elapsedMs) override;

  bool AddState(const std::string& name, const std::string& nextName, TState::UpdateHook onUpdate = {},
                TState::ChooseNextHook onChooseNext = {}, TState::CheckDoneHook onCheckDone = {},
                TState::EnterHook onEnter = {});
  // Leaves the current state for the named one; an unknown name ends the scenario.
  void SetState(const std::string& name);
  // A wait of `ms` from now: the clock restarts at 0 (a pending start delay is kept).
  void StartWait(int32_t ms);
  // The wait is over (and forgotten) once the clock reaches it.
  bool IsWaitOver();
  // A widget from the factory of that name added to `target`'s children (unless the name is
  // taken there); with `remember` its name is kept in the created names.
  WidgetRef CreateChildWidget(const WidgetRef& target, const std::string& factoryName, const ParamsRef& params,
                              bool remember);
  void Complete() { SetDead(true); }

  TStateMachine& Machine() { return machine_; }
  const std::string& GetCreatedNames() const { return createdNames_; }
  int64_t GetStateTime() const { return machine_.StateTime(); }
  int32_t GetWaitTime() const { return waitTime_; }
  bool GetForceComplete() const { return forceComplete_; }

 protected:
  // Hooks bound to this scenario: the callbacks do not outlive the scenario that owns the states.
  TState::CheckDoneHook WaitIsOver() {
    return [this](TState&) { return IsWaitOver(); };
  }

 private:
  TStateMachine machine_;
  bool starting_ = true;
  bool forceComplete_ = false;
  std::string createdNames_;
  int32_t waitTime_ = 0;
};

class TControlStateScenario : public TStateScenario {
 public:
  static constexpr int32_t kCommandFinalize = 11;

  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  void ClearOwner() override;

  WidgetRef GetControlGame() const { return controlGame_.lock(); }
  // A numbered command to the game control that started this scenario.
  void ReportToControl(int32_t code, const ParamsRef& params);
  // The common ending: command 11 with "scenario_to_finalize" = this scenario's name, then death.
  void Finalize();

 private:
  std::weak_ptr<IWidget> controlGame_;
};

}  // namespace kestrelle
