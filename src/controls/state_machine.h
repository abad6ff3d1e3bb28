#pragma once
// The states of a state scenario and the machine that walks them: states declared in order,
// entered by name, each with optional hooks (update, may-leave check, choice of the next state,
// entry); a state is left at most once per update.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "data/keyed_list.h"

namespace kestrelle {

class TState {
 public:
  using UpdateHook = std::function<void(TState& state, int32_t elapsedMs)>;
  using ChooseNextHook = std::function<void(TState& state, std::string& next)>;
  using CheckDoneHook = std::function<bool(TState& state)>;
  using EnterHook = std::function<void(TState& state)>;

  std::string Name;
  std::string NextName;  // the state that follows by default; may be empty
  UpdateHook OnUpdate;
  ChooseNextHook OnChooseNext;  // the answer "next" means NextName
  CheckDoneHook OnCheckDone;    // without it a state may always be left
  EnterHook OnEnter;
};

class TStateMachine {
 public:
  // Appends a state; false (nothing added) when a state of that name exists.
  bool AddState(const std::string& name, const std::string& nextName, TState::UpdateHook onUpdate = {},
                TState::ChooseNextHook onChooseNext = {}, TState::CheckDoneHook onCheckDone = {},
                TState::EnterHook onEnter = {});
  // Leaves the current state and enters the named one (its clock restarts and its OnEnter runs).
  // False, with no current state left, when there is no such state: the scenario then ends.
  bool SetState(const std::string& name);

  // Enters "enter", or the first declared state without one; the previous name is cleared. False
  // when the start state's OnEnter asked to end; true (and nothing else) without states.
  bool Start();
  // The current state's OnUpdate, then, when it may be left, the step to the next state. False
  // when the next name is empty or unknown (the scenario then ends).
  bool Run(int32_t elapsedMs);

  TState* Current() const { return current_; }
  std::string CurrentName() const { return current_ ? current_->Name : std::string(); }
  const std::string& PreviousName() const { return previousName_; }
  int64_t StateTime() const { return stateTime_; }
  void AddStateTime(int64_t ms) { stateTime_ += ms; }
  int32_t Count() const { return states_.Count(); }
  TState* Find(const std::string& name);

 private:
  TKeyedList<std::unique_ptr<TState>> states_;
  TState* current_ = nullptr;
  std::string previousName_;
  int64_t stateTime_ = 0;
};

}  // namespace kestrelle
