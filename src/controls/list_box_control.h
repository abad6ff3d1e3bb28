#pragma once
// "ListBoxControl": rows of text drawn as they stand (no language lookup) with one template text
// child ("text"), a selection shown with "selectedcolor" and "image_selectedbackground",
// scrolling by keys and by the child buttons "button_up" and "button_down" (the list box is
// their event handler).

#include <cstdint>
#include <string>

#include "app/list_box_interface.h"
#include "controls/control_widget.h"
#include "controls/list_box_model.h"

namespace kestrelle {

class TListBoxControl : public TControlWidget, public virtual IListBoxControl, public virtual IEventHandler {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  bool GetTabStop() override { return tabStop_ && visible_ && enabled_; }
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;
  bool MouseUp(const TPoint& point, uint32_t keys, int32_t button) override;
  bool DoubleClick(const TPoint& point, uint32_t keys, int32_t button) override;
  bool KeyEvent(uint32_t message, uintptr_t key, intptr_t keyData) override;

  // IListBoxControl
  std::string GetItemText(const Variant& key) override { return model_.ItemText(key); }
  void AddItem(const std::string& text, const std::string& key) override;
  void DeleteItem(const Variant& key) override;
  void ClearItems() override;
  void SetSelected(int index) override;
  int GetSelected() override { return model_.Selected(); }

  // IWidgetOwner (for the children) and IEventHandler: the scroll buttons report here.
  EventHandlerRef GetEventHandler() override { return SelfAs<IEventHandler>(); }
  EngineRef GetEngine() override { return TControlWidget::GetEngine(); }
  void HandleWidgetEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  std::shared_ptr<IGameScreenOwner> GetGameOwner() override;

  const TListBoxModel& Model() const { return model_; }
  int32_t GetTopIndex() const { return model_.TopIndex(); }

 private:
  // Marks the control changed, keeps the view within the items and enables the scroll buttons.
  void Refresh();
  // The row under a point of the owner's space; -1 outside the shown rows.
  int32_t RowAtPoint(const TPoint& point) const;
  WidgetRef Child(const char* name) { return widgets_ ? widgets_->GetByName(name) : nullptr; }

  TListBoxModel model_;
  TPoint contentOffset_;
  uint32_t color_ = 0;
  uint32_t selectedColor_ = 0;
};

}  // namespace kestrelle
