#pragma once
// The scenarios of Find Pairs, made by the data's factories "scenario_pairs_end_round",
// "scenario_pairs_failed_round" and "scenario_end_level":
//   "scenario_pairs_end_round"     the found pair glides to one spot (512 − its "rotate" centre,
//                                  200) while the tilts meet, fades out under the text
//                                  "%next_round%", then the text and "../frame_black" fade away
//   "scenario_pairs_failed_round"  "../frame_black" darkens under the text "%round_failed%" and
//                                  clears again
//   "scenario_pairs_end_level"     the last pair merges as at the end of a round while
//                                  "button_menu", "button_skip" and "panel" slide out; the text
//                                  "%minigame_completed%" follows
// Each reads "duration", "name1" and "name2" (the pair's element names) from its own properties,
// makes its text from the factory "text_visualization" (whose "visualization_time" × 1.1 sets how
// long the fade-in lasts) and reports its own name to the control when it is over.

#include <cstdint>
#include <memory>
#include <string>

#include "controls/state_scenario.h"

namespace kestrelle {

class TFindPairsScenario : public TControlStateScenario {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;

 protected:
  // p: the part of the current state's wait that has passed (1 without a wait); e: p eased.
  double Progress() const;
  double Eased() const;
  TState::CheckDoneHook WaitPassed() {
    return [this](TState&) { return GetStateTime() >= wait_; };
  }
  void SetWait(int32_t ms) { wait_ = ms; }

  // The pair's elements, paused; "../frame_black" of the control.
  void FindPair();
  void FindFrame();
  // Where the pair goes and how it turns, from where it is now.
  void BeginMove();
  void MoveStep(double eased);
  // The text widget from "text_visualization" showing `levelName`; the wait is its reveal time
  // × 1.1, or "duration" without it.
  void BeginText(const std::string& levelName);
  void SetPairLevel(int32_t level);
  static void SetLevel(const std::weak_ptr<IWidget>& widget, double level);
  // The states of a darkening: "../frame_black" darkens under the text `levelName` and clears
  // again, then the scenario reports its name.
  void AddDarkenStates(const std::string& levelName);

  int32_t duration_ = 0;
  std::string name1_;
  std::string name2_;
  std::weak_ptr<IWidget> first_;
  std::weak_ptr<IWidget> second_;
  std::weak_ptr<IWidget> frame_;
  std::weak_ptr<IWidget> text_;

 private:
  struct Glide {
    double x = 0, y = 0, angle = 0;
  };
  int32_t wait_ = 0;
  Glide from1_, from2_;
  double toX_ = 0, toY_ = 0, toAngle_ = 0;
};

class TScenarioFindPairsEndRound : public TFindPairsScenario {
 public:
  void Initialize() override;
};

class TScenarioFindPairsFailedRound : public TFindPairsScenario {
 public:
  void Initialize() override;
};

class TScenarioFindPairsEndLevel : public TFindPairsScenario {
 public:
  void Initialize() override;

 private:
  std::weak_ptr<IWidget> menu_, skip_, panel_;
  double menuFrom_ = 0, menuTo_ = 0, skipFrom_ = 0;
};

}  // namespace kestrelle
