#include "game/minigames/redundant/redundant_scenarios.h"

namespace kestrelle {

void TRedundantScenario::DeclareStates(const std::string& levelName) {
  AddState("enter", "fade_in", {}, {}, {}, [this](TState&) { FindFrame(); });
  AddState(
      "fade_in", "fade_out", [this](TState&, int32_t) { SetLevel(frame_, 110 * Progress()); }, {}, WaitPassed(),
      [this, levelName](TState&) { BeginText(levelName); });
  AddState(
      "fade_out", "exit",
      [this](TState&, int32_t) {
        SetLevel(frame_, 110 - 110 * Progress());
        SetLevel(text_, 255 - 255 * Progress());
      },
      {}, WaitPassed(), [this](TState&) { SetWait(duration_); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

void TScenarioRedundantEndRound::Initialize() {
  TRedundantScenario::Initialize();
  DeclareStates("%next_round%");
}

void TScenarioRedundantFailedRound::Initialize() {
  TRedundantScenario::Initialize();
  DeclareStates("%round_failed%");
}

}  // namespace kestrelle
