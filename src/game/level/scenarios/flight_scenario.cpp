#include "game/level/scenarios/flight_scenario.h"

#include "data/property_table.h"

namespace kestrelle {

const TPropertyTable& TFlightScenario::GetPropertyTable() const {
  using T = TFlightScenario;
  static const TPropertyTable table(TLevelScenario::GetPropertyTable(),
                                    {
                                        Property("init_x", &T::initX_).Quiet(),
                                        Property("init_y", &T::initY_).Quiet(),
                                        Property("end_x", &T::endX_).Quiet(),
                                        Property("end_y", &T::endY_).Quiet(),
                                        Property("duration", &T::duration_, 1000).Quiet(),
                                    });
  return table;
}

void TFlightScenario::Initialize() {
  TLevelScenario::Initialize();
  AddState("enter", "fly");
  AddTimedState(
      "fly", "exit", [this] { return duration_; }, [this](TState&) { Depart(); }, [this](TState&, int32_t) { Fly(); });
  AddExitState([this](TState&) { Land(); });
}

void TFlightScenario::StopEmitter(const std::string& name) {
  if (WidgetRef emitter = FindWidget(name)) emitter->SetProperty("emission_count", Variant(0));
}

}  // namespace kestrelle
