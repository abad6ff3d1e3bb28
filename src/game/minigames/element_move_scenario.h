#pragma once
// "scenario_element_move": a piece of a board minigame travels in a straight line to
// ("final_x", "final_y") over "duration" ms (default 1000). The piece is the widget at
// "element_name", a path from the scenario's owner (the control's "scenario_group", so
// "../cells/5"). When it has arrived the scenario reports command 11 to its control with
// "scenario_to_finalize" = its own name and the same "element_name", then dies. Two moves run
// together when their factories give them different names.

#include <cstdint>
#include <memory>
#include <string>

#include "controls/state_scenario.h"

namespace kestrelle {

class TScenarioElementMove : public TControlStateScenario {
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
