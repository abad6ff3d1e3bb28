#pragma once
// "KestrelleGameScreenHistory" ("GS_History"): the introduction story. Every showing puts its
// scenes, texts and picture frames back to their beginning and starts the first scene,
// "scenarios/show_00"; the scenes in its data do the rest.

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenHistory : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"scenarios", "texts", "frames"};

  void OnShowing(const ParamsRef& params) override;
};

}  // namespace kestrelle
