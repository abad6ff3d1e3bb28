#pragma once
// "KestrelleControlGameRemoveItems": one picture ("original_image") with extra items laid over it
// in the group "remove_items" (factory "diff_image"), optionally over the player's own room drawn
// into "room_items" (factory "item", from the published "room_item_defs"). A click on an item
// removes it through "scenario_find_diff"; a miss puts the child "cross" where the player clicked.
// The screen's "panel/counter" shows how many items are left; its "button_hint" (command 10)
// flashes one. Sounds: "sound_minigame_click", "sound_minigame_correct_click",
// "sound_minigame_completed". The help is asked of the screen with 32789.
//
// State: 0 over, 1 starting, 2 playing; the last item (or a skip) plays the end scenario, whose
// report sends 32773.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/minigames/patch_control.h"

namespace kestrelle {

class TKestrelleControlGameRemoveItems : public TKestrellePatchMinigameControl {
 public:
  static constexpr const char* kRequiredChildren[] = {"remove_items", "scenario_group"};

  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;

 protected:
  void SetUp() override;
  void ShowHelp() override;
  void OtherScenarioFinished(const std::string& name, const ParamsRef& params) override;
  std::vector<WidgetRef> Patches() override;

 private:
  void DrawRoom();

  std::weak_ptr<IWidget> removeItems_;
  std::weak_ptr<IWidget> roomItems_;
};

}  // namespace kestrelle
