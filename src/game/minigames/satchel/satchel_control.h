#pragma once
// "KestrelleControlGameSatchel": a satchel of Rows × Cols cells and pieces of fixed shapes made by
// the factory "satchel_element" in the child "elements". A click picks a piece up (a placed one
// frees its cells), the next puts it down; near a cell where its whole shape fits on free cells
// it glides there ("scenario_moving", one per piece) and occupies them. The screen's
// "button_reset" (command 22) sends every piece back ("scenario_reset_element"). The satchel is
// packed when every cell is occupied: the screen's "button_close" appears (or the end comes at
// once without one) and "scenario_end_level" leads to the report 32773. The child "timer" runs
// while the player plays. Sounds: "sound_minigame_click", "sound_minigame_completed".

#include <cstdint>
#include <memory>
#include <string>

#include "game/minigames/minigame_control.h"
#include "game/minigames/puzzle/piece_carrier.h"
#include "game/minigames/satchel/satchel_grid.h"

namespace kestrelle {

class TKestrelleControlGameSatchel : public TKestrelleMinigameControl {
 public:
  static constexpr const char* kRequiredChildren[] = {"elements", "scenario_group"};

  void Initialize() override;
  void ClearOwner() override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;
  bool MouseMove(const TPoint& point, uint32_t keys) override;

  const SatchelGrid& Grid() const { return grid_; }
  const std::string& GetReplay() const { return replay_; }
  WidgetRef GetDragged() const { return carrier_.Carried(); }

 protected:
  std::string PieceGroupName() const override { return "elements"; }
  void SetUp() override;
  void ReadStartParameters(const ParamsRef& params) override;
  void OtherCommand(int32_t code, const ParamsRef& params) override;
  void PlayBegins() override;
  void EndPlay() override;

 private:
  void PickUp(const WidgetRef& piece);
  void Drop(const WidgetRef& piece);
  void ResetPieces();
  // A piece that glides (into a cell or back) has a scenario of its name running.
  bool IsGliding(IWidget& piece);
  // The piece's cells, from its "row", "col" and "structure".
  void MarkCells(IWidget& piece, bool occupied);

  std::string replay_ = "no";
  int32_t topZ_ = 0;
  SatchelGrid grid_{0, 0, 0, 0, 0, 0};
  PieceCarrier carrier_;
};

}  // namespace kestrelle
