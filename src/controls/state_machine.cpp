#include "controls/state_machine.h"

namespace kestrelle {

bool TStateMachine::AddState(const std::string& name, const std::string& nextName, TState::UpdateHook onUpdate,
                             TState::ChooseNextHook onChooseNext, TState::CheckDoneHook onCheckDone,
                             TState::EnterHook onEnter) {
  if (states_.Exists(name)) return false;
  auto state = std::make_unique<TState>();
  state->Name = name;
  state->NextName = nextName;
  state->OnUpdate = std::move(onUpdate);
  state->OnChooseNext = std::move(onChooseNext);
  state->OnCheckDone = std::move(onCheckDone);
  state->OnEnter = std::move(onEnter);
  return states_.Add(std::move(state), name) != nullptr;
}

TState* TStateMachine::Find(const std::string& name) {
  auto* state = states_.Get(name);
  return state ? state->get() : nullptr;
}

bool TStateMachine::SetState(const std::string& name) {
  if (current_) previousName_ = current_->Name;
  TState* next = name.empty() ? nullptr : Find(name);
  current_ = next;
  if (!next) return false;
  stateTime_ = 0;
  if (next->OnEnter) next->OnEnter(*next);
  return true;
}

bool TStateMachine::Start() {
  if (states_.Count() == 0) return true;
  TState* start = Find("enter");
  if (!start) start = states_.GetAt(0)->get();
  current_ = nullptr;
  bool entered = SetState(start->Name);
  previousName_.clear();
  return entered;
}

bool TStateMachine::Run(int32_t elapsedMs) {
  TState* state = current_;
  if (!state) return true;
  if (state->OnUpdate) state->OnUpdate(*state, elapsedMs);
  if (current_ != state) return current_ != nullptr;  // the hook moved on by itself
  if (state->OnCheckDone && !state->OnCheckDone(*state)) return true;
  if (current_ != state) return current_ != nullptr;
  std::string next = state->NextName;
  if (state->OnChooseNext) {
    state->OnChooseNext(*state, next);
    if (next == "next") next = state->NextName;
  }
  return SetState(next);
}

}  // namespace kestrelle
