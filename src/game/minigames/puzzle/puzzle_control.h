#pragma once
// "KestrellControlGamePuzzle": the pieces of a picture scattered over the board, made by the
// factory "puzzle_element" in the child "elements". A click picks a free piece up, the next puts
// it down; within 20 pixels of its place it glides there ("scenario_moving", one per piece) and
// stays. When the last glide is over the whole picture fades in ("scenario_show_image"), the
// screen's "button_close" appears, and closing it (command 7) plays "scenario_end_level", whose
// report sends 32773. Sounds: "sound_minigame_click", "sound_minigame_completed".

#include <cstdint>
#include <memory>
#include <string>

#include "game/minigames/minigame_control.h"
#include "game/minigames/puzzle/piece_carrier.h"

namespace kestrelle {

class TKestrelleControlGamePuzzle : public TKestrelleMinigameControl {
 public:
  static constexpr const char* kRequiredChildren[] = {"elements", "scenario_group"};

  void Initialize() override;
  void ClearOwner() override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;
  bool MouseMove(const TPoint& point, uint32_t keys) override;

  const std::string& GetReplay() const { return replay_; }
  WidgetRef GetDragged() const { return carrier_.Carried(); }

 protected:
  std::string PieceGroupName() const override { return "elements"; }
  void Command(int32_t code, const ParamsRef& params) override;
  void SetUp() override;
  void ReadStartParameters(const ParamsRef& params) override;
  void OtherScenarioFinished(const std::string& name, const ParamsRef& params) override;
  void EndPlay() override;

 private:
  void Drop(const WidgetRef& piece);
  // Over when every piece is placed and no glide runs any more.
  void FinishWhenAllPlaced();

  std::string replay_ = "no";
  int32_t topZ_ = 0;
  int32_t glides_ = 0;  // glides started and not yet reported
  PieceCarrier carrier_;
};

}  // namespace kestrelle
