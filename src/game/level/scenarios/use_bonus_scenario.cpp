#include "game/level/scenarios/use_bonus_scenario.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "data/property_table.h"

namespace kestrelle {

namespace {

constexpr const char* kEmitter = "ps_flying_bonus";

}  // namespace

const TPropertyTable& TScenarioUseBonus::GetPropertyTable() const {
  using T = TScenarioUseBonus;
  static const TPropertyTable table(TFlightScenario::GetPropertyTable(),
                                    {
                                        Property("tooltype", &T::toolType_).Quiet(),
                                        Property("toolname", &T::toolName_).Quiet(),
                                    });
  return table;
}

bool TScenarioUseBonus::FlightReports(const std::string& flightName) {
  const size_t idx = flightName.rfind("idx");
  if (idx == std::string::npos) return true;
  const std::string position = flightName.substr(idx + 3);
  return position.empty() || position == "0";
}

void TScenarioUseBonus::Fly() {
  const double quarter = std::numbers::pi / 2;
  const double phase = duration_ > 0 ? std::min(quarter * RunningTime(duration_) / duration_, quarter) : quarter;
  const double f = std::sin(phase);
  PlaceAt(initX_ + f * (endX_ - initX_), initY_ + f * (endY_ - initY_));
}

void TScenarioUseBonus::PlaceAt(double x, double y) {
  if (WidgetRef emitter = FindWidget(kEmitter)) {
    emitter->SetAnchorLeft(x);
    emitter->SetAnchorTop(y);
  }
}

void TScenarioUseBonus::Land() {
  StopEmitter(kEmitter);
  if (!FlightReports(GetName())) return;
  ParamsRef params = CreateParams();
  params->SetValue("type", Variant(toolType_));
  params->SetValue("name", Variant(toolName_));
  Report(params, "use_tool");
}

}  // namespace kestrelle
