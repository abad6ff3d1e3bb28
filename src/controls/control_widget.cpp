#include "controls/control_widget.h"

#include "controls/control_values.h"
#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/variant_values.h"
#include "platform/messages.h"

namespace kestrelle {

const TPropertyTable& TControlWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TVisualGroupWidget::GetPropertyTable(),
      {
          Property("width", &TControlWidget::width_)
              .GetWith(&TControlWidget::GetWidth)
              .SetWith(&TControlWidget::SetWidth),
          Property("height", &TControlWidget::height_)
              .GetWith(&TControlWidget::GetHeight)
              .SetWith(&TControlWidget::SetHeight),
          Property("enabled", &TControlWidget::enabled_)
              .GetWith(&TControlWidget::GetEnabled)
              .SetWith(&TControlWidget::SetEnabled),
          Property("tabstop", &TControlWidget::tabStop_)
              .GetWith(&TControlWidget::GetTabStop)
              .SetWith(&TControlWidget::SetTabStop),
          Property("maskwidget", &TControlWidget::maskWidget_).SavedIfNotDefault().Quiet().TakesAnyValue(),
      });
  return table;
}

void TControlWidget::Initialize() {
  TVisualGroupWidget::Initialize();
  pressed_ = false;
  focused_ = false;
  innerFocus_ = nullptr;
}

void TControlWidget::SetWidth(int32_t width) {
  if (width == width_) return;
  width_ = width;
  geometryChanged_ = true;
}

void TControlWidget::SetHeight(int32_t height) {
  if (height == height_) return;
  height_ = height;
  geometryChanged_ = true;
}

void TControlWidget::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  SetChanged(true);
}

void TControlWidget::ClearOwner() {
  innerFocus_ = nullptr;
  TVisualGroupWidget::ClearOwner();
}

TRect TControlWidget::GetRect() {
  int32_t left = Round32(anchorLeft_);
  int32_t top = Round32(anchorTop_);
  return TRect{left, top, left + width_, top + height_};
}

WidgetRef TControlWidget::WidgetAtPoint(const TPoint& point) {
  if (WidgetRef child = TVisualGroupWidget::WidgetAtPoint(point)) return child;
  if (visible_ && mouseStop_ && ContainsPoint(point, false)) return Self();
  return nullptr;
}

bool TControlWidget::ContainsPoint(const TPoint& point, bool ignoreVisibility) {
  if (!visible_ && !ignoreVisibility) return false;
  const double left = GetLeft();
  const double top = GetTop();
  if (point.x < left || point.x > left + width_ || point.y < top || point.y > top + height_) return false;
  if (maskWidget_.empty()) return true;
  WidgetRef mask = FindWidget(maskWidget_);
  if (!mask) return true;
  return mask->ContainsPoint(TPoint{point.x - Round32(left), point.y - Round32(top)}, true);
}

void TControlWidget::FocusLost() {
  focused_ = false;
  if (WidgetRef inner = innerFocus_) {
    innerFocus_ = nullptr;
    inner->FocusLost();
  }
}

bool TControlWidget::MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) {
  const TPoint p = ScreenToOwner(point);
  switch (message) {
    case WM_MOUSEMOVE:
      return MouseMove(p, keys);
    case WM_LBUTTONDOWN:
      return MouseDown(p, keys, kButtonLeft);
    case WM_RBUTTONDOWN:
      return MouseDown(p, keys, kButtonRight);
    case WM_MBUTTONDOWN:
      return MouseDown(p, keys, kButtonMiddle);
    case WM_LBUTTONUP:
      return MouseUp(p, keys, kButtonLeft);
    case WM_RBUTTONUP:
      return MouseUp(p, keys, kButtonRight);
    case WM_MBUTTONUP:
      return MouseUp(p, keys, kButtonMiddle);
    case WM_LBUTTONDBLCLK:
      return DoubleClick(p, keys, kButtonLeft);
    case WM_RBUTTONDBLCLK:
      return DoubleClick(p, keys, kButtonRight);
    case WM_MBUTTONDBLCLK:
      return DoubleClick(p, keys, kButtonMiddle);
    default:
      return false;
  }
}

bool TControlWidget::MouseDown(const TPoint&, uint32_t, int32_t button) {
  if (!focused_ && GetTabStop() && button == kButtonLeft) {
    if (WindowRef window = OwnerWindow()) window->SetFocus(Self());
  }
  return false;
}

WidgetRef TControlWidget::NextInnerTabStop(const WidgetRef& after) {
  if (!widgets_) return nullptr;
  bool passed = after == nullptr;
  for (const WidgetRef& child : widgets_->Snapshot()) {
    if (!passed) {
      passed = child == after;
      continue;
    }
    if (child->GetTabStop() && child->GetVisible()) return child;
  }
  return nullptr;
}

