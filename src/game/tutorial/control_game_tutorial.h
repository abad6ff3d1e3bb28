#pragma once
// "KestrelleControlGameTutorial": the guided level. A shop level whose clients come when its
// step pages call them and never lose patience: in its state 4 (guided play) presses are taken
// but the client manager, the level timer and the stations' clocks stand still. The pages are the
// children "0", "1", ... of the screen's states widget "states"; presses, the page's "button_ok"
// (command 25) and game events (an order completed, a client served, a bonus taken, a minigame
// item) show them in order.

#include <cstdint>

#include "game/level/control_game_main.h"

namespace kestrelle {

inline constexpr int64_t kLevelStateGuided = 4;

class TKestrelleControlGameTutorial : public TKestrelleControlGameMain {
 public:
  void Initialize() override;

  // The number of the next page to show.
  int64_t GetStepCounter() const { return stepCounter_; }
  // Shows page n (n = 0 also calls the first client) and counts it; nothing without "states".
  void ShowStep(int64_t n);
  // Hides the current page when it says "show_next_state" = "no", else shows the next one.
  void AdvanceStep();

 protected:
  void Command(int32_t code, const ParamsRef& params) override;
  void SetUpLevel() override;
  ClientManagerRef CreateClientManager() override;
  int64_t PlayingState() const override { return kLevelStateGuided; }
  bool ClockRuns() const override { return state_ == kLevelStateMinigame; }
  bool HandlePress(const TPoint& point) override;
  void StationClicked(const ShopStationRef& station) override;
  void ServeClient(const ShopStationRef& station, const ShopClientRef& client) override;
  ServedBonus BonusForServedClient(int64_t hearts, bool vip) override;
  void ItemClicked(const WidgetRef& item, const TPoint& point) override;
  void OrderCompleted(size_t stationIndex) override;
  void MinigameFinished(const ParamsRef& params) override;
  std::string StartLevelName() override { return "%level_Tutorial%"; }
  OwnedTools ListProfileTools() override;
  void CreateButtonHints() override {}
  void StartLevelFinished() override;
  bool StoresToolUses() override { return false; }
  void ShowBonusHintOnce() override {}

 private:
  WidgetRef Steps();
  // The step page named n; none without "states" or such a page.
  WidgetRef Page(int64_t n);
  void GenerateScriptedClients(int64_t count, int script);

  int64_t stepCounter_ = 0;
};

}  // namespace kestrelle
