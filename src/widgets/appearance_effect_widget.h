#pragma once
// "appearance_effect_widget", the root of every game screen. Its show and hide effects are not
// part of the program yet: it is a plain visual group, which is exactly how an effect widget
// without an "effects" element behaves (shown and hidden at once, never applying an effect).

#include <string>

#include "widgets/group_widget.h"

namespace kestrelle {

class TAppearanceEffectWdiget : public TVisualGroupWidget {
 public:
  // "applyingeffect": false (no effect ever plays).
  Variant GetProperty(const std::string& name) override;
};

}  // namespace kestrelle
