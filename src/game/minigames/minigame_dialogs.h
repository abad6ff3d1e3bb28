#pragma once
// The small screens around the minigames:
//   "KestrelleGameScreenMiniMenu"           the pause menu: its "buttons" spread evenly over the
//                                            group's "group_height"; any button closes it with
//                                            {"Button" = the button's name}, Escape or a click
//                                            beside it closes it without an answer
//   "KestrelleGameScreenMiniMenuBrief"      the same, as the minigames open it
//   "KestrelleGameScreenMinigameCompleted"  the end of a minigame: title, person, text, money
//   "KestrelleGameScreenMinigameHelp"       the help before a minigame: person and text
//   "KestrelleGameScreenBonusHint"          points at the station that holds a bonus
//   "KestrelleGameScreenMainBonus"          replays the minigames whose level has been passed

#include <cstdint>
#include <string>

#include "app/game_screen.h"

namespace kestrelle {

class TKestrelleGameScreenMiniMenu : public TGameScreen {
 public:
  static constexpr double kDefaultGroupHeight = 360;

  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  bool KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keyFlags) override;

  const std::string& GetPressedName() const { return pressedName_; }

 private:
  void LayOutButtons();
  void CloseMenu();

  std::string pressedName_;
  bool closing_ = false;
};

class TKestrelleGameScreenMiniMenuBrief : public TKestrelleGameScreenMiniMenu {};

class TKestrelleGameScreenMinigameCompleted : public TGameScreen {
 public:
  void OnShowing(const ParamsRef& params) override;
};

class TKestrelleGameScreenMinigameHelp : public TGameScreen {
 public:
  void OnShowing(const ParamsRef& params) override;
};

class TKestrelleGameScreenBonusHint : public TGameScreen {
 public:
  void OnShowing(const ParamsRef& params) override;
};

class TKestrelleGameScreenMainBonus : public TGameScreen {
 public:
  void OnShowing(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
};

// Whether the bonus menu offers a minigame: the level leading to it (`level`, −1 when none does)
// lies below the player's current level, so it has been passed.
bool BonusMinigameReached(int64_t level, int64_t currentLevel);

// The widget of "person" replaced by one from the factory "person_" + `person`; nothing when
// the screen has no "person" or the factory makes nothing.
void ShowMinigamePerson(TGameScreen& screen, const std::string& person, bool emptyFirst);

}  // namespace kestrelle
