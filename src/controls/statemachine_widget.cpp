#include "controls/statemachine_widget.h"

#include "data/hier_storage.h"

namespace kestrelle {

void TStateMachineWidget::Initialize() {
  TVisualGroupWidget::Initialize();
  actionDefs_ = Create<state_machine::TActionDefCollection>();
  currentState_ = 0;
  currentAction_ = nullptr;
  actionDuration_ = 0;
}

void TStateMachineWidget::LoadProperties(const StorageRef& storage) {
  TVisualGroupWidget::LoadProperties(storage);
  for (const WidgetRef& child : widgets_->Snapshot()) child->SetVisible(false);
  LoadChildObject(actionDefs_, storage, "actiondefs", 0);
}

void TStateMachineWidget::SaveProperties(const StorageRef& storage) {
  TVisualGroupWidget::SaveProperties(storage);
  SaveChildObject(actionDefs_, storage, "actiondefs");
}

void TStateMachineWidget::Reset() {
  actionDefs_->Clear();
  TVisualGroupWidget::Reset();
}

void TStateMachineWidget::SetOwner(const WidgetOwnerRef& owner) {
  TVisualGroupWidget::SetOwner(owner);
  NextAction();
}

void TStateMachineWidget::ClearOwner() {
  StopAction(currentAction_);
  currentAction_ = nullptr;
  TVisualGroupWidget::ClearOwner();
}

void TStateMachineWidget::DoUpdate(int32_t elapsedMs) {
  TVisualGroupWidget::DoUpdate(elapsedMs);
  if (currentTime_ < actionDuration_) return;
  currentTime_ = 0;
  NextAction();
  SetChanged(true);
}

void TStateMachineWidget::NextAction() {
  if (currentAction_) {
    currentState_ = currentAction_->GetNextState();
    StopAction(currentAction_);
  } else {
    currentState_ = 0;
  }
  // Without an action for the state the last duration is waited out and the walk restarts at 0.
  currentAction_ = actionDefs_->Pick(currentState_);
  if (!currentAction_) return;
  actionDuration_ = currentAction_->GetDuration();
  StartAction(currentAction_);
}

void TStateMachineWidget::StartAction(const state_machine::ActionDefRef& action) {
  WidgetRef child = action ? widgets_->GetByName(action->GetWidgetName()) : nullptr;
  if (!child) return;
  child->Restart();
  child->SetVisible(true);
}

void TStateMachineWidget::StopAction(const state_machine::ActionDefRef& action) {
  WidgetRef child = action ? widgets_->GetByName(action->GetWidgetName()) : nullptr;
  if (!child) return;
  child->Pause();
  child->SetVisible(false);
}

}  // namespace kestrelle
