#pragma once
// Clickable controls with a hover look: the button ("ButtonControl") with its built-in actions,
// the label ("LabelControl", a button without actions) and the check box ("CheckBoxControl").
// Hover is polled from the pointer position every frame, so it follows the pointer even when no
// mouse message arrives.

#include <cstdint>
#include <string>

#include "controls/control_widget.h"

namespace kestrelle {

class TButtonControl : public TControlWidget {
 public:
  enum LookState : int32_t { kLookNormal = 0, kLookSelected = 1, kLookDisabled = 2, kLookForceRefresh = 3 };

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void SetEnabled(bool enabled) override;
  void DoUpdate(int32_t elapsedMs) override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;
  bool MouseUp(const TPoint& point, uint32_t keys, int32_t button) override;

  int32_t GetLookState() const { return lookState_; }
  bool GetHover() const { return hover_; }
  std::string GetActionType() const { return actionType_; }
  void SetActionType(const std::string& actionType);

 protected:
  virtual void RefreshLook();
  // The click's action by "actiontype"; without a built-in one, event 1.
  virtual void PerformAction();
  void PollHover();

  bool hover_ = false;
  int32_t lookState_ = kLookForceRefresh;
  std::string actionType_;
  std::string gsParams_;
  std::string gameScreenName_;
  std::string url_;
  std::string fileToRun_;
  std::string propsToChange_;
};

class TLabelControl : public TButtonControl {
 protected:
  // Hover shows "image_selected" while enabled; a disabled label keeps its look.
  void RefreshLook() override;
  void PerformAction() override {}
};

class TCheckBoxControl : public TControlWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void SetOwner(const WidgetOwnerRef& owner) override;
  void SetEnabled(bool enabled) override;
  void DoUpdate(int32_t elapsedMs) override;
  bool MouseDown(const TPoint& point, uint32_t keys, int32_t button) override;
  bool MouseUp(const TPoint& point, uint32_t keys, int32_t button) override;

  bool GetChecked() const { return checked_; }
  // Changes the state and the look without an event.
  void SetChecked(bool checked);
  // 0/1 disabled, 2/4 enabled, 3/5 hovered; odd look states above 1 and 1 itself are checked.
  int32_t GetLookState() const { return lookState_; }

 private:
  void RefreshLook();

  bool checked_ = false;
  bool hover_ = false;
  int32_t lookState_ = -1;
};

}  // namespace kestrelle
