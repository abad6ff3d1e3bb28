#pragma once
// "KestrellePathElement": one piece of the Path board, shown through its two look children
// "normal" and "correct". "angle" reads the "normal" child's "angle" and sets both children's;
// "state" keeps the text written last and shows "normal" or "correct" to match. Its factory names
// it after its cell ("row_col") and gives it "path_type" and a child "contour" for hit tests.

#include <string>

#include "widgets/appearance_effect_widget.h"

namespace kestrelle {

class TKestrellePathElement : public TAppearanceEffectWdiget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;

  std::string GetState() const { return state_; }
  void SetState(std::string state);

 private:
  std::string state_;
};

}  // namespace kestrelle
