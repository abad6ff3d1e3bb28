#pragma once
// "scenario_find_item": sparkles over a shop item the player found: enter -> hide_diff -> exit.
// The item is "../shop_items/" + "item_name" seen from the scenario group (the level control's
// item group); the scenario's own particle system "ps_find" takes the item's picture ("surface")
// and emits at the item's place on screen for "duration" milliseconds, at the scenario's
// "emission_count" when it gives one (else at the system's own); it stays paused until then. It
// ends without a report.

#include <cstdint>
#include <string>

#include "game/level/scenarios/level_scenario.h"

namespace kestrelle {

class TScenarioFindItem : public TLevelScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

 private:
  void StartSparkles();

  std::string itemName_;
  int32_t duration_ = 1000;
  int32_t emissionCount_ = 0;
};

}  // namespace kestrelle
