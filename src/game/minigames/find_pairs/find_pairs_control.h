#pragma once
// "KestrelleControlGameFindPairs": the Find Pairs board of its minigame screen. It turns each
// round of the rules (FindPairsBoard) into pictures made by the factory "element" in its child
// "elements", and the outcomes of clicks into the scenarios "scenario_pairs_end_round",
// "scenario_pairs_failed_round" and "scenario_end_level" and the sounds "sound_minigame_click",
// "sound_minigame_correct_click" and "sound_minigame_completed". A picture shows its selection
// through its property "on" and appears or disappears through "show" (−1 / 0).
//
// State: 0 over, 1 starting ("scenario_start_level" runs), 2 playing. The last pair moves it to
// 0 while the end scenario runs; that scenario's report (or a skip) sends 32773 to the screen.

#include <cstdint>
#include <memory>
#include <string>

#include "game/minigames/find_pairs/find_pairs_board.h"
#include "game/minigames/minigame_control.h"

namespace kestrelle {

class TKestrelleControlGameFindPairs : public TKestrelleMinigameControl {
 public:
  void Initialize() override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;

  const FindPairsBoard& Board() const { return board_; }

 protected:
  std::string PieceGroupName() const override { return "elements"; }
  void Command(int32_t code, const ParamsRef& params) override;
  void SetUp() override;
  void OtherScenarioFinished(const std::string& name, const ParamsRef& params) override;
  // The end scenario is started with the last pair's names before the play ends.
  void EndPlay() override {}

 private:
  void SetUpRound();
  void Reshuffle();
  // The picture widget of board element `index`.
  WidgetRef ElementWidget(size_t index);
  void Select(size_t index);
  // Every picture but the two given ones (indices past the end: none kept) runs its hiding look.
  void HideElements(size_t keep1, size_t keep2);

  FindPairsBoard board_;
};

}  // namespace kestrelle
