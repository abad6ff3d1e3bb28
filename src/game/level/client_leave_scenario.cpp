#include "game/level/client_leave_scenario.h"

#include "data/params.h"
#include "data/property_table.h"

namespace kestrelle {

const TPropertyTable& TScenarioClientLeave::GetPropertyTable() const {
  static const TPropertyTable table(TControlStateScenario::GetPropertyTable(),
                                    {
                                        Property("duration", &TScenarioClientLeave::duration_, int32_t{600}),
                                    });
  return table;
}

void TScenarioClientLeave::Initialize() {
  TControlStateScenario::Initialize();
  AddState("enter", "leave");
  AddState("leave", "exit", {}, {}, WaitIsOver(), [this](TState&) { StartWait(duration_); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Report(); });
}

void TScenarioClientLeave::Report() {
  ParamsRef params = CreateParams();
  if (ParamsRef extra = GetExtraParams()) {
    for (int i = 0; i < extra->GetCount(); ++i)
      if (ParamRef param = extra->GetParam(Variant(i))) params->SetValue(param->GetName(), param->GetValue());
  }
  params->SetValue("name", Variant(GetName()));
  params->SetValue("scenario_to_finalize", Variant(GetName()));
  ReportToControl(kCommandFinalize, params);
  SetDead(true);
}

}  // namespace kestrelle
