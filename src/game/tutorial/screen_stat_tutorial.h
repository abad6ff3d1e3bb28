#pragma once
// "KestrelleGameScreenStatTutorial": the results of the guided level, as those of a level, with
// no tip under them.

#include "game/level/screen_stat_main.h"

namespace kestrelle {

class TKestrelleGameScreenStatTutorial : public TKestrelleGameScreenStatMain {
 protected:
  void ChooseLevelTip(const WidgetRef& /*tips*/) override {}
};

}  // namespace kestrelle
