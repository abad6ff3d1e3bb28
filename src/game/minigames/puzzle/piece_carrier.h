#pragma once
// Carrying a piece with the mouse, as Puzzle and Satchel do: one click picks a piece up, the
// pointer carries it (its anchor stays at the same offset from the pointer), the next click puts
// it down. Points are screen points; each piece converts them into its own owner's space.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/widget_interfaces.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

class PieceCarrier {
 public:
  // The topmost piece of `pieces` under the point (searching from the last child to the first)
  // that `eligible` accepts; visibility respected.
  static WidgetRef PieceAt(const WidgetRef& pieces, const TPoint& screenPoint,
                           const std::function<bool(IWidget&)>& eligible) {
    const std::vector<WidgetRef> children = ChildrenOf(pieces);
    for (size_t i = children.size(); i-- > 0;) {
      const WidgetRef& piece = children[i];
      if (eligible(*piece) && piece->ContainsPoint(piece->ScreenToOwner(screenPoint), false)) return piece;
    }
    return nullptr;
  }

  void PickUp(const WidgetRef& piece, const TPoint& screenPoint, int32_t topZ) {
    const TPoint at = piece->ScreenToOwner(screenPoint);
    offsetX_ = piece->GetAnchorLeft() - at.x;
    offsetY_ = piece->GetAnchorTop() - at.y;
    carried_ = piece;
    piece->SetZ(topZ);
    piece->SetProperty("state", Variant(std::string("draging")));
  }

  // The carried piece follows the pointer.
  void Follow(const TPoint& screenPoint) {
    WidgetRef piece = carried_.lock();
    if (!piece) return;
    const TPoint at = piece->ScreenToOwner(screenPoint);
    piece->SetAnchorLeft(at.x + offsetX_);
    piece->SetAnchorTop(at.y + offsetY_);
  }

  WidgetRef Carried() const { return carried_.lock(); }
  void Release() { carried_.reset(); }

 private:
  std::weak_ptr<IWidget> carried_;
  double offsetX_ = 0;
  double offsetY_ = 0;
};

// A piece's "state" ("normal", "draging", "moving", "placed").
inline std::string PieceState(IWidget& piece) { return piece.GetProperty("state").ToString(); }

}  // namespace kestrelle
