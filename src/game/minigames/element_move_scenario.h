#pragma once
// "scenario_tile_move": a piece of a board minigame travels in a straight line to
// ("final_x", "final_y") over "duration" ms (default 1000). The piece is the widget at
// "element_name", a path from the scenario's owner (the control's "scenario_group", so
// "../cells/5"). When it has arrived the scenario reports command 11 to its control with
// "scenario_to_finalize" = its own name and the same "element_name", then dies. Square, Yang and
// Hurdle start it through their factory "scenario_element_move", which names each move after its
// piece with a name containing "scenario_element_move" ("scenario_element_move_%name%"), so the
// two moves of a swap run together and each report names its own scenario.

#include <cstdint>
#include <memory>
#include <string>

#include "controls/state_scenario.h"

namespace kestrelle {

class TScenarioTileMove : public TControlStateScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

 protected:
  // The piece has just moved by (dx, dy).
  virtual void Moved(const WidgetRef& element, double dx, double dy) {}
  // The piece has arrived: report and die.
  virtual void Arrived();
  WidgetRef Element() const { return element_.lock(); }

  int32_t duration_ = 1000;
  std::string elementName_;
  double finalX_ = 0;
  double finalY_ = 0;

 private:
  void Step();

  std::weak_ptr<IWidget> element_;
  double startX_ = 0;
  double startY_ = 0;
};

}  // namespace kestrelle
