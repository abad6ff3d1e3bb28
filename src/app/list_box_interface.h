#pragma once
// What screens ask of a list box control (the control itself lives in the controls layer).

#include <string>

#include "app/widget_interfaces.h"
#include "data/variant.h"

namespace kestrelle {

class IListBoxControl : public virtual IWidget {
 public:
  // `key` holds a row index or an item key.
  virtual std::string GetItemText(const Variant& key) = 0;
  // An empty key makes one up. The text is shown as it stands: a language key is translated by
  // the caller.
  virtual void AddItem(const std::string& text, const std::string& key) = 0;
  // Selects the row that took the deleted row's place, or the row before when it was the last.
  virtual void DeleteItem(const Variant& key) = 0;
  virtual void ClearItems() = 0;
  // Indexes outside the rows are ignored.
  virtual void SetSelected(int index) = 0;
  // -1 when no row is selected.
  virtual int GetSelected() = 0;
};
using ListBoxRef = std::shared_ptr<IListBoxControl>;

}  // namespace kestrelle
