#include "game/map/flash_scenario_control.h"

#include "game/map/execute_command.h"

namespace kestrelle {

const TPropertyTable& TFlashScenarioControl::GetPropertyTable() const {
  static const TPropertyTable table(
      TFlashScenario::GetPropertyTable(),
      {
          Property("command_params", &TFlashScenarioControl::commandParams_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

bool TFlashScenarioControl::ActOnOwnNext(const std::string& next) {
  if (!IsExecuteCommand(next)) return false;
  const int32_t code = ExecuteCommandCode(next);
  const Variant path = GetProperty("control_name");
  WidgetRef receiver = path.IsEmptyOrNull() ? nullptr : FindWidget(path.ToString());
  if (code != kNoCommand && receiver) receiver->HandleEvent(code, CommandParams(commandParams_));
  return true;
}

}  // namespace kestrelle
