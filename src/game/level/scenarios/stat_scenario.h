#pragma once
// "scenario_stat": the results screen reveals its lines one after another, 400 ms each:
// enter -> show_money -> show_bonus_time -> show_bonus_service -> show_total -> show_tips -> exit.
// Each line ("../moneyEarned/moneyEarned", "../timeBonus/timeBonus", "../serviceBonus/
// serviceBonus", "../totalMoney/totalMoney", "../level_tips", seen from the scenario group)
// becomes visible, the screen's particle system "../ps_statlevel" bursts from the line's picture
// and "sound_new_line" plays. A bonus line whose text is not "0" also shows and restarts its
// medal ("../award_time", "../award_service") with "sound_stat_medal". It ends without a report.

#include <cstdint>
#include <string>

#include "game/level/scenarios/level_scenario.h"

namespace kestrelle {

class TScenarioStat : public TLevelScenario {
 public:
  static constexpr int32_t kLineTime = 400;
  // What the particle system is given for each line's burst.
  static constexpr int32_t kBurstLifeTime = 500;
  static constexpr int32_t kBurstCount = 50;

  void Initialize() override;

 private:
  // `medalPath` is empty for lines without a medal.
  void RevealLine(const std::string& path, const std::string& medalPath);
};

}  // namespace kestrelle
