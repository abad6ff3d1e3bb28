#include "widgets/appearance_effect_widget.h"

#include "data/text_encoding.h"

namespace kestrelle {

Variant TAppearanceEffectWdiget::GetProperty(const std::string& name) {
  if (EqualsIgnoreAsciiCase(name, "applyingeffect")) return Variant(false);
  return TVisualGroupWidget::GetProperty(name);
}

}  // namespace kestrelle