bool TControlWidget::KeyEvent(uint32_t message, uintptr_t key, intptr_t keyData) {
  if (!focused_) return false;
  if (!innerFocus_) {
    innerFocus_ = NextInnerTabStop(nullptr);
    if (!innerFocus_) return false;
    innerFocus_->FocusGained();
  }
  WidgetRef inner = innerFocus_;
  if (inner->KeyEvent(message, key, keyData)) return true;
  if (message != WM_KEYUP || key != VK_TAB) return false;
  WidgetRef next = NextInnerTabStop(inner);
  inner->FocusLost();
  innerFocus_ = next;
  if (!next) return false;
  next->FocusGained();
  return true;
}

WidgetRef CreateWidgetInto(IWidgetOwner& creator, const WidgetRef& target, const std::string& factoryName,
                           const ParamsRef& params) {
  if (!target) return nullptr;
  WidgetCollectionRef children = target->GetWidgets();
  if (!children) return nullptr;
  WidgetRef widget = creator.CreateWidget(factoryName, params);
  if (!widget) return nullptr;
  if (children->Exists(widget->GetName())) {
    // Names are unique among running children (scenarios report their end by name).
    LogLine("\"" + target->GetName() + "\" already holds a widget \"" + widget->GetName() +
            "\"; the one from factory \"" + factoryName + "\" is dropped");
    return nullptr;
  }
  if (!children->Add(widget)) return nullptr;
  return widget;
}

WidgetRef TControlWidget::CreateChildWidget(const WidgetRef& target, const std::string& factoryName,
                                            const ParamsRef& params) {
  return CreateWidgetInto(*this, target, factoryName, params);
}

void TControlWidget::SendEvent(int32_t code, const ParamsRef& params) {
  WidgetOwnerRef owner = GetOwner();
  if (!owner) return;
  if (EventHandlerRef handler = owner->GetEventHandler()) handler->HandleWidgetEvent(Self(), code, params);
}

WindowRef TControlWidget::OwnerWindow() {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->GetWindow() : nullptr;
}

bool TControlWidget::PointerInside() {
  EngineRef engine = GetEngine();
  if (!engine) return false;
  return ContainsPoint(ScreenToOwner(engine->GetCursorPos()), false);
}

bool TControlWidget::ShowLook(const std::string& name, bool show) {
  WidgetRef child = widgets_ ? widgets_->GetByName(name) : nullptr;
  if (!child) return false;
  child->SetVisible(show);
  if (show)
    child->Resume();
  else
    child->Pause();
  return true;
}

void TControlWidget::ShowLookOr(const std::string& name, const std::string& fallback) {
  if (!ShowLook(name, true)) ShowLook(fallback, true);
}

void TControlWidget::BeginPress() {
  if (WindowRef window = OwnerWindow()) window->SetCapture(Self());
  pressed_ = true;
}

void TControlWidget::EndPress() {
  if (WindowRef window = OwnerWindow()) {
    if (window->GetCapture() == Self()) window->ReleaseCapture();
  }
  pressed_ = false;
}

// ---------------------------------------------------------------------------------------------

void TControlGameWidget::SetOwner(const WidgetOwnerRef& owner) {
  TControlWidget::SetOwner(owner);
  scenarioGroup_ = FindWidget("scenario_group");
}

void TControlGameWidget::ClearOwner() {
  scenarioGroup_.reset();
  TControlWidget::ClearOwner();
}

bool TControlGameWidget::IsScenarioRemembered(const std::string& name) const {
  return !name.empty() && (";" + scenarioNames_).find(";" + name + ";") != std::string::npos;
}

WidgetRef TControlGameWidget::CreateScenario(const std::string& factoryName, const ParamsRef& params, bool remember) {
  WidgetRef group = scenarioGroup_.lock();
  if (!group) group = FindWidget("scenario_group");
  WidgetRef scenario = CreateChildWidget(group, factoryName, params);
  if (!scenario) return nullptr;
  scenario->SetProperty("control_game", Variant(InterfaceRef(Self())));
  if (remember) scenarioNames_ += scenario->GetName() + ";";
  return scenario;
}

void TControlGameWidget::HandleEvent(int32_t code, const ParamsRef& params) {
  if (code != kCommandFinalizeScenario) {
    Command(code, params);
    return;
  }
  std::string name = params ? params->GetValue("scenario_to_finalize", Variant()).ToString() : std::string();
  if (IsScenarioRemembered(name)) {
    std::string list = ";" + scenarioNames_;
    list.erase(list.find(";" + name + ";"), name.size() + 1);
    scenarioNames_ = list.substr(1);
  }
  ScenarioFinalized(name, params);
}

}  // namespace kestrelle
