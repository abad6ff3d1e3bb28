#pragma once
// The common part of the minigame controls: the playing state, the skip flag, the minigame's
// definition looked up by "Minigame" in the published "minigame_defs", scenarios started into
// "scenario_group", sounds through the screen, the frame's widgets reached through the owner, and
// the report that ends a minigame (32773 with the definition's completion values).
//
// The commands of the frame: 5 looks the definition up and sets the board up, 6 sets it up again,
// 7 hides "button_close" and starts "scenario_end_level", 24 skips (ignored while the start
// scenario runs). When "scenario_start_level"
// is over the play begins (State 2) and the help is shown ("GS_MinigameHelp" with the
// definition's "minigame_person" and "start_text"). The finish has two phases: solving (or
// skipping while playing) plays "sound_minigame_completed", moves to State 0 and ends the play
// (by default the close button is shown, or the end scenario starts when the screen has none);
// in State 0 the report of "scenario_end_level" (or a skip) sends 32773 to the screen.

#include <cstdint>
#include <memory>
#include <string>

#include "app/game_screen_interface.h"
#include "controls/control_widget.h"
#include "game/content/minigame_defs.h"

namespace kestrelle {

class TKestrelleMinigameControl : public TControlGameWidget {
 public:
  enum State : int32_t {
    kStateOver = 0,      // not started, or over
    kStateStarting = 1,  // the start scenario runs; clicks are ignored
    kStatePlaying = 2,
  };

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

  int32_t GetState() const { return state_; }
  bool GetSkipped() const { return skipped_; }
  std::shared_ptr<TMinigameDef> GetDefinition() const { return definition_; }

  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) override;

 protected:
  // The child that holds the board's pieces ("cells", "elements"), found when the control gets its
  // owner; empty (the default) for none.
  virtual std::string PieceGroupName() const { return {}; }
  WidgetRef PieceGroup() const { return pieceGroup_.lock(); }

  void Command(int32_t code, const ParamsRef& params) override;
  void ScenarioFinalized(const std::string& name, const ParamsRef& params) override;

  // Builds the board anew (commands 5 and 6, after the skip flag is cleared and "scenario_group"
  // emptied); starts the start scenario and sets State 1.
  virtual void SetUp() = 0;
  // The show parameters of command 5 once the definition is found, before SetUp.
  virtual void ReadStartParameters(const ParamsRef& params) {}
  // False for a board that neither plays again (6) nor has a close button (7).
  virtual bool AnswersReplayAndClose() const { return true; }
  // A command other than 5, 6, 7 and 24.
  virtual void OtherCommand(int32_t code, const ParamsRef& params) {}
  // The start scenario is over and State is 2; before the help is shown.
  virtual void PlayBegins() {}
  // By default "GS_MinigameHelp" on the game with the definition's "minigame_person" and "start_text".
  virtual void ShowHelp();
  // Every scenario's report, after the start and end scenarios are handled.
  virtual void OtherScenarioFinished(const std::string& name, const ParamsRef& params) {}
  // The play is over (solved or skipped while playing), State already 0: by default the close
  // button is shown, or the end scenario starts when the screen has none.
  virtual void EndPlay();

  // In State 2 ends the play; in State 0 reports to the screen; in State 1 does nothing.
  void Finish();
  // "scenario_start_level" with "LevelName" = "%%", a line break and the definition's "LevelName";
  // State 1.
  void StartWithLevelName();
  // "button_skip" disabled and restarted, "scenario_start_level" without parameters; State 1.
  // The skip button is enabled again when the start scenario is over.
  void StartWithSkipHeld();
  // The screen point of the mouse message being handled.
  TPoint ScreenPoint() const { return screenPoint_; }
  // The first child of `group` (child order) under the current mouse message.
  WidgetRef FirstChildUnderMouse(const WidgetRef& group);

  // The definition named by the parameter "Minigame" (default empty); false, and nothing changed,
  // when the game publishes no "minigame_defs". The definition is none for an unknown name.
  bool LookUpDefinition(const ParamsRef& params);
  // The definition's property; `fallback` without a definition or when it gives no value.
  Variant DefinitionValue(const std::string& name, const Variant& fallback = Variant(std::string())) const;
  int64_t DefinitionInt(const std::string& name, int64_t fallback = 0) const;

  // A scenario from the factory of that name in "scenario_group" (none when the factory is
  // missing or a scenario of that name runs already).
  WidgetRef StartScenario(const std::string& factoryName, const ParamsRef& params = nullptr);
  // A widget of the screen, found through the control's owner.
  WidgetRef FrameWidget(const std::string& name);
  // A sound of the screen's own list.
  void PlayScreenSound(const std::string& name);
  GameScreenOwnerRef GameOwner();

  // 32773 to the screen: "minigame_skipped", "level_completed" = "yes" and the definition's
  // "minigame_bonus", "minigame_person" and "end_text".
  void ReportFinished();

  int32_t state_ = kStateOver;
  bool skipped_ = false;
  std::shared_ptr<TMinigameDef> definition_;

 private:
  void SetUpAnew();

  // StartWithSkipHeld disabled "button_skip" for the start scenario.
  bool skipHeld_ = false;
  TPoint screenPoint_{0, 0};
  std::weak_ptr<IWidget> pieceGroup_;
};

}  // namespace kestrelle
