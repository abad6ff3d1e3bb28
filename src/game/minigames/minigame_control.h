#pragma once
// The common part of the minigame controls: the playing state, the skip flag, the minigame's
// definition looked up by "Minigame" in the published "minigame_defs", scenarios started into
// "scenario_group", sounds through the screen, the frame's widgets reached through the owner, and
// the report that ends a minigame (32773 with the definition's completion values).

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

 protected:
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
};

}  // namespace kestrelle
