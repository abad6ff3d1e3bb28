#pragma once
// The flights of money, coins and bonuses across the shop: enter -> fly -> exit.
//
// On fly the scenario's child "image" is put at ("init_x", "init_y") and its particle system
// ("ps_flying_money" for money and coins, "ps_flying_bonus" for bonuses) emits there. A path
// function given as the child element "function" carries the flight: it gets "x1", "y1" (the
// start), "x2", "y2" ("end_x", "end_y") and "TotalTime" ("duration"), and every frame the image
// goes to the path's point at the flight's running time, the emitter 10 pixels right of and 20
// above it. Without a path the image stays where it started. After "duration" milliseconds the
// emitter stops and the scenario ends without a report. Until its flight begins (a start delay
// given by a negative "currenttime") the image stays where its data put it and the emitter is
// paused.
//
//   <widget type="scenario_game_flying_money" name="%name%" init_x="%init_x%" init_y="%init_y%"
//           end_x="40" end_y="20" duration="800" currenttime="%currenttime%">
//     <function type="path_bezier"> ...paramdefs x1 y1 x2 y2 TotalTime... </function>
//     <widgets><widget name="image" .../><widget name="ps_flying_money" .../></widgets>
//   </widget>

#include <cstdint>
#include <string>

#include "data/path_base.h"
#include "game/level/scenarios/flight_scenario.h"

namespace kestrelle {

class TScenarioFlying : public TFlightScenario {
 public:
  static constexpr int32_t kEmitterOffsetX = 10;
  static constexpr int32_t kEmitterOffsetY = -20;

  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void ClearOwner() override;

  PathFunctionRef GetFlightPath() const { return path_; }

 protected:
  // The particle system that trails the flight.
  virtual std::string EmitterName() const { return "ps_flying_money"; }

  void Depart() override;
  void Fly() override;
  void Land() override;

 private:
  // The image at the point, the emitter beside it.
  void PlaceAt(double x, double y);

  PathFunctionRef path_;
  bool pathLinked_ = false;
};

class TScenarioFlyingMoney : public TScenarioFlying {};

class TScenarioFlyingCoin : public TScenarioFlying {};

class TScenarioFlyingBonus : public TScenarioFlying {
 protected:
  std::string EmitterName() const override { return "ps_flying_bonus"; }
};

}  // namespace kestrelle
