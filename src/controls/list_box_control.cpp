#include "controls/list_box_control.h"

#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/variant_values.h"
#include "platform/messages.h"

namespace kestrelle {

const TPropertyTable& TListBoxControl::GetPropertyTable() const {
  static const TPropertyTable table(TControlWidget::GetPropertyTable(),
                                    {
                                        Property("color", &TListBoxControl::color_),
                                        Property("selectedcolor", &TListBoxControl::selectedColor_),
                                    });
  return table;
}

void TListBoxControl::Initialize() {
  TControlWidget::Initialize();
  model_ = TListBoxModel();
  contentOffset_ = {};
}

// The row height's default is a tenth of the height.
void TListBoxControl::LoadProperties(const StorageRef& storage) {
  TControlWidget::LoadProperties(storage);
  model_.SetRowHeight(static_cast<int32_t>(ReadInt(storage, "rowheight", height_ / 10)));
}

void TListBoxControl::SaveProperties(const StorageRef& storage) {
  TControlWidget::SaveProperties(storage);
  WriteInt(storage, "rowheight", model_.RowHeight());
}

Variant TListBoxControl::GetProperty(const std::string& name) {
  if (PropIs(name, "rowheight")) return Variant(model_.RowHeight());
  if (PropIs(name, "selected")) return Variant(model_.Selected());
  if (PropIs(name, "topindex")) return Variant(model_.TopIndex());
  return TControlWidget::GetProperty(name);
}

void TListBoxControl::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  if (WidgetRef box = Child("image_contentbox")) {
    contentOffset_ = TPoint{Round32(box->GetAnchorLeft()), Round32(box->GetAnchorTop())};
    model_.SetContentHeight(box->GetHeight());
  } else {
    contentOffset_ = TPoint{0, 0};
    model_.SetContentHeight(height_);
  }
  Refresh();
}

void TListBoxControl::Refresh() {
  SetChanged(true);
  model_.Clamp();
  if (WidgetRef up = Child("button_up")) up->SetEnabled(model_.CanScrollUp());
  if (WidgetRef down = Child("button_down")) down->SetEnabled(model_.CanScrollDown());
}

void TListBoxControl::AddItem(const std::string& text, const std::string& key) {
  model_.AddItem(text, key);
  Refresh();
}

void TListBoxControl::DeleteItem(const Variant& key) {
  model_.DeleteItem(key);
  Refresh();
}

void TListBoxControl::ClearItems() {
  model_.ClearItems();
  Refresh();
}

void TListBoxControl::SetSelected(int index) {
  if (model_.SetSelected(index)) SetChanged(true);
}

void TListBoxControl::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  TControlWidget::Draw(surface, x, y);
  WidgetRef text = Child("text");
  if (!text) return;
  WidgetRef background = Child("image_selectedbackground");
  const int32_t rowHeight = model_.RowHeight();
  const int32_t first = std::max(model_.TopIndex(), 0);
  const int32_t last = std::min(model_.TopIndex() + model_.VisibleRows() - 1, model_.Count() - 1);
  const int32_t left = x + contentOffset_.x;
  text->SetVisible(true);
  for (int32_t i = first; i <= last; ++i) {
    const int32_t top = y + contentOffset_.y + (i - model_.TopIndex()) * rowHeight;
    if (i == model_.Selected()) {
      text->SetProperty("fillcolor", Variant(static_cast<int64_t>(selectedColor_)));
      if (background) {
        background->SetVisible(true);
        background->Draw(surface, left + Round32(background->GetAnchorLeft()),
                         top + Round32(background->GetAnchorTop()));
        background->SetVisible(false);
      }
    } else {
      text->SetProperty("fillcolor", Variant(static_cast<int64_t>(color_)));
    }
    // Rows are player names and other texts the code already holds: shown as they stand.
    text->SetProperty("text_utf8", Variant(LiteralText(*model_.Items().GetAt(i))));
    text->Draw(surface, left, top);
  }
  text->SetVisible(false);
}

int32_t TListBoxControl::RowAtPoint(const TPoint& point) const {
  const int32_t dx = point.x - Round32(anchorLeft_) - contentOffset_.x;
  const int32_t dy = point.y - Round32(anchorTop_) - contentOffset_.y;
  return model_.RowAt(dx, dy);
}

bool TListBoxControl::MouseUp(const TPoint& point, uint32_t, int32_t) {
  int32_t row = RowAtPoint(point);
  if (row < 0) return false;
  SetSelected(row);
  SendEvent(kEventListBoxSelected);
  return true;
}

bool TListBoxControl::DoubleClick(const TPoint& point, uint32_t, int32_t) {
  if (RowAtPoint(point) < 0) return false;
  SendEvent(kEventListBoxDoubleClick);
  return true;
}

bool TListBoxControl::KeyEvent(uint32_t message, uintptr_t key, intptr_t) {
  if (!focused_ || message != WM_KEYDOWN) return false;
  if (!model_.KeyDown(key)) return false;
  SendEvent(kEventListBoxSelected);
  Refresh();
  return true;
}

void TListBoxControl::HandleWidgetEvent(const WidgetRef& sender, int32_t, const ParamsRef&) {
  if (!sender) return;
  if (sender == Child("button_up")) {
    model_.Scroll(-1);
    Refresh();
  } else if (sender == Child("button_down")) {
    model_.Scroll(+1);
    Refresh();
  }
}

std::shared_ptr<IGameScreenOwner> TListBoxControl::GetGameOwner() {
  WidgetOwnerRef owner = TControlWidget::GetOwner();
  EventHandlerRef outer = owner ? owner->GetEventHandler() : nullptr;
  return outer ? outer->GetGameOwner() : nullptr;
}

}  // namespace kestrelle
