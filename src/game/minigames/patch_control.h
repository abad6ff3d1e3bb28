#pragma once
// The common part of the minigames of patches laid over a picture (Find the Differences, Remove
// Items): the patches made by the factory "diff_image" from the definition's diffs, the screen's
// "panel/counter" showing how many are left, its "button_hint" (command 10) flashing one of them,
// and the end: the last patch found (or a skip) enables the hint button again and plays
// "scenario_end_level", whose report sends 32773; there is no replay and no close button.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/content/minigame_def_items.h"
#include "game/minigames/minigame_control.h"

namespace kestrelle {

class TKestrellePatchMinigameControl : public TKestrelleMinigameControl {
 public:
  void Initialize() override;

  int32_t GetFound() const { return found_; }
  int32_t GetTotal() const { return total_; }

 protected:
  bool AnswersReplayAndClose() const override { return false; }
  void OtherCommand(int32_t code, const ParamsRef& params) override;
  void EndPlay() override;

  // The patches the hint chooses among, in order (dead ones are passed over).
  virtual std::vector<WidgetRef> Patches() = 0;

  // One "diff_image" for each of the definition's diffs, in the group `groupOf` gives for it.
  void CreatePatches(const std::function<WidgetRef(TMinigameDefDiff&)>& groupOf);
  // The counter at the definition's "diffs_cnt", none found yet.
  void ResetCount();
  // A patch is found: the counter shows how many are left; the last one ends the play.
  void PatchFound();

  int32_t found_ = 0;
  int32_t total_ = 0;

 private:
  void Hint();
};

}  // namespace kestrelle
