#pragma once
// The root of every widget: its clock (current time, time to live, time rate, pause), its life
// (dead, updated), its owner, the common properties by name and by path, aliases, extra and
// redefined parameters, the binding to a data-driven function, and its own sounds. Draws
// nothing; the visual widgets add geometry, drawing and the dirty-rectangle pass.

#include <cstdint>
#include <memory>
#include <string>

#include "app/widget_interfaces.h"
#include "data/function_base.h"
#include "data/object.h"
#include "data/params.h"

namespace kestrelle {

class TAbstractWidget : public TPropertyObject, public virtual IWidget {
 public:
  // Alias targets that name aliases again are followed this deep, no further.
  static constexpr int kMaxAliasDepth = 16;

  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void Reset() override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  const TPropertyTable& GetPropertyTable() const override;
  // A property set to a new value asks for a redraw.
  void PropertyChanged() override { SetChanged(true); }

  // IWidget
  WidgetRef GetChild(const Variant& key) override { return nullptr; }
  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void Invalidate() override { SetChanged(true); }
  WidgetOwnerRef GetOwner() override { return owner_.lock(); }
  bool GetDead() override { return dead_; }
  void SetDead(bool dead) override { dead_ = dead; }
  bool GetPaused() override { return paused_; }
  void SetPaused(bool paused) override { paused_ = paused; }
  bool GetUpdated() override { return updated_; }
  void SetUpdated(bool updated) override { updated_ = updated; }
  void Update(int32_t elapsedMs) override;
  void Restart() override;
  void Resume() override { paused_ = false; }
  void Pause() override { paused_ = true; }
  WidgetCollectionRef GetWidgets() override { return nullptr; }
  WidgetRef FindWidget(const std::string& path) override;
  std::string GetPath() override;
  bool GetVisible() override { return false; }
  void SetVisible(bool visible) override {}
  int32_t GetZ() override { return -1; }
  void SetZ(int32_t z) override {}
  double GetAnchorLeft() override { return 0; }
  void SetAnchorLeft(double x) override {}
  double GetAnchorTop() override { return 0; }
  void SetAnchorTop(double y) override {}
  TPoint ScreenToOwner(const TPoint& point) override;
  double GetTop() override { return 0; }
  double GetLeft() override { return 0; }
  int32_t GetWidth() override { return 0; }
  int32_t GetHeight() override { return 0; }
  TRect GetRect() override;
  int32_t GetTransparentLevel() override { return transparentLevel_; }
  void SetTransparentLevel(int32_t level) override;
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override {}
  SurfaceRef CreateImage() override { return nullptr; }
  bool GetEnabled() override { return false; }
  void SetEnabled(bool enabled) override {}
  bool GetTabStop() override { return false; }
  void SetTabStop(bool tabStop) override {}
  bool GetMouseStop() override { return false; }
  void SetMouseStop(bool mouseStop) override {}
  WidgetRef WidgetAtPoint(const TPoint& point) override;
  bool ContainsPoint(const TPoint& point, bool ignoreVisibility) override;
  void CaptureLost() override {}
  void FocusLost() override {}
  void FocusGained() override {}
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) override { return false; }
  bool KeyEvent(uint32_t message, uintptr_t key, intptr_t keyData) override { return false; }
  AudioHandle PlaySound(const std::string& name, bool useValues, int32_t pan, int32_t volume) override;
  void StopSound(const std::string& name) override;
  SoundCollectionRef GetSounds() override { return sounds_; }
  void HandleEvent(int32_t code, const ParamsRef& params) override {}
  bool UpdateDirtyRects(bool forceOld, bool forceNew) override;
  bool GetWasVisible() override { return false; }
  bool GetChanged() override { return changed_; }
  void SetChanged(bool changed) override { changed_ = changed; }
  bool GetReported() override { return reported_; }
  void Show(bool show) override;
  void SetExtraParam(const std::string& name, const Variant& value) override;

  // The clock step of Update, after the time rate: own time, death, the function binding.
  virtual void DoUpdate(int32_t elapsedMs);

  int32_t GetCurrentTime() const { return currentTime_; }
  // A new current time redraws (the picture may depend on it); the saved start time stays.
  void SetCurrentTime(int32_t time);
  int32_t GetTimeToLive() const { return timeToLive_; }
  double GetTimeRate() const { return timeRate_; }
  const std::string& GetAliases() const { return aliases_; }
  void SetAliases(const std::string& aliases) { aliases_ = aliases; }
  const std::string& GetRedefinedParams() const { return redefinedParams_; }
  void SetRedefinedParams(const std::string& pairs) { redefinedParams_ = pairs; }
  ParamsRef GetExtraParams() const { return extraParams_; }
  FunctionRef GetFunction() const { return function_; }
  void SetFunction(const FunctionRef& function) { function_ = function; }
  void SetSounds(const SoundCollectionRef& sounds) { sounds_ = sounds; }
  bool IsFirstPass() const { return firstPass_; }

 protected:
  // The engine through the owner chain; none without owner.
  EngineRef OwnerEngine();
  // This widget as a WidgetRef (for answers such as WidgetAtPoint).
  WidgetRef Self() { return SelfAs<IWidget>(); }

  // The function binding: feed row 0 and row 1 from the properties, run, pull row 0 back.
  enum class FunctionRun { kEvaluate, kReset };
  void RunFunction(FunctionRun run);
  void PushFunctionInputs();
  void PullFunctionOutputs();

  bool changed_ = false;
  std::weak_ptr<IWidgetOwner> owner_;
  bool dead_ = false;
  bool paused_ = false;
  bool updated_ = false;
  int32_t transparentLevel_ = 255;
  int32_t initialTime_ = 0;
  int32_t currentTime_ = 0;
  int32_t timeToLive_ = 0;
  double timeRate_ = 1.0;
  SoundCollectionRef sounds_;
  FunctionRef function_;
  std::string aliases_;
  ParamsRef extraParams_;
  std::string redefinedParams_;
  bool firstPass_ = true;
  bool reported_ = false;

 private:
  // Target of an alias for `name`, when the alias names another property.
  bool AliasTarget(const std::string& name, std::string& target) const;
};

// Splits a property path at its last "/" into the widget path and the property name: "a/b/c"
// gives "a/b" and "c"; "a" gives "a" and "". One FindWidget then walks the widget path, however
// long, instead of one nested property call per step.
void SplitWidgetPath(const std::string& path, std::string& head, std::string& rest);

}  // namespace kestrelle
