#pragma once
// "KestrelleGameScreenMapTutorial": a help of two pages, the children of its states widget
// "states". The first click on "button_ok" shows the second page, the second click closes it.

#include <cstdint>

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenMapTutorial : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"states", "button_ok"};

  void SetOwner(const GameScreenOwnerRef& owner) override;
  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

  int64_t GetPage() const { return page_; }

 private:
  WidgetRef states_;
  int64_t page_ = 0;
};

}  // namespace kestrelle
