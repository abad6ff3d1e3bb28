#pragma once
// "scenario_element_move": one piece of a minigame travels in a straight line from where it lies
// to ("final_x", "final_y") over "duration" ms (default 1000). The piece is the widget at
// "element_name", a path from the scenario's owner (the control's "scenario_group", so
// "../cells/5" or "../elements/p1"). When it has arrived:
//   - with "report" (default yes) it reports command 11 to its control with "name" (its own
//     name), "element_name" and "scenario_to_finalize": "scenario_element_move", or its own name
//     with "report_own_name" (the boards that run several moves at once and tell them apart);
//   - the piece's "state" becomes "final_state" (default "placed"; empty leaves it alone);
//   - the scenario dies.
// Every move runs under a name of its own, so the factories build it from the piece ("name"):
// a second scenario of a name already in the group is never started, and its piece would wait
// for ever. Moves(), StopMoves() find a piece's moves in flight.

#include <string>

#include "game/minigames/minigame_scenario.h"

namespace kestrelle {

class TScenarioElementMove : public TMinigameScenario {
 public:
  static constexpr const char* kReportName = "scenario_element_move";

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

  // The piece it moves (none when there is no such piece).
  WidgetRef Element();

  // True when a live move of `group` carries `piece`.
  static bool Moves(const WidgetRef& group, const IWidget& piece);
  // Ends every live move of `group` that carries `piece`, where it is, without a report.
  static void StopMoves(const WidgetRef& group, const IWidget& piece);

 protected:
  // The piece has just moved by (dx, dy).
  virtual void Moved(const WidgetRef& element, double dx, double dy) {}
  // The report's parameters beyond "scenario_to_finalize", "name" and "element_name".
  virtual void AddToReport(const ParamsRef& report) {}

  bool report_ = true;
  std::string finalState_;

 private:
  void Arrived();

  std::string elementName_;
  double finalX_ = 0;
  double finalY_ = 0;
  bool reportOwnName_ = false;
  std::weak_ptr<IWidget> element_;
  bool entered_ = false;
  double fromX_ = 0;
  double fromY_ = 0;
};

}  // namespace kestrelle
