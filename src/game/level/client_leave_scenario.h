#pragma once
// "scenario_game_client_leave": a client walking away from its station. For "duration"
// milliseconds its children (the data's own look: a flash scenario moving the client, a sound ...)
// play; then it reports to the level control with command 11, carrying its extra parameters
// (what the level control gave it: "station_name", "client_was_served", "generate_bonus" ...),
// "name" and "scenario_to_finalize" = its own name, and ends.

#include <cstdint>

#include "controls/state_scenario.h"

namespace kestrelle {

class TScenarioClientLeave : public TControlStateScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

 private:
  void Report();

  int32_t duration_ = 600;
};

}  // namespace kestrelle
