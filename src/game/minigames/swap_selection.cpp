#include "game/minigames/swap_selection.h"

namespace kestrelle {

SwapSelection::Outcome SwapSelection::Click(size_t piece, bool moving) {
  if (moving) return {};
  if (!selected_) {
    selected_ = piece;
    return {Kind::kSelected, piece, piece};
  }
  const size_t first = *selected_;
  selected_.reset();
  if (first == piece) return {Kind::kDeselected, first, piece};
  return {Kind::kSwap, first, piece};
}

}  // namespace kestrelle
