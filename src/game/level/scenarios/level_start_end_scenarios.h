#pragma once
// The scenarios that open and close a shop level.
//
// "scenario_game_main_start_level": enter -> show_items (2000 ms) -> show_text -> exit. The shop
// items drop in from top to bottom (each restarted with its clock set back by its top), the
// scenario's "blackout" and "show_controls" restart, "sound_start_level" plays and the level's
// title appears through a widget of the factory "text_visualization"; show_text lasts that
// widget's "visualization_time". At exit it reports to the level control.
//
// "scenario_game_main_end_level": enter -> show_end_level -> exit. The closing text appears
// ("text_visualization"), the shop items are hidden and marked "finished", "blackout" and
// "hide_controls" restart; the state lasts twice the text's "visualization_time". At exit it
// reports to the level control.

#include <cstdint>
#include <string>

#include "game/level/scenarios/level_scenario.h"

namespace kestrelle {

class TScenarioStartLevel : public TLevelScenario {
 public:
  static constexpr int32_t kShowItemsTime = 2000;

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

 private:
  void ShowItems();

  std::string levelName_;
  int32_t textTime_ = 0;
};

class TScenarioEndLevel : public TLevelScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

 private:
  void ShowEnd();

  int32_t textTime_ = 0;
};

// The length the widget made from "text_visualization" gives ("visualization_time"); `fallback`
// when there is no such widget or it gives no number.
int32_t VisualizationTime(const WidgetRef& text, int32_t fallback);

}  // namespace kestrelle
