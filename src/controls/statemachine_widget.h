#pragma once
// "statemachine_widget": plays its children as a random idle animation. In each numbered state
// it picks one of the state's actions by weight, shows and restarts that action's child for the
// action's duration, hides it and goes to the action's next state.

#include <cstdint>
#include <memory>

#include "controls/action_defs.h"
#include "widgets/group_widget.h"

namespace kestrelle {

class TStateMachineWidget : public TVisualGroupWidget {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void Reset() override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void DoUpdate(int32_t elapsedMs) override;

  std::shared_ptr<state_machine::TActionDefCollection> GetActionDefs() const { return actionDefs_; }
  int32_t GetCurrentState() const { return currentState_; }
  state_machine::ActionDefRef GetCurrentAction() const { return currentAction_; }

 private:
  void NextAction();
  void StartAction(const state_machine::ActionDefRef& action);
  void StopAction(const state_machine::ActionDefRef& action);

  std::shared_ptr<state_machine::TActionDefCollection> actionDefs_;
  int32_t currentState_ = 0;
  state_machine::ActionDefRef currentAction_;
  int32_t actionDuration_ = 0;
};

}  // namespace kestrelle
