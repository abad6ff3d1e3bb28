#include "game/minigames/path/path_element.h"

namespace kestrelle {

void TKestrellePathElement::Initialize() {
  TAppearanceEffectWdiget::Initialize();
  state_.clear();
}

const TPropertyTable& TKestrellePathElement::GetPropertyTable() const {
  using T = TKestrellePathElement;
  static const TPropertyTable table(TAppearanceEffectWdiget::GetPropertyTable(),
                                    {Property("state", &T::GetState, &T::SetState).NotStored()});
  return table;
}

Variant TKestrellePathElement::GetProperty(const std::string& name) {
  if (name == "angle") {
    WidgetRef normal = FindWidget("normal");
    return normal ? normal->GetProperty("angle") : Variant();
  }
  return TAppearanceEffectWdiget::GetProperty(name);
}

void TKestrellePathElement::SetProperty(const std::string& name, const Variant& value) {
  if (name == "angle") {
    for (const char* look : {"normal", "correct"})
      if (WidgetRef child = FindWidget(look)) child->SetProperty("angle", value);
    return;
  }
  TAppearanceEffectWdiget::SetProperty(name, value);
}

void TKestrellePathElement::SetState(std::string state) {
  state_ = std::move(state);
  const bool correct = state_ == "correct";
  if (state_ != "normal" && !correct) return;
  if (WidgetRef normal = FindWidget("normal")) normal->SetVisible(!correct);
  if (WidgetRef look = FindWidget("correct")) look->SetVisible(correct);
}

}  // namespace kestrelle
