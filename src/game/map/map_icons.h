#pragma once
// The two icons of the town map. Their look is made of named children shown or hidden by state.
//
// "KestrelleMapLevel", a day of the shop's calendar: "map_level_state" ("locked", "current",
// "completed") shows the child of that name ("available" goes with "completed"); "highlight" is
// handed to the child of the current state; "award_time" and "award_service" show the medal
// children of those names when "yes".
//
// "KestrelleIconShop", a shop of the row of shops: "icon_state" shows the child of that name;
// "highlight" shows the state child's own child "highlight".

#include <string>

#include "widgets/group_widget.h"

namespace kestrelle {

class TKestrelleMapLevel : public TVisualGroupWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  const std::string& GetState() const { return state_; }
  void SetState(const std::string& state);
  void SetHighlight(const std::string& highlight);
  void SetAwardTime(const std::string& value);
  void SetAwardService(const std::string& value);

 private:
  void ShowChild(const std::string& name, bool show);

  std::string state_;
  std::string highlight_;
  std::string awardTime_;
  std::string awardService_;
};

class TKestrelleIconShop : public TVisualGroupWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  const std::string& GetState() const { return state_; }
  void SetState(const std::string& state);
  void SetHighlight(const std::string& highlight);

 private:
  std::string state_;
  std::string highlight_;
};

}  // namespace kestrelle
