#pragma once
// "KestrelleGameScreenStartLevel": the introduction of a level, shown with "level" and
// "profile_tools". The items new in the level (its definition's "new_items") are laid out in
// "items" from the factory "item", each with its description in its child "text"; "hint_group"
// explains the panel before the second level. "button_ok" closes the screen with
// "selected_tools" = the profile's tool list (every owned tool fits on the panel).

#include <cstdint>
#include <string>

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenStartLevel : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"items"};
  // The level whose start explains the tool panel.
  static constexpr int64_t kToolHintLevel = 2;

  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;

  int64_t GetLevel() const { return level_; }

 private:
  void ListNewItems();

  int64_t level_ = 0;
  std::string profileTools_;
};

}  // namespace kestrelle
