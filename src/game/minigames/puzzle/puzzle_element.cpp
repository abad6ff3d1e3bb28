#include "game/minigames/puzzle/puzzle_element.h"

namespace kestrelle {

void ShowPieceLook(IWidget& piece, const std::string& state) {
  if (state == "moving") return;
  for (const char* look : {"normal", "draging", "placed"}) {
    WidgetCollectionRef children = piece.GetWidgets();
    if (WidgetRef child = children ? children->GetByName(look) : nullptr) child->SetVisible(state == look);
  }
}

const TPropertyTable& TKestrellePuzzleElement::GetPropertyTable() const {
  using T = TKestrellePuzzleElement;
  static const TPropertyTable table(
      TVisualGroupWidget::GetPropertyTable(),
      {
          Property("state", &T::GetState, &T::SetState, std::string("normal")).NotStored(),
      });
  return table;
}

void TKestrellePuzzleElement::SetState(const std::string& state) {
  state_ = state;
  ShowPieceLook(*this, state_);
}

const TPropertyTable& TKestrelleSatchelElement::GetPropertyTable() const {
  using T = TKestrelleSatchelElement;
  static const TPropertyTable table(
      TAppearanceEffectWdiget::GetPropertyTable(),
      {
          Property("structure", &T::structure_),
          Property("state", &T::GetState, &T::SetState, std::string("normal")).NotStored(),
      });
  return table;
}

void TKestrelleSatchelElement::SetState(const std::string& state) {
  state_ = state;
  ShowPieceLook(*this, state_);
}

}  // namespace kestrelle
