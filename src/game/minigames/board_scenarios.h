#pragma once
// Pieces shared by the start and end scenarios of the board minigames: a state scenario with a
// "duration" and a wait per state, and the slide of the frame's "button_menu", "button_skip" and
// "panel" (found through the control's owner).

#include <cstdint>
#include <memory>
#include <string>

#include "controls/state_scenario.h"

namespace kestrelle {

class TBoardScenario : public TControlStateScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

 protected:
  // p: the part of the current state's wait that has passed (1 without a wait).
  double Progress() const;
  // The same over the first half of the wait.
  double FirstHalfProgress() const;
  TState::CheckDoneHook WaitPassed() {
    return [this](TState&) { return GetStateTime() >= wait_; };
  }
  void SetWait(int32_t ms) { wait_ = ms; }
  // A widget at `path` from the control, from the screen (through the control's owner), or from
  // this scenario's owner.
  WidgetRef FromControl(const std::string& path) const;
  WidgetRef FromScreen(const std::string& name) const;
  WidgetRef FromOwner(const std::string& path);
  static void SetLevel(const std::weak_ptr<IWidget>& widget, double level);

  int32_t duration_ = 0;

 private:
  int32_t wait_ = 0;
};

// A widget's anchor left moving linearly from `from` to `to`.
struct AnchorLeftSlide {
  std::weak_ptr<IWidget> widget;
  double from = 0;
  double to = 0;
  void Step(double p) const;
};

// The start of Yang and Stamp: the control's "elements" is shown, "../../bg" (from this
// scenario's owner) fades in over "duration" while the control's "../button_menu" slides from
// x = 800 to its "init_x" in the first half, and "../button_skip" from where the frame put it to
// its "init_x" in the same time; then a state without wait, then the report.
class TMenuSlideInScenario : public TBoardScenario {
 public:
  void Initialize() override;

 private:
  std::weak_ptr<IWidget> menu_, background_;
  AnchorLeftSlide skip_;
};

// The frame's buttons and panel moving linearly between two places.
class FrameSlide {
 public:
  // In: the buttons go from where they are to their "init_x", the panel to 0.
  void SlideIn(const WidgetRef& menu, const WidgetRef& skip, const WidgetRef& panel);
  // Out: "button_menu" to −(its width), "button_skip" to 1024, the panel from 0 to −(its height).
  void SlideOut(const WidgetRef& menu, const WidgetRef& skip, const WidgetRef& panel);
  void Step(double p);

 private:
  struct Track {
    std::weak_ptr<IWidget> widget;
    double from = 0;
    double to = 0;
  };
  Track menu_, skip_, panel_;
};

}  // namespace kestrelle
