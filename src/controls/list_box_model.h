#pragma once
// The list box's rows: the items (keyed, in order), the selection, the first shown row and the
// number of rows the content box holds; the keys that move the selection, the scroll buttons
// and the row under a point.

#include <cstdint>
#include <string>

#include "data/keyed_list.h"
#include "data/variant.h"

namespace kestrelle {

class TListBoxModel {
 public:
  int32_t Count() const { return items_.Count(); }
  const TKeyedList<std::string>& Items() const { return items_; }
  // The item's text by index (a number) or key (a string); "" when there is none.
  std::string ItemText(const Variant& key) const;
  // Index of an item by index or key; -1 when there is none.
  int32_t IndexOf(const Variant& key) const;

  // A second item under an existing key is not added; an empty key gets a generated one.
  bool AddItem(const std::string& text, const std::string& key);
  // Removes the item (by index or key; a missing one removes nothing). The selection follows
  // its item; a removed selected item passes the selection to the row that takes its place.
  void DeleteItem(const Variant& key);
  void ClearItems();

  int32_t Selected() const { return selected_; }
  // Ignores indexes outside the items; true when the selection changed.
  bool SetSelected(int32_t index);

  int32_t TopIndex() const { return top_; }
  int32_t VisibleRows() const { return visibleRows_; }
  int32_t RowHeight() const { return rowHeight_; }
  void SetRowHeight(int32_t rowHeight) { rowHeight_ = rowHeight; }
  // The rows that fit in a content box of that height (none without a positive row height).
  void SetContentHeight(int32_t height);

  // End, Home, Up and Down move the selection and scroll it into view; true when the selection
  // moved (the control then reports it).
  bool KeyDown(uintptr_t key);
  // The scroll buttons: the first shown row moves by `delta`, within the items.
  void Scroll(int32_t delta);
  // Keeps the first shown row within the items; called after every change of items or scroll.
  void Clamp();
  bool CanScrollUp() const { return top_ > 0; }
  bool CanScrollDown() const { return top_ + visibleRows_ < Count(); }

  // The row index at (dx, dy), relative to the content box's corner; -1 outside the shown rows.
  int32_t RowAt(int32_t dx, int32_t dy) const;

 private:
  void ScrollToSelection();

  TKeyedList<std::string> items_;
  int32_t top_ = 0;
  int32_t selected_ = -1;
  int32_t visibleRows_ = 0;
  int32_t rowHeight_ = 0;
};

}  // namespace kestrelle
