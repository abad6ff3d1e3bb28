#pragma once
// The common shape of the shop's flights (money, coins, bonuses, tools): enter -> fly -> exit.
// The flight goes from ("init_x", "init_y") to ("end_x", "end_y") over "duration" milliseconds
// (default 1000); Depart runs when it begins, Fly every frame of it, Land at exit, after which the
// scenario dies.

#include <cstdint>
#include <string>

#include "game/level/scenarios/level_scenario.h"

namespace kestrelle {

class TFlightScenario : public TLevelScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

 protected:
  virtual void Depart() = 0;
  virtual void Fly() = 0;
  virtual void Land() = 0;

  // The particle system of that name stops emitting.
  void StopEmitter(const std::string& name);

  int32_t initX_ = 0;
  int32_t initY_ = 0;
  int32_t endX_ = 0;
  int32_t endY_ = 0;
  int32_t duration_ = 1000;
};

}  // namespace kestrelle
