#pragma once
// "flash_scenario_control": a flash scenario whose "next" may also be "execute_command:N". When
// its run ends it then sends command N, with the parameters of "command_params" (a pair list,
// keys in upper case), to the widget at the path of its property "control_name".

#include <string>

#include "controls/flash_scenario.h"

namespace kestrelle {

class TFlashScenarioControl : public TFlashScenario {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  const std::string& GetCommandParams() const { return commandParams_; }

 protected:
  bool ActOnOwnNext(const std::string& next) override;

 private:
  std::string commandParams_;
};

}  // namespace kestrelle
