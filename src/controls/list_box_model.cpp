#include "controls/list_box_model.h"

#include <algorithm>

#include "platform/messages.h"

namespace kestrelle {

int32_t TListBoxModel::IndexOf(const Variant& key) const {
  if (key.IsString()) return items_.IndexOf(key.ToString());
  if (key.IsNumber()) {
    int64_t index = key.ToInt(-1);
    return index >= 0 && index < Count() ? static_cast<int32_t>(index) : -1;
  }
  return -1;
}

std::string TListBoxModel::ItemText(const Variant& key) const {
  int32_t index = IndexOf(key);
  return index < 0 ? std::string() : *items_.GetAt(index);
}

bool TListBoxModel::AddItem(const std::string& text, const std::string& key) {
  bool added = items_.Add(text, key, -1, key.empty()) != nullptr;
  Clamp();
  return added;
}

void TListBoxModel::DeleteItem(const Variant& key) {
  int32_t index = IndexOf(key);
  if (index >= 0) {
    items_.DeleteAt(index);
    if (index == selected_) {
      selected_ = std::min(index, Count() - 1);
    } else if (index < selected_) {
      --selected_;
    }
  }
  Clamp();
}

void TListBoxModel::ClearItems() {
  items_.Clear();
  selected_ = -1;
  Clamp();
}

bool TListBoxModel::SetSelected(int32_t index) {
  if (index < 0 || index >= Count() || index == selected_) return false;
  selected_ = index;
  return true;
}

void TListBoxModel::SetContentHeight(int32_t height) {
  visibleRows_ = rowHeight_ > 0 ? std::max(height / rowHeight_, 0) : 0;
  Clamp();
}

bool TListBoxModel::KeyDown(uintptr_t key) {
  const int32_t last = Count() - 1;
  switch (key) {
    case VK_END:
      if (last < 0 || selected_ == last) return false;
      selected_ = last;
      break;
    case VK_HOME:
      if (selected_ < 1) return false;
      selected_ = 0;
      break;
    case VK_UP:
      if (selected_ < 1) return false;
      --selected_;
      break;
    case VK_DOWN:
      if (selected_ >= last) return false;
      ++selected_;
      break;
    default:
      return false;
  }
  ScrollToSelection();
  return true;
}

void TListBoxModel::ScrollToSelection() {
  if (selected_ < top_) top_ = selected_;
  if (selected_ >= top_ + visibleRows_ - 1) top_ = selected_ - visibleRows_ + 1;
  Clamp();
}

void TListBoxModel::Scroll(int32_t delta) {
  top_ += delta;
  Clamp();
}

void TListBoxModel::Clamp() {
  if (Count() - visibleRows_ < top_) top_ = std::max(0, Count() - visibleRows_);
  if (top_ < 0) top_ = 0;
}

int32_t TListBoxModel::RowAt(int32_t dx, int32_t dy) const {
  if (rowHeight_ <= 0 || dx < 0 || dy < 0 || dy >= visibleRows_ * rowHeight_) return -1;
  return std::max(top_, 0) + dy / rowHeight_;
}

}  // namespace kestrelle
