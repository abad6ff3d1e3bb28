#pragma once
// "KestrelleControlGameStamp": a jigsaw without a board. Pieces ("stamp_element", one per element
// of the definition) lie in the child "elements"; a click picks a piece up with its whole group
// (its "links") at z = pieces + 2, the mouse carries the group, and the next click puts it down.
// Every piece of the put-down group that lies within 10 px of its place relative to a neighbour
// pulls that neighbour's group to it ("scenario_moving"); when the move reports, the two groups
// share their links, and once one group holds every piece the picture shows
// ("scenario_stamp_show_image", named "scenario_show_image"), then the close button.

#include <memory>
#include <string>

#include "game/minigames/board_control.h"

namespace kestrelle {

class TKestrelleControlGameStamp : public TKestrelleBoardMinigameControl {
 public:
  static constexpr const char* kRequiredChildren[] = {"elements", "scenario_group"};

  void Initialize() override;
  void ClearOwner() override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;
  bool MouseMove(const TPoint& point, uint32_t keys) override;

  WidgetRef GetCarried() const { return carried_.lock(); }

 protected:
  std::string PieceGroupName() const override { return "elements"; }
  void SetUp() override;
  void OtherScenarioFinished(const std::string& name, const ParamsRef& params) override;
  void EndPlay() override;

 private:
  WidgetRef PieceNamed(const std::string& name);
  void SetGroupZ(const WidgetRef& piece, int32_t z);
  void PutDown();
  void JoinTest(const WidgetRef& piece);

  double grabX_ = 0;
  double grabY_ = 0;
  int32_t topZ_ = 0;
  std::weak_ptr<IWidget> carried_;
};

}  // namespace kestrelle
