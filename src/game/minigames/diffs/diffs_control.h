#pragma once
// "KestrelleControlGameDiffs": the two pictures of Find the Differences. Its children "group1"
// and "group2" each hold an "original_image" and a group "diffs" of patches made by the factory
// "diff_image"; "second_cursor" mirrors the pointer on the other picture; "timer" runs while the
// player plays; "scenario_group" runs "scenario_start_level", "scenario_find_diff" (one per
// found patch) and "scenario_end_level". The screen's "panel/counter" shows how many patches are
// left and its "button_hint" (command 10) flashes one of them. Sounds: "sound_minigame_click",
// "sound_minigame_correct_click", "sound_minigame_completed".
//
// State: 0 over, 1 starting, 2 playing. The last patch (or a skip) plays the end scenario; its
// report sends 32773 to the screen.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/minigames/patch_control.h"

namespace kestrelle {

class TKestrelleControlGameDiffs : public TKestrellePatchMinigameControl {
 public:
  static constexpr const char* kRequiredChildren[] = {"group1", "group2", "scenario_group"};

  void Initialize() override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void DoUpdate(int32_t elapsedMs) override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;

  // The pointer mirrored onto the other picture, in the control's children space.
  std::optional<TPoint> MirroredPosition();

 protected:
  void ScenarioFinalized(const std::string& name, const ParamsRef& params) override;
  void SetUp() override;
  void PlayBegins() override;
  void OtherScenarioFinished(const std::string& name, const ParamsRef& params) override;
  void EndPlay() override;
  std::vector<WidgetRef> Patches() override;

 private:
  // The patch under a screen point, on either picture.
  WidgetRef PatchAt(const TPoint& screenPoint);
  WidgetRef Diffs(const std::weak_ptr<IWidget>& picture);
  void SetTimerPaused(bool paused);

  TPoint cursorOffset_{0, 0};
  std::weak_ptr<IWidget> picture1_;
  std::weak_ptr<IWidget> picture2_;
  std::weak_ptr<IWidget> secondCursor_;
};

}  // namespace kestrelle
