#pragma once
// The base of every control: a visual group of an explicit size whose look is made of child
// widgets shown, hidden or re-texted by name. It turns mouse messages into MouseDown, MouseUp,
// MouseMove and DoubleClick in its owner's space, takes the screen focus on a left press when it
// is a tab stop, keeps an inner keyboard focus among its own tab-stop children (Tab moves it
// forward without wrapping), and reports what the user did to the screen as numbered events.

#include <cstdint>
#include <memory>
#include <string>

#include "widgets/group_widget.h"

namespace kestrelle {

// Codes of the events controls report to their screen (HandleWidgetEvent).
enum ControlEvent : int32_t {
  kEventButtonClicked = 1,
  kEventCheckBoxToggled = 2,
  kEventTrackBarMoved = 3,
  kEventEditCharacter = 4,
  kEventListBoxSelected = 5,
  kEventListBoxDoubleClick = 6,
  kEventRevealFinished = 7,
  kEventRevealClicked = 8,
  kEventRadioGroupChanged = 9,
  kEventSequenceEnded = 10,
};

// Mouse buttons of MouseDown, MouseUp and DoubleClick.
enum MouseButton : int32_t { kButtonLeft = 0, kButtonRight = 1, kButtonMiddle = 2 };

// A widget from the factory of that name, reached through `creator` (its own factories, then its
// owners'), added to `target`'s children. None when `target` has no children or already has a
// child of the new widget's name (the new widget is then dropped).
WidgetRef CreateWidgetInto(IWidgetOwner& creator, const WidgetRef& target, const std::string& factoryName,
                           const ParamsRef& params);

class TControlWidget : public TVisualGroupWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void ClearOwner() override;

  // The control's rectangle is its anchor and its own width and height.
  double GetLeft() override { return anchorLeft_; }
  double GetTop() override { return anchorTop_; }
  int32_t GetWidth() override { return width_; }
  int32_t GetHeight() override { return height_; }
  TRect GetRect() override;
  bool GetEnabled() override { return enabled_; }
  void SetEnabled(bool enabled) override;
  bool GetTabStop() override { return tabStop_; }
  void SetTabStop(bool tabStop) override { tabStop_ = tabStop; }
  WidgetRef WidgetAtPoint(const TPoint& point) override;
  bool ContainsPoint(const TPoint& point, bool ignoreVisibility) override;
  void CaptureLost() override { pressed_ = false; }
  void FocusLost() override;
  void FocusGained() override { focused_ = true; }
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) override;
  bool KeyEvent(uint32_t message, uintptr_t key, intptr_t keyData) override;

  // `point` is in the owner's space; `button` a MouseButton. True when handled.
  virtual bool MouseMove(const TPoint& point, uint32_t keys) { return false; }
  virtual bool MouseDown(const TPoint& point, uint32_t keys, int32_t button);
  virtual bool MouseUp(const TPoint& point, uint32_t keys, int32_t button) { return false; }
  virtual bool DoubleClick(const TPoint& point, uint32_t keys, int32_t button) { return false; }

  // A widget from the factory of that name (this control's factories, then its owners') added
  // to `target`'s children; none when `target` has no children or already has a child of that
  // name (the new widget is then dropped).
  WidgetRef CreateChildWidget(const WidgetRef& target, const std::string& factoryName, const ParamsRef& params);

  void SetWidth(int32_t width);
  void SetHeight(int32_t height);
  bool IsPressed() const { return pressed_; }
  bool IsFocused() const { return focused_; }
  WidgetRef GetInnerFocus() const { return innerFocus_; }
  const std::string& GetMaskWidget() const { return maskWidget_; }

 protected:
  // Reports an event to the event handler of the owner chain, with this control as sender.
  void SendEvent(int32_t code, const ParamsRef& params = nullptr);
  WindowRef OwnerWindow();
  // Whether the pointer is over the control now (asked of the engine, not of mouse messages).
  bool PointerInside();
  // Shows (visible and running) or hides (hidden and paused) the look child of that name; false
  // when there is no such child.
  bool ShowLook(const std::string& name, bool show);
  // Shows `name`, or `fallback` when there is no child `name`.
  void ShowLookOr(const std::string& name, const std::string& fallback);
  // The capture of a clickable control: press and release of the left button.
  void BeginPress();
  void EndPress();
  // The first child after `after` (none: from the start) that is a visible tab stop.
  WidgetRef NextInnerTabStop(const WidgetRef& after);

  int32_t width_ = 0;
  int32_t height_ = 0;
  bool enabled_ = false;
  bool tabStop_ = false;
  bool pressed_ = false;
  bool focused_ = false;
  WidgetRef innerFocus_;
  std::string maskWidget_;
};

// The base of the game-play controls: they start scenarios from widget factories into their
// child "scenario_group", drive them and are driven by their screen with numbered commands
// (HandleEvent), and tell their screen what happened with notification codes from 32771 up.
class TControlGameWidget : public TControlWidget {
 public:
  // The command a scenario sends when it has done its work; its parameters name the scenario in
  // "scenario_to_finalize".
  static constexpr int32_t kCommandFinalizeScenario = 11;
  static constexpr int32_t kFirstNotification = 32771;

  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void HandleEvent(int32_t code, const ParamsRef& params) override;

  // A scenario from the factory of that name, added to "scenario_group", its "control_game" set
  // to this control; with `remember` its name is kept among the running scenarios. None when no
  // factory answers or there is no scenario group.
  WidgetRef CreateScenario(const std::string& factoryName, const ParamsRef& params, bool remember);
  // Names of the remembered scenarios, each followed by ";".
  const std::string& GetScenarioNames() const { return scenarioNames_; }
  bool IsScenarioRemembered(const std::string& name) const;
  WidgetRef GetScenarioGroup() const { return scenarioGroup_.lock(); }

 protected:
  // A command of the screen or of a scenario other than the scenario's end.
  virtual void Command(int32_t code, const ParamsRef& params) {}
  // A scenario reported its end (command 11); it is no longer remembered when this runs.
  virtual void ScenarioFinalized(const std::string& name, const ParamsRef& params) {}
  // Tells the screen: HandleWidgetEvent with this control as sender.
  void Notify(int32_t code, const ParamsRef& params = nullptr) { SendEvent(code, params); }

  std::string scenarioNames_;
  std::weak_ptr<IWidget> scenarioGroup_;
};

}  // namespace kestrelle
