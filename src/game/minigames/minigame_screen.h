#pragma once
// The frame every minigame screen shares: the control found by its fixed name and started with
// the screen's show parameters; the slide-in buttons ("button_menu", "button_skip", "panel", and
// "button_close" hidden until the control shows it); the pause menu "GS_MiniMenuBrief" on
// "button_menu" or when the application loses the focus; skipping; quitting to the main menu
// through "GS_QueryMainMenu"; and the completion screen, whose closing closes the minigame with
// {"level_completed" = "yes", "minigame_bonus"} (0 when skipped). Quitting closes it with the
// pause menu's or the query's answer plus "force_quit" = "yes".

#include <memory>
#include <string>

#include "app/game_screen.h"
#include "game/content/minigame_defs.h"

namespace kestrelle {

class TKestrelleMinigameScreen : public TGameScreen {
 public:
  struct Frame {
    const char* controlName;
    bool showsLevelInfo = true;  // the control's 32777 opens "GS_LevelInfo"
    bool showsSkipHint = false;  // "GS_SkipHint" once per player after the first help
  };

  explicit TKestrelleMinigameScreen(Frame frame) : frame_(frame) {}

  void SetOwner(const GameScreenOwnerRef& owner) override;
  void Show(const ParamsRef& params) override;
  void FocusChanged(bool focused) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;

  const std::string& GetControlName() const { return controlName_; }
  WidgetRef GetControl() const { return control_; }
  std::shared_ptr<TMinigameDef> GetDefinition() const { return definition_; }
  bool GetSkipped() const { return skipped_; }

 protected:
  // The frame's widgets at their starting places; runs after the definition lookup, before the
  // control is started.
  virtual void LayOutFrame();
  void SendToControl(int32_t code, const ParamsRef& params = nullptr);
  bool Open(const std::string& screen, const ParamsRef& params = nullptr);
  void CloseWith(const ParamsRef& result);

 private:
  void MenuClosed(const ParamsRef& result);
  void HelpClosed();

  Frame frame_;
  std::string controlName_{frame_.controlName};
  WidgetRef control_;
  std::shared_ptr<TMinigameDef> definition_;
  bool skipped_ = false;
};

// The minigame screens that are the frame and nothing more. Find the Differences, Remove Items,
// Puzzle and Satchel have screens of their own next to their controls.
class TKestrelleGameScreenGamePath : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGamePath() : TKestrelleMinigameScreen({"control_game_path"}) {}
};
class TKestrelleGameScreenGameRedundant : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGameRedundant() : TKestrelleMinigameScreen({"control_game_redundant"}) {}
};
class TKestrelleGameScreenGameFindPairs : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGameFindPairs() : TKestrelleMinigameScreen({"control_game_find_pairs"}) {}
};
class TKestrelleGameScreenGameYang : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGameYang() : TKestrelleMinigameScreen({"control_game_yang"}) {}
};
class TKestrelleGameScreenGameHurdle : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGameHurdle() : TKestrelleMinigameScreen({"control_game_hurdle"}) {}
};
class TKestrelleGameScreenGameSquare : public TKestrelleMinigameScreen {
 public:
  TKestrelleGameScreenGameSquare() : TKestrelleMinigameScreen({"control_game_square"}) {}
};

}  // namespace kestrelle
