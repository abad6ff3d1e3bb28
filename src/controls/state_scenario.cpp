#include "controls/state_scenario.h"

#include "controls/control_values.h"
#include "controls/control_widget.h"
#include "data/variant_values.h"

namespace kestrelle {

const TPropertyTable& TStateScenario::GetPropertyTable() const {
  static const TPropertyTable table(TScenario::GetPropertyTable(),
                                    {
                                        Property("force_complete", &TStateScenario::forceComplete_).NotStored().Quiet(),
                                    });
  return table;
}

void TStateScenario::Initialize() {
  TScenario::Initialize();
  machine_ = TStateMachine();
  starting_ = true;
  createdNames_.clear();
  waitTime_ = 0;
}

Variant TStateScenario::GetProperty(const std::string& name) {
  if (PropIs(name, "state")) return Variant(machine_.CurrentName());
  return TScenario::GetProperty(name);
}

bool TStateScenario::AddState(const std::string& name, const std::string& nextName, TState::UpdateHook onUpdate,
                              TState::ChooseNextHook onChooseNext, TState::CheckDoneHook onCheckDone,
                              TState::EnterHook onEnter) {
  return machine_.AddState(name, nextName, std::move(onUpdate), std::move(onChooseNext), std::move(onCheckDone),
                           std::move(onEnter));
}

void TStateScenario::SetState(const std::string& name) {
  if (!machine_.SetState(name)) SetDead(true);
}

void TStateScenario::StartWait(int32_t ms) {
  if (currentTime_ > 0) currentTime_ = 0;
  waitTime_ = ms;
}

bool TStateScenario::IsWaitOver() {
  if (currentTime_ < waitTime_) return false;
  waitTime_ = 0;
  return true;
}

WidgetRef TStateScenario::CreateChildWidget(const WidgetRef& target, const std::string& factoryName,
                                            const ParamsRef& params, bool remember) {
  WidgetRef widget = CreateWidgetInto(*this, target, factoryName, params);
  if (widget && remember) createdNames_ += widget->GetName() + ";";
  return widget;
}

void TStateScenario::DoUpdate(int32_t elapsedMs) {
  TScenario::DoUpdate(elapsedMs);
  machine_.AddStateTime(elapsedMs);
  if (currentTime_ < 0) return;
  if (starting_) {
    starting_ = false;
    if (!machine_.Start()) SetDead(true);
  }
  // The state step runs whenever there is a current state, also in the update in which the
  // scenario has died (time to live, or the start state's enter): a report that the next state's
  // enter sends in this update still reaches the control.
  if (!machine_.Current()) return;
  if (!machine_.Run(elapsedMs)) SetDead(true);
}

// ---------------------------------------------------------------------------------------------

Variant TControlStateScenario::GetProperty(const std::string& name) {
  if (PropIs(name, "control_game")) return Variant(InterfaceRef(controlGame_.lock()));
  return TStateScenario::GetProperty(name);
}

void TControlStateScenario::SetProperty(const std::string& name, const Variant& value) {
  if (PropIs(name, "control_game")) {
    if (WidgetRef control = value.As<IWidget>()) controlGame_ = control;
  } else {
    TStateScenario::SetProperty(name, value);
  }
}

void TControlStateScenario::ClearOwner() {
  controlGame_.reset();
  TStateScenario::ClearOwner();
}

void TControlStateScenario::ReportToControl(int32_t code, const ParamsRef& params) {
  if (WidgetRef control = controlGame_.lock()) control->HandleEvent(code, params);
}

void TControlStateScenario::Finalize() {
  ParamsRef params = CreateParams();
  params->SetValue("scenario_to_finalize", Variant(GetName()));
  ReportToControl(kCommandFinalize, params);
  SetDead(true);
}

}  // namespace kestrelle
