#pragma once
// "KestrelleGameScreenGameTutorial": the screen of the guided level. A level screen whose level
// control is the guided one; its step pages' "button_ok" advance the steps, "button_skip" opens
// "GS_SkipTutorial", whose closing ends the guided level, and losing the input focus pauses nothing. It marks the
// guided level as seen in the player's profile as soon as it shows. The data check "guided level"
// holds its data to what the steps need (the pages "0" .. "13" in order, the names it looks up).

#include "game/level/level_screen.h"

namespace kestrelle {

class TKestrelleGameScreenGameTutorial : public TKestrelleGameScreenGameMain {
 public:
  void OnShowing(const ParamsRef& params) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;

 protected:
  std::string ResultsScreenName() const override { return "GS_StatTutorial"; }
  bool PausesWhenFocusLost() const override { return false; }
  void LevelNotified(int32_t code, const ParamsRef& params) override;
  void WidgetNotified(const std::string& sender, int32_t code, const ParamsRef& params) override;
};

}  // namespace kestrelle
