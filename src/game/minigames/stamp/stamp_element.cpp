#include "game/minigames/stamp/stamp_element.h"

namespace kestrelle {

void TKestrelleStampElement::SetProperty(const std::string& name, const Variant& value) {
  TVisualGroupWidget::SetProperty(name, value);
  if (name != "state") return;
  const std::string state = value.ToString();
  if (state == "moving") return;
  for (const char* look : {"normal", "placed", "draging"})
    if (WidgetRef child = FindWidget(look)) child->SetVisible(state == look);
}

}  // namespace kestrelle
