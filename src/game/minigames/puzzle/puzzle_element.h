#pragma once
// The pieces the player carries in Puzzle ("KestrellePuzzleElement") and Satchel
// ("KestrelleSatchelElement"). A piece's "state" is "normal" (lying free), "draging" (carried),
// "moving" (gliding) or "placed"; any state but "moving" shows exactly its look child of that name
// among "normal", "draging" and "placed" and hides the other two. The satchel piece also keeps its
// shape as the stored text "structure" and plays its appearance effects.

#include <string>

#include "widgets/appearance_effect_widget.h"
#include "widgets/group_widget.h"

namespace kestrelle {

// Shows the look child named like `state` and hides the other two (nothing for "moving").
void ShowPieceLook(IWidget& piece, const std::string& state);

class TKestrellePuzzleElement : public TVisualGroupWidget {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  std::string GetState() const { return state_; }
  void SetState(const std::string& state);

 private:
  std::string state_ = "normal";
};

class TKestrelleSatchelElement : public TAppearanceEffectWdiget {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  std::string GetState() const { return state_; }
  void SetState(const std::string& state);
  const std::string& GetStructure() const { return structure_; }

 private:
  std::string state_ = "normal";
  std::string structure_;
};

}  // namespace kestrelle
