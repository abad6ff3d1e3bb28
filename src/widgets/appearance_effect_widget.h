#pragma once
// Effect widgets: groups that can replace themselves by an appearance effect for a while. While
// an effect plays, the widget shows the effect (animating a snapshot of the widget taken when the
// effect started), its real children stand still and are not drawn, and the mouse passes it by
// ("skip_process_mouse"). "appearance_effect_widget", the root of every game screen, plays its
// "show_effect" and "hide_effect" when its visibility changes; a hidden one stays visible until
// its hide effect is over.

#include <string>

#include "widgets/appearance_effects.h"
#include "widgets/group_widget.h"

namespace kestrelle {

class TAbstractEffectWdiget : public TVisualGroupWidget {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void Reset() override;
  // Besides the table: "applyingeffect" and "effect_state" (read only).
  Variant GetProperty(const std::string& name) override;

  void SetOwner(const WidgetOwnerRef& owner) override;
  void ClearOwner() override;
  void DoUpdate(int32_t elapsedMs) override;
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;
  TRect GetRect() override;
  TPoint ScreenToClient(const TPoint& point) override;
  bool GetMouseStop() override;
  bool UpdateDirtyRects(bool forceOld, bool forceNew) override;

  // Plays the named effect now (ending one that plays); EffectStarted tells whether it could.
  void ApplyEffect(const std::string& name);
  void StopEffect();
  bool GetApplying() const { return applying_; }
  AppearanceEffectsRef GetEffects() const { return effects_; }

 protected:
  virtual void EffectStarted(const std::string& name, bool applying) {}
  virtual void EffectFinished(const std::string& name) {}

  AppearanceEffectsRef effects_;
  std::string currentEffect_;
  bool applying_ = false;
  double offsetX_ = 0;
  double offsetY_ = 0;
  bool enableEffects_ = true;
  bool skipProcessMouse_ = true;
  bool refresh_ = false;
};

class TAppearanceEffectWdiget : public TAbstractEffectWdiget {
 public:
  static constexpr const char* kShowEffect = "show_effect";
  static constexpr const char* kHideEffect = "hide_effect";

  void LoadProperties(const StorageRef& storage) override;
  // Plays "show_effect" or "hide_effect"; reversing one that plays ends it at once.
  void SetVisible(bool visible) override;

 protected:
  void EffectStarted(const std::string& name, bool applying) override;
  void EffectFinished(const std::string& name) override;

 private:
  static bool IsVisibilityEffect(const std::string& name);

  bool targetVisible_ = false;
};

}  // namespace kestrelle
