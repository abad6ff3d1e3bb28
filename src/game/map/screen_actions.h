#pragma once
// "KestrelleGameScreenActions": the overview of the owner's four life tracks. Each track has its
// group of buttons "buttons_" + track (one button per action, named "1", "2" ..., plus
// "completed" and "recommend"): only the button of the track's next action shows, "completed"
// once every action is done, and "recommend" on the track whose next action comes first by
// priority. The bar "bar_" + track shows the track's level, "money" the money owned.
//
// Shown with "show_new_action" = "yes" it opens "GS_NewAction" on top; the first time a player
// sees it, "GS_ActionsTutorial". The track buttons open "GS_Action" (by their data, or here when
// they leave the click to the screen); when it closes the tracks are drawn again with the bars
// moving. A track button under the pointer is described in "popup" ("%desc_" + its "res" + "%").
// "button_close" closes the screen with "continue_play" = the "show_new_action" it was shown with.

#include <cstdint>
#include <string>

#include "app/game_screen.h"
#include "game/map/pointer_hover.h"

namespace kestrelle {

class TKestrelleGameScreenActions : public TGameScreen {
 public:
  static constexpr const char* kRequiredChildren[] = {"buttons_personal", "buttons_education", "buttons_fitness",
                                                      "buttons_careers",  "bar_personal",      "bar_education",
                                                      "bar_fitness",      "bar_careers",       "money"};

  void OnShowing(const ParamsRef& params) override;
  void OnShown(const ParamsRef& params) override;
  void OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;
  void Update(int32_t elapsedMs) override;

  const std::string& GetContinuePlay() const { return continuePlay_; }

 private:
  // The tracks, the recommendation and the money; the bars jump to their values unless `animate`.
  void DrawAll(bool animate);
  void DrawTrack(const std::string& track, int64_t level);
  void SetBar(const std::string& track, int64_t level, bool animate);
  // The visible action button of a track under the pointer.
  WidgetRef HoveredButton();

  std::string continuePlay_ = "no";
  THoverTracker hover_;
};

}  // namespace kestrelle
