#pragma once
// "scenario_game_use_bonus": a tool flies from its slot to its target: enter -> fly -> exit. Its
// particle system "ps_flying_bonus", paused until the flight begins, is moved (its anchor) from
// ("init_x", "init_y") into ("end_x", "end_y"), slowing down: at running time t it is at start +
// sin(min(pi/2 * t / "duration", pi/2)) * (end - start). After "duration" the emitter stops; at
// exit the flight reports "use_tool" to the level control with "type" = "tooltype" and "name" =
// "toolname", so the tool takes effect.
//
// A tool with several targets sends one flight per target, named tool name + "_" + type + "idx" +
// the target's position; only the first target's flight ("...idx0") reports, so the tool takes
// effect once.

#include <cstdint>
#include <string>

#include "game/level/scenarios/flight_scenario.h"

namespace kestrelle {

class TScenarioUseBonus : public TFlightScenario {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  // False for the flights of the second and later targets.
  static bool FlightReports(const std::string& flightName);

 protected:
  void Depart() override { PlaceAt(initX_, initY_); }
  void Fly() override;
  void Land() override;

 private:
  // The particle system's anchor, in the scenario's space.
  void PlaceAt(double x, double y);

  std::string toolType_;
  std::string toolName_;
};

}  // namespace kestrelle
