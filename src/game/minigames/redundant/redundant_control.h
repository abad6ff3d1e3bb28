#pragma once
// "KestrelleControlGameRedundant": the odd-one-out board of its minigame screen. Each round
// (GenerateRedundantRound) makes pictures with the factory "element" in the child "elements": the
// odd one ("type" "red") first, then the others ("normal"). Any click on a picture hides them
// all; a normal one starts "scenario_redundant_failed_round", after which the places are
// reshuffled as in Find Pairs; the odd one starts "scenario_redundant_end_round", or in the last
// round ends the play with "scenario_end_level", whose report (or a skip) sends 32773.

#include <memory>
#include <string>
#include <vector>

#include "game/minigames/find_pairs/find_pairs_board.h"
#include "game/minigames/minigame_control.h"

namespace kestrelle {

class TKestrelleControlGameRedundant : public TKestrelleMinigameControl {
 public:
  static constexpr const char* kRequiredChildren[] = {"elements", "scenario_group"};

  void Initialize() override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;

  int32_t GetRound() const { return round_; }

 protected:
  std::string PieceGroupName() const override { return "elements"; }
  void SetUp() override;
  void OtherScenarioFinished(const std::string& name, const ParamsRef& params) override;
  void EndPlay() override;

 private:
  void SetUpRound();
  void Reshuffle();

  int32_t round_ = 1;
  int32_t rounds_ = 0;
  // The pictures on the board, in creation order, with their places.
  std::vector<FindPairsElement> board_;
};

}  // namespace kestrelle
