#pragma once
// "KestrelleGameTool": one slot of the tool panel. Its "type" names the tool it holds ("Hint_1"
// ...) or "Locked" for a slot without one, its "quantity" the uses left. The look is made of the
// children "normal" (uses left), "disabled" (none left), "selected" (under the mouse) and "locked",
// and of the quantity labels (every child whose name starts with "quantity"), which show the number.

#include <cstdint>
#include <string>

#include "widgets/group_widget.h"

namespace kestrelle {

class TKestrelleGameTool : public TVisualGroupWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void SetOwner(const WidgetOwnerRef& owner) override;

  const std::string& GetType() const { return type_; }
  void SetType(const std::string& type);
  int64_t GetQuantity() const { return quantity_; }
  void SetQuantity(int64_t quantity);
  void SetResourceName(const std::string& name);
  void SetDisabledResourceName(const std::string& name);
  bool GetHighlight() const { return highlight_; }
  void SetHighlight(bool highlight);
  bool IsLocked() const;

 private:
  void ShowChild(const std::string& name, bool show);
  void ShowQuantity();
  void ShowType();
  void ShowHighlight();
  void PassResource(const std::string& child, const std::string& resource);

  std::string type_;
  int64_t quantity_ = 0;
  std::string resourceName_;
  std::string disabledResourceName_;
  bool highlight_ = false;
};

}  // namespace kestrelle
