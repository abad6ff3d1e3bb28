#pragma once
// "KestrelleGameScreenToolTips": the one-time explanation of a tool, shown with "tool_tip" = the
// tool type; its "text" shows the language text "%tips_" + type + "%". "button_ok" closes it.

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenToolTips : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"text"};

  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
};

}  // namespace kestrelle
