#pragma once
// "KestrelleGameScreenGameMain": the screen a shop level is played in. It holds the level control
// ("control_game_main") and the tool panel ("control_tools"), starts the level with the show
// parameters ("level", "replay", "shop_name"), opens the screens around a level when the level
// control asks (tool choice, results, award, hints), the pause menu ("button_menu", or the game
// losing the input focus) and the minigame that may follow a level, and closes with the level's
// results for the town map. The guided level ("KestrelleGameScreenGameTutorial") derives from it
// and varies the hooks below.

#include <cstdint>
#include <string>

#include "app/game_screen.h"
#include "game/level/shop_floor_interfaces.h"

namespace kestrelle {

class TKestrelleGameScreenGameMain : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"control_game_main", "control_tools"};
  // The expert-time hint waits for this level.
  static constexpr int64_t kExpertTimeHintLevel = 5;
  // What the pause menu's rules button opens: the guided level as a demonstration.
  static constexpr int64_t kRulesLevel = 99;

  void OnShowing(const ParamsRef& params) override;
  // After the screen is up, the level control starts the level (its first notification may
  // open a screen over this one).
  void Show(const ParamsRef& params) override;
  void FocusChanged(bool focused) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;

  int64_t GetLevelNumber() const { return level_; }
  ControlGameMainRef GetLevelControl();
  WidgetRef GetToolPanel();

 protected:
  // The results screen of this kind of level.
  virtual std::string ResultsScreenName() const { return "GS_StatMain"; }
  virtual bool PausesWhenFocusLost() const { return true; }
  // A notification of the level control.
  virtual void LevelNotified(int32_t code, const ParamsRef& params);
  // An event of any other widget (buttons, the level timer).
  virtual void WidgetNotified(const std::string& sender, int32_t code, const ParamsRef& params);
  // The pause menu closed with the button that closed it.
  virtual void MiniMenuClosed(const ParamsRef& result);
  // The pause menu's "button_rules".
  virtual void ShowRules();

  // Every screen that surrounds a level moves its widgets back to where a level starts.
  void ResetVisuals();
  void SendToLevel(int32_t code, const ParamsRef& params);
  // The tools the player chose, with "level", to the tool panel.
  void SetUpTools(const ParamsRef& choice);
  // The results once more (a new collection; an empty one without a level control).
  ParamsRef ComputeResults();
  void ResultsClosed(const ParamsRef& result);
  void MinigameClosed(const ParamsRef& result);
  // Closes with `result` plus "level_completed" = "no".
  void LeaveLevel(const ParamsRef& result);
  void CloseWithResults(const ParamsRef& results);
  // False when the game has no such screen or it is shown already.
  bool Open(const std::string& name, const ParamsRef& params);

  int64_t level_ = 0;
};

}  // namespace kestrelle
