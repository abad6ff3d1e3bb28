#pragma once
// "KestrelleGameScreenStatMain": the results of a level. The money lines get the results' values,
// the medals and the tip wait hidden for the reveal scenario "scenario_stat", which is started in
// "scenario_group". "button_ok" closes the screen with no result, "button_restart" with
// "restart_level" = "yes".

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenStatMain : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"scenario_group"};
  // Language keys "text_hint_0" .. "text_hint_39".
  static constexpr int32_t kLevelTipCount = 40;

  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

 protected:
  // The tip under the results: one of the language's tips, drawn at random.
  virtual void ChooseLevelTip(const WidgetRef& tips);
};

}  // namespace kestrelle
