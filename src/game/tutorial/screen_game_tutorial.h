#pragma once
// "KestrelleGameScreenGameTutorial": the screen of the guided level. A level screen whose level
// control is the guided one; its step pages' "button_ok" advance the steps, "button_skip" asks
// whether to leave ("GS_SkipTutorial"), and losing the input focus pauses nothing. It marks the
// guided level as seen in the player's profile as soon as it shows.

#include "game/level/level_screen.h"

namespace kestrelle {

class TKestrelleGameScreenGameTutorial : public TKestrelleGameScreenGameMain {
 public:
  // The level screen's widgets, the step pages "0" .. "13" in that order (the states widget shows
  // them by index, the steps name them) and the skip button.
  static constexpr const char* kRequiredChildren[] = {
      "control_game_main", "control_tools", "button_menu", "button_skip", "states",   "states/0", "states/1",
      "states/2",          "states/3",      "states/4",    "states/5",    "states/6", "states/7", "states/8",
      "states/9",          "states/10",     "states/11",   "states/12",   "states/13"};
  static constexpr int kStepPages = 14;

  void OnShowing(const ParamsRef& params) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;

 protected:
  std::string ResultsScreenName() const override { return "GS_StatTutorial"; }
  bool PausesWhenFocusLost() const override { return false; }
  void LevelNotified(int32_t code, const ParamsRef& params) override;
  void WidgetNotified(const std::string& sender, int32_t code, const ParamsRef& params) override;
};

}  // namespace kestrelle
